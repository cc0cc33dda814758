#include "tests/cli/run_tessel.h"
#include "tessel_version.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace tessel::test
{
namespace
{

struct FilterCase
{
    const char* name;
    std::vector<std::string> arguments;
    std::string input;
    std::string expected;
};

class FilterOutput : public testing::TestWithParam<FilterCase>
{
};

TEST_P(FilterOutput, IsTheEngineResult)
{
    const FilterCase& c = GetParam();
    const RunResult result = RunTessel(c.arguments, c.input);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, c.expected);
    EXPECT_EQ(result.err, "");
}

const FilterCase kOutputs[] = {
    {"QuoteDefaults", {"quote"}, "hello world\n", "> hello world\r\n> "},
    {"QuoteSignAndWidth",
     {"quote", "-s", ">>", "-w", "10"},
     "The quick brown fox",
     ">>The quick \r\n>>brown fox\r\n>>"},
    {"QuoteLongOptions",
     {"quote", "--sign=| ", "--width=10"},
     "abcdefghijkl",
     "| abcdefghij\r\n| kl\r\n| "},
    {"QuoteAttachedShortValues",
     {"quote", "-s#", "-w10"},
     "abcdefghijkl",
     "#abcdefghij\r\n#kl\r\n#"},
    {"QuoteWidthBelowFloor", {"quote", "-w", "-5"}, "abcdefghijkl", "> abcdefghij\r\n> kl\r\n> "},
    {"QuoteWidthIntMax", {"quote", "-w", "2147483647"}, "a b", "> a b\r\n> "},
    {"QuoteEmptySign", {"quote", "-s", ""}, "a\nb", "a\r\nb\r\n"},
    {"QuoteLf", {"quote", "--lf"}, "one\ntwo\n", "> one\n> two\n> "},
    {"QuoteMultibyte",
     {"quote", "-s", "» ", "-w", "10"},
     "Ελληνικά 漢字漢字 😀",
     "» Ελληνικά \r\n» 漢字漢字 \r\n» 😀\r\n» "},
    {"QuoteWideWraps", {"quote", "-w", "10"}, "漢字漢字漢字", "> 漢字漢字漢\r\n> 字\r\n> "},
    {"UnquoteDefaults", {"unquote"}, "> a\r\n> > b\r\n", "a\r\n> b\r\n"},
    {"UnquoteLevels", {"unquote", "-n", "2"}, "> > a\r\n> b\r\n", "a\r\nb\r\n"},
    {"UnquoteLevelsIntMax", {"unquote", "--levels", "2147483647"}, "> > > a", "a"},
    {"UnquoteZeroLevels", {"unquote", "-n", "0"}, "> a", "> a"},
    {"UnquoteNegativeLevels", {"unquote", "-n", "-3"}, "> a", "> a"},
    {"UnquoteLfOnlyFirstLineWithout", {"unquote"}, "> a\n> b\n", "a\n> b\n"},
    {"UnquoteLfEveryLineWith", {"unquote", "--lf"}, "> a\n> b\n", "a\nb\n"},
    {"UnquoteMultibyteSign", {"unquote", "-s", "😀"}, "😀a\r\n😀b", "a\r\nb"},
    {"StdinDash", {"quote", "-"}, "x", "> x\r\n> "},
    {"OptionsAfterDoubleDash", {"quote", "--", "-"}, "x", "> x\r\n> "},
    {"EmptyInput", {"quote"}, "", "> \r\n> "},
};
INSTANTIATE_TEST_SUITE_P(Filter, FilterOutput, testing::ValuesIn(kOutputs),
                         [](const auto& info) { return std::string(info.param.name); });

struct FailureCase
{
    const char* name;
    std::vector<std::string> arguments;
    std::string input;
    int exitCode;
    std::string errorContains;
};

class FilterFailure : public testing::TestWithParam<FailureCase>
{
};

TEST_P(FilterFailure, ReportsAndWritesNothing)
{
    const FailureCase& c = GetParam();
    const RunResult result = RunTessel(c.arguments, c.input);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(c.errorContains), std::string::npos) << result.err;
    if (c.exitCode == 2)
    {
        EXPECT_NE(result.err.find("Usage: tessel quote"), std::string::npos);
    }
}

