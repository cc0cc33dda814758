#include "cli/utf8.h"
#include "engine/quote_text.h"
#include "engine/unquote_text.h"
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

#define BOM "\xEF\xBB\xBF"

// Text mode, the default: a text file in, a text file out.
const FilterCase kTextMode[] = {
    {"QuoteLf", {"quote"}, "a\nb\n", "> a\n> b\n"},
    {"QuoteCrLf", {"quote"}, "a\r\nb\r\n", "> a\r\n> b\r\n"},
    {"QuoteWithoutFinalLineEnd", {"quote"}, "a\nb", "> a\n> b"},
    {"QuoteEmpty", {"quote"}, "", ""},
    {"QuoteOnlyALineEnd", {"quote"}, "\n", "> \n"},
    {"QuoteEmptyLastLine", {"quote"}, "a\n\n", "> a\n> \n"},
    {"QuoteLineEndsLikeTheFirst", {"quote"}, "a\r\nb\nc\rd", "> a\r\n> b\r\n> c\r\n> d"},
    {"QuoteLoneCrFirstGivesLf", {"quote"}, "a\rb\r\n", "> a\n> b\n"},
    {"QuoteWraps", {"quote", "-w", "10"}, "The quick brown fox\n", "> The quick \n> brown fox\n"},
    {"QuoteForcedCrLf", {"quote", "--crlf"}, "a\nb\n", "> a\r\n> b\r\n"},
    {"QuoteForcedLf", {"quote", "--lf"}, "a\r\nb", "> a\n> b"},
    {"QuoteByteOrderMark", {"quote"}, BOM "a\n", BOM "> a\n"},
    {"QuoteOnlyByteOrderMark", {"quote"}, BOM, BOM},
    {"UnquoteLf", {"unquote"}, "> a\n> b\n", "a\nb\n"},
    {"UnquoteCrLf", {"unquote"}, "> a\r\n> > b\r\n", "a\r\n> b\r\n"},
    {"UnquoteLoneCr", {"unquote"}, "> a\r> b\r", "a\nb\n"},
    {"UnquoteWithoutFinalLineEnd", {"unquote"}, "> a\n> b", "a\nb"},
    {"UnquoteEmpty", {"unquote"}, "", ""},
    {"UnquoteForcedCrLf", {"unquote", "--crlf"}, "> a\n> b\n", "a\r\nb\r\n"},
    {"UnquoteForcedLf", {"unquote", "--lf"}, "> a\r\n> b", "a\nb"},
    {"UnquoteByteOrderMark", {"unquote"}, BOM "> a\r\n> b", BOM "a\r\nb"},
};
INSTANTIATE_TEST_SUITE_P(TextMode, FilterOutput, testing::ValuesIn(kTextMode),
                         [](const auto& info) { return std::string(info.param.name); });

// --exact: the add-in's result, CR LF and the sign after the last line end.
const FilterCase kExact[] = {
    {"Quote", {"quote", "--exact"}, "a\nb\n", "> a\r\n> b\r\n> "},
    {"QuoteWithoutFinalLineEnd", {"quote", "--exact"}, "a\r\nb", "> a\r\n> b\r\n> "},
    {"QuoteEmpty", {"quote", "--exact"}, "", "> \r\n> "},
    {"QuoteByteOrderMark", {"quote", "--exact"}, BOM "a", BOM "> a\r\n> "},
    {"Unquote", {"unquote", "--exact"}, "> a\n> b\r\n> c\r\n", "a\n> b\r\nc\r\n"},
    {"UnquoteWithoutFinalLineEnd", {"unquote", "--exact"}, "> a\r\n> b", "a\r\nb"},
    {"UnquoteEmpty", {"unquote", "--exact"}, "", ""},
    {"UnquoteByteOrderMark", {"unquote", "--exact"}, BOM "> a\r\n> b", BOM "a\r\nb"},
};
INSTANTIATE_TEST_SUITE_P(Exact, FilterOutput, testing::ValuesIn(kExact),
                         [](const auto& info) { return std::string(info.param.name); });

