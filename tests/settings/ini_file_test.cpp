#include "settings/ini_file.h"
#include "settings/quote_options.h"

#include "tests/settings/read_only_file.h"
#include "tests/support/temp_folder.h"

#include "win/unique_handle.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace tessel
{
namespace
{

constexpr const char* kSection = "Settings";

class IniFile : public testing::Test
{
  protected:
    test::TempFolder m_folder;
    const std::string m_path = m_folder.File("Tessel.ini");
};

TEST_F(IniFile, FirstRunReadsTheDefaultsOfQuoteOptions)
{
    const QuoteOptions defaults;
    // Without a file, then with a file that holds only another key.
    for (int pass = 0; pass < 2; ++pass)
    {
        SCOPED_TRACE(pass == 0 ? "no file" : "other key only");
        EXPECT_EQ(IniReadInt(kSection, "Mode", defaults.mode, m_path), 0);
        EXPECT_EQ(IniReadInt(kSection, "WordWrap", defaults.wrapWidth, m_path), 60);
        EXPECT_EQ(IniReadInt(kSection, "UnquoteLevels", defaults.unquoteLevels, m_path), 1);
        EXPECT_EQ(IniReadString(kSection, "QuoteLast", defaults.addSign, m_path), "");
        EXPECT_EQ(IniReadString(kSection, "UnquoteLast", defaults.removeSign, m_path), "");
        EXPECT_EQ(IniReadInt(kSection, "Absent", -7, m_path), -7);
        EXPECT_EQ(IniReadString(kSection, "Absent", ">>", m_path), ">>");
        IniWriteInt(kSection, "Other", 5, m_path);
    }
}

struct StoredIntCase
{
    const char* name;
    const char* stored;
    int expected;
};

class IniReadIntOf : public IniFile, public testing::WithParamInterface<StoredIntCase>
{
};

TEST_P(IniReadIntOf, ParsesTheLeadingNumber)
{
    IniWriteString(kSection, "WordWrap", GetParam().stored, m_path);
    EXPECT_EQ(IniReadInt(kSection, "WordWrap", 60, m_path), GetParam().expected);
}

const StoredIntCase kStoredInts[] = {
    {"EmptyValueIsZeroNotTheDefault", "", 0},
    {"Plain", "72", 72},
    {"DigitsThenLetters", "60abc", 60},
    {"LeadingBlanksAndMinus", "  -5", -5},
    {"Plus", "+7", 7},
    {"Letter", "x", 0},
    {"SignAlone", "-", 0},
    {"TwoSigns", "+-3", 0},
    {"BlankAfterSign", "- 3", 0},
    {"LeadingZeros", "007", 7},
    {"StopsAtBlank", "1 2", 1},
    {"HexIsZero", "0x10", 0},
    {"ModeTwo", "2", 2},
    {"IntMax", "2147483647", INT_MAX},
    {"IntMin", "-2147483648", INT_MIN},
    // Out of range saturates; wrapping would turn 2^32 + 60 into a valid width of 60.
    {"JustAboveIntMax", "2147483648", INT_MAX},
    {"JustBelowIntMin", "-2147483649", INT_MIN},
    {"WouldWrapToSixty", "4294967356", INT_MAX},
    {"TwentyDigits", "99999999999999999999", INT_MAX},
    {"TwentyDigitsNegative", "-99999999999999999999x", INT_MIN},
};
INSTANTIATE_TEST_SUITE_P(Values, IniReadIntOf, testing::ValuesIn(kStoredInts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniFile, WritesIntegersAsDecimalAndReplacesEarlierValues)
{
    IniWriteInt(kSection, "Mode", 1, m_path);
    IniWriteInt(kSection, "WordWrap", -5, m_path);
    IniWriteInt(kSection, "UnquoteLevels", INT_MIN, m_path);
    IniWriteString(kSection, "QuoteLast", "", m_path);
    IniWriteInt(kSection, "Mode", 0, m_path);

    const std::string file = test::ReadFileBytes(m_path);
    EXPECT_NE(file.find("[Settings]\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("Mode=0\r\n"), std::string::npos) << file;
    EXPECT_EQ(file.find("Mode=1"), std::string::npos) << file;
    EXPECT_NE(file.find("WordWrap=-5\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("UnquoteLevels=-2147483648\r\n"), std::string::npos) << file;
    // An empty string keeps the key, which then reads as empty rather than as the default.
    EXPECT_NE(file.find("QuoteLast=\"\"\r\n"), std::string::npos) << file;
    EXPECT_EQ(IniReadString(kSection, "QuoteLast", "default", m_path), "");
    EXPECT_EQ(IniReadInt(kSection, "UnquoteLevels", 1, m_path), INT_MIN);
}

struct StringCase
{
    const char* name;
    const char* value;
};

class IniStringOf : public IniFile, public testing::WithParamInterface<StringCase>
{
};

// Strings are written inside quotes, which the reader removes after trimming blanks.
TEST_P(IniStringOf, ReadsBackExactlyAsWritten)
{
    IniWriteString(kSection, "QuoteLast", GetParam().value, m_path);
    EXPECT_EQ(IniReadString(kSection, "QuoteLast", "", m_path), GetParam().value);
}

const StringCase kStrings[] = {
    {"TrailingBlank", "> "}, {"LeadingBlank", " >"},
    {"BlanksOnly", "   "},   {"TabsAround", "\t>\t"},
    {"Quoted", "\"q\""},     {"QuoteAlone", "\""},
    {"SingleQuoted", "'s'"}, {"EqualsAndSemicolon", ";a=b"},
    {"Empty", ""},
};
INSTANTIATE_TEST_SUITE_P(Values, IniStringOf, testing::ValuesIn(kStrings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniFile, ValuesWrittenUnquotedBeforeReadAsTheyDid)
{
    test::WriteFileBytes(m_path, "[Settings]\r\nQuoteLast=> \r\nUnquoteLast=\"|\"\r\n");
    EXPECT_EQ(IniReadString(kSection, "QuoteLast", "", m_path), ">");
    EXPECT_EQ(IniReadString(kSection, "UnquoteLast", "", m_path), "|");
}

TEST_F(IniFile, LongStringReadsBackCutTo254Characters)
{
    std::string value;
    for (int i = 0; i < 300; ++i)
        value += static_cast<char>('a' + i % 26);
    IniWriteString(kSection, "QuoteLast", value, m_path);
    EXPECT_EQ(IniReadString(kSection, "QuoteLast", "", m_path), value.substr(0, 254));
    EXPECT_EQ(IniReadString(kSection, "Absent", value, m_path), value.substr(0, 254));
}

TEST_F(IniFile, FailedWritesAreIgnored)
{
    const std::string before = "[Settings]\r\nMode=1\r\n";
    test::WriteFileBytes(m_path, before);
    {
        const unique_hfile holder(CreateFileA(m_path.c_str(), GENERIC_READ, 0, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        IniWriteInt(kSection, "Mode", 0, m_path);
    }
    EXPECT_EQ(test::ReadFileBytes(m_path), before);
    EXPECT_EQ(IniReadInt(kSection, "Mode", 0, m_path), 1);

    // A missing folder is not created; an empty path names no file at all.
    const std::string missingFolder = m_folder.File("missing");
    for (const std::string& path : {missingFolder + "\\Tessel.ini", std::string()})
    {
        IniWriteInt(kSection, "Mode", 1, path);
        EXPECT_EQ(IniReadInt(kSection, "Mode", 0, path), 0) << '"' << path << '"';
    }
    EXPECT_EQ(GetFileAttributesA(missingFolder.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(IniFile, WriteToReadOnlyFileIsIgnored)
{
    const std::string before = "[Settings]\r\nMode=1\r\n";
    test::WriteFileBytes(m_path, before);
    if (!test::MakeReadOnly(m_path))
        GTEST_SKIP() << "read-only files are writable here (Wine run as root)";

    IniWriteInt(kSection, "Mode", 0, m_path);
    IniWriteString(kSection, "QuoteLast", ">", m_path);

    EXPECT_EQ(test::ReadFileBytes(m_path), before);
}

} // namespace
} // namespace tessel