const FailureCase kFailures[] = {
    {"NoAction", {}, "", 2, "missing action"},
    {"UnknownAction", {"cite"}, "", 2, "unknown action 'cite'"},
    {"UnknownOption", {"quote", "-x"}, "", 2, "unknown option '-x'"},
    {"LevelsOnQuote", {"quote", "-n", "2"}, "", 2, "unknown option '-n'"},
    {"WidthOnUnquote", {"unquote", "-w", "2"}, "", 2, "unknown option '-w'"},
    {"MissingValue", {"quote", "-w"}, "", 2, "needs a value"},
    {"NonNumericWidth", {"quote", "-w", "ten"}, "", 2, "'ten'"},
    {"TrailingJunkWidth", {"quote", "-w", "60abc"}, "", 2, "'60abc'"},
    {"WidthTooLarge", {"quote", "-w", "2147483648"}, "", 2, "fits an int"},
    {"LevelsTooSmall", {"unquote", "-n", "-2147483649"}, "", 2, "fits an int"},
    {"TwoFiles", {"quote", "a", "b"}, "", 2, "more than one FILE"},
    {"SignWithLineEnd", {"quote", "-s", ">\n"}, "", 2, "line end"},
    {"MissingFile", {"quote", "/nonexistent/tessel.txt"}, "", 1, "'/nonexistent/tessel.txt'"},
    {"FolderAsFile", {"quote", "/"}, "", 1, "cannot read '/'"},
    {"BadContinuation", {"quote"}, "ab\xC3(", 1, "byte offset 2"},
    {"Overlong", {"quote"}, "\xC0\xAF", 1, "byte offset 0"},
    {"OverlongThreeBytes", {"quote"}, "a\xE0\x80\xAF", 1, "byte offset 1"},
    {"Surrogate", {"quote"}, "ok\xED\xA0\x80", 1, "byte offset 2"},
    {"AboveUnicode", {"quote"}, "\xF4\x90\x80\x80", 1, "byte offset 0"},
    {"TruncatedAtEnd", {"unquote"}, "abc\xE2\x82", 1, "byte offset 3"},
    {"LoneContinuation", {"quote"}, "\x80", 1, "byte offset 0"},
    {"InvalidSign", {"quote", "-s", "\xFF"}, "x", 1, "sign is not valid UTF-8"},
};
INSTANTIATE_TEST_SUITE_P(Filter, FilterFailure, testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Filter, ReadsNamedFile)
{
    const std::string path = TempPath("named.txt");
    WriteFile(path, "from file\r\n");
    const RunResult result = RunTessel({"quote", path}, "from stdin");
    std::remove(path.c_str());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "> from file\r\n> ");
}

TEST(Filter, HelpAndVersionGoToStandardOutput)
{
    for (const char* option : {"--help", "-h"})
    {
        const RunResult help = RunTessel({option});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_EQ(help.out.rfind("Usage: tessel quote", 0), 0u);
    }
    EXPECT_EQ(RunTessel({"quote", "--help"}).exitCode, 0);
    const RunResult version = RunTessel({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "tessel " TESSEL_VERSION_TEXT "\n");
}

TEST(Filter, OutputErrorsExitWithOne)
{
    EXPECT_EQ(RunShell("echo hi | \"$TESSEL\" quote >/dev/full"), 1);
    // A reader that goes away early: tessel must report the closed pipe, not die of SIGPIPE.
    EXPECT_EQ(RunShell("yes 'a line of text' | head -n 200000 | \"$TESSEL\" quote | head -c 1 "
                       ">/dev/null; exit ${PIPESTATUS[2]}"),
              1);
}

} // namespace
} // namespace tessel::test