const FilterCase kOptions[] = {
    {"QuoteSignAndWidth",
     {"quote", "-s", ">>", "-w", "10"},
     "The quick brown fox",
     ">>The quick \n>>brown fox"},
    {"QuoteLongOptions",
     {"quote", "--sign=| ", "--width=10"},
     "abcdefghijkl",
     "| abcdefghij\n| kl"},
    {"QuoteAttachedShortValues", {"quote", "-s#", "-w10"}, "abcdefghijkl", "#abcdefghij\n#kl"},
    {"QuoteWidthBelowFloor", {"quote", "-w", "-5"}, "abcdefghijkl", "> abcdefghij\n> kl"},
    {"QuoteWidthIntMax", {"quote", "-w", "2147483647"}, "a b", "> a b"},
    {"QuoteEmptySign", {"quote", "-s", ""}, "a\r\nb", "a\r\nb"},
    {"QuoteMultibyte",
     {"quote", "-s", "» ", "-w", "10"},
     "Ελληνικά 漢字漢字 😀\n",
     "» Ελληνικά \n» 漢字漢字 \n» 😀\n"},
    {"QuoteWideWraps", {"quote", "-w", "10"}, "漢字漢字漢字", "> 漢字漢字漢\n> 字"},
    {"QuoteKeepsClustersWhole", {"quote", "-w", "10"}, "abcdefghi🇩🇪", "> abcdefghi\n> 🇩🇪"},
    {"UnquoteLevels", {"unquote", "-n", "2"}, "> > a\r\n> b\r\n", "a\r\nb\r\n"},
    {"UnquoteLevelsIntMax", {"unquote", "--levels", "2147483647"}, "> > > a", "a"},
    {"UnquoteZeroLevels", {"unquote", "-n", "0"}, "> a\r\n> b", "> a\r\n> b"},
    {"UnquoteNegativeLevels", {"unquote", "-n", "-3"}, "> a", "> a"},
    {"UnquoteEmptySign", {"unquote", "-s", ""}, "> a\r\n", "> a\r\n"},
    {"UnquoteMultibyteSign", {"unquote", "-s", "😀"}, "😀a\r\n😀b", "a\r\nb"},
    {"StdinDash", {"quote", "-"}, "x", "> x"},
    {"OptionsAfterDoubleDash", {"quote", "--", "-"}, "x", "> x"},
    {"SameOutputOptionTwice", {"quote", "--lf", "--lf"}, "x\r\n", "> x\n"},
};
INSTANTIATE_TEST_SUITE_P(Filter, FilterOutput, testing::ValuesIn(kOptions),
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
    {"CrLfAndLf", {"quote", "--crlf", "--lf"}, "", 2, "'--crlf' and '--lf' cannot go together"},
    {"LfAndExact", {"unquote", "--lf", "--exact"}, "", 2, "cannot go together"},
    {"MissingFile", {"quote", "/nonexistent/tessel.txt"}, "", 1, "'/nonexistent/tessel.txt'"},
    {"FolderAsFile", {"quote", "/"}, "", 1, "cannot read '/'"},
    {"BadContinuation", {"quote"}, "ab\xC3(", 1, "byte offset 2"},
    {"Overlong", {"quote"}, "\xC0\xAF", 1, "byte offset 0"},
    {"OverlongThreeBytes", {"quote"}, "a\xE0\x80\xAF", 1, "byte offset 1"},
    {"Surrogate", {"quote"}, "ok\xED\xA0\x80", 1, "byte offset 2"},
    {"AboveUnicode", {"quote"}, "\xF4\x90\x80\x80", 1, "byte offset 0"},
    {"TruncatedAtEnd", {"unquote"}, "abc\xE2\x82", 1, "byte offset 3"},
    {"LoneContinuation", {"quote"}, "\x80", 1, "byte offset 0"},
    {"AfterByteOrderMark", {"unquote"}, BOM "> \xFF", 1, "byte offset 5"},
    {"FarIntoTheInput", {"quote"}, std::string(100000, 'a') + "\xC3", 1, "byte offset 100000"},
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
    EXPECT_EQ(result.out, "> from file\r\n");
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
    for (const char* command :
         {"echo hi | \"$TESSEL\" quote", "\"$TESSEL\" --help", "\"$TESSEL\" --version"})
    {
        const RunResult full = RunShell(std::string(command) + " >/dev/full");
        EXPECT_EQ(full.exitCode, 1) << command;
        EXPECT_EQ(full.err, "tessel: cannot write the output: No space left on device\n")
            << command;
    }
    // A reader that goes away early: tessel must report the closed pipe, not die of SIGPIPE.
    EXPECT_EQ(RunShell("yes 'a line of text' | head -n 200000 | \"$TESSEL\" quote | head -c 1 "
                       ">/dev/null; exit ${PIPESTATUS[2]}")
                  .exitCode,
              1);
}

// A regular file is mapped, anything else read in blocks that grow: both give the same result.
TEST(Filter, PipeAndFileGiveTheSameResult)
{
    const std::string file = TempPath("big.txt");
    EXPECT_EQ(RunShell("yes 'Lorem ipsum dolor sit amet, consectetur adipiscing elit' | "
                       "head -c 5000000 >'" +
                       file + "' && cmp <(\"$TESSEL\" quote <'" + file + "') <(cat '" + file +
                       "' | \"$TESSEL\" quote)")
                  .exitCode,
              0);
    std::remove(file.c_str());
}

// Standard input is read from where it stands and used up, as other filters do, also when it
// is a regular file (which the filter maps rather than reads).
TEST(Filter, StandardInputFromWhereItStands)
{
    const std::string file = TempPath("lines.txt");
    WriteFile(file, "skip\nkeep\n");
    const RunResult rest = RunShell("{ read -r first; \"$TESSEL\" quote; cat; } <'" + file + "'");
    std::remove(file.c_str());
    EXPECT_EQ(rest.exitCode, 0);
    EXPECT_EQ(rest.out, "> keep\n");
}

TEST(Filter, OutOfMemoryIsAnError)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer cannot run in a limited address space";
#endif
    // Endless input in 200 MB of address space.
    const RunResult result = RunShell("ulimit -v 200000; \"$TESSEL\" quote /dev/zero");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "tessel: out of memory\n");
}

// --exact is the engine's own result, also across the filter's output buffer and on every kind
// of character and line end.
TEST(Filter, ExactIsTheEngineResult)
{
    std::u16string text;
    for (int line = 0; text.size() < 200000; ++line)
    {
        text +=
            u"> Ελληνικά e\u0301 漢字 🇩🇪 👨‍👩‍👧 नमस्ते ";
        text.append(static_cast<std::size_t>(line % 97), u'x');
        text += line % 3 == 0 ? u"\r\n" : line % 3 == 1 ? u"\n" : u"\r";
    }
    std::string input;
    AppendUtf8(text, input);
    const auto utf8 = [](std::u16string_view result) {
        std::string bytes;
        AppendUtf8(result, bytes);
        return bytes;
    };
    const RunResult quoted = RunTessel({"quote", "--exact", "-w", "37", "-s", "» "}, input);
    EXPECT_EQ(quoted.exitCode, 0);
    EXPECT_TRUE(quoted.out == utf8(QuoteText(text, u"» ", 37))) << "quote differs";
    const RunResult unquoted = RunTessel({"unquote", "--exact", "-n", "3"}, input);
    EXPECT_EQ(unquoted.exitCode, 0);
    EXPECT_TRUE(unquoted.out == utf8(UnquoteText(text, u"> ", 3))) << "unquote differs";
}

} // namespace
} // namespace tessel::test
