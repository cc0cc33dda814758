#include "settings/data_paths.h"
#include "settings/sign_history.h"

#include "tests/support/temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessel
{
namespace
{

using Signs = std::vector<std::string>;

// One dialog run: the history as loaded when the dialog opened, then the confirmation.
class RememberSignsTest : public testing::Test
{
  protected:
    RememberSignsTest() { g_strHistoryPath = m_folder.File("TesselHistory.lst"); }
    ~RememberSignsTest() override { g_strHistoryPath.clear(); }

    Signs Confirm(const std::string& addSign, const std::string& removeSign)
    {
        CStringList list;
        LoadSignHistory(g_strHistoryPath, list);
        RememberSigns(list, addSign, removeSign);
        return Signs(list.begin(), list.end());
    }
    std::string File() const { return test::ReadFileBytes(g_strHistoryPath); }
    bool FileCreated() const
    {
        return GetFileAttributesA(g_strHistoryPath.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    test::TempFolder m_folder;
};

TEST_F(RememberSignsTest, NewSignsAreAppendedAddSignFirst)
{
    EXPECT_EQ(Confirm(">", "|"), (Signs{"|", ">"}));
    EXPECT_EQ(File(), ">\r\n|\r\n");
}

TEST_F(RememberSignsTest, KnownSignsAreNotAppendedAgainNorReordered)
{
    test::WriteFileBytes(g_strHistoryPath, ">\r\n|\r\n");
    EXPECT_EQ(Confirm(">", "|"), (Signs{"|", ">"}));
    EXPECT_EQ(Confirm("|", ">"), (Signs{"|", ">"}));
    EXPECT_EQ(File(), ">\r\n|\r\n");
}

TEST_F(RememberSignsTest, OneNewSignInBothBoxesIsAppendedOnce)
{
    test::WriteFileBytes(g_strHistoryPath, "|\r\n");
    EXPECT_EQ(Confirm(">>", ">>"), (Signs{">>", "|"}));
    EXPECT_EQ(File(), "|\r\n>>\r\n");
}

TEST_F(RememberSignsTest, EmptySignsLeaveTheFileUntouched)
{
    EXPECT_EQ(Confirm("", ""), Signs{});
    EXPECT_FALSE(FileCreated());

    test::WriteFileBytes(g_strHistoryPath, ">\r\n");
    EXPECT_EQ(Confirm(">", ""), Signs{">"});
    EXPECT_EQ(Confirm("", "|"), (Signs{"|", ">"}));
    EXPECT_EQ(File(), ">\r\n|\r\n");
}

TEST_F(RememberSignsTest, SignWithTrailingBlankRoundTripsAndIsAppendedOnce)
{
    EXPECT_EQ(Confirm("> ", ">"), (Signs{">", "> "}));
    EXPECT_EQ(Confirm("> ", ">"), (Signs{">", "> "}));
    EXPECT_EQ(Confirm(">", "> "), (Signs{">", "> "}));
    EXPECT_EQ(File(), "> \r\n>\r\n");
}

// A sign that loading would skip or cut would never be found again, and be appended at every
// use: it is not appended at all. The history is left exactly as it was, however often.
TEST_F(RememberSignsTest, SignsThatWouldNotLoadBackAreNotAppended)
{
    const std::string history = ">\r\n";
    const std::string notLoadable[] = {
        "   ", "\t", " \t\v\f ", std::string(1024, '>'), "a\rb", "a\nb", std::string("a\0b", 3),
    };
    for (const std::string& sign : notLoadable)
    {
        test::WriteFileBytes(g_strHistoryPath, history);
        for (int use = 0; use < 3; ++use)
            Confirm(sign, sign);
        EXPECT_EQ(File(), history) << sign.size() << " bytes";
    }
    // The longest sign that loads back whole is appended, once.
    const std::string longest(1023, '>');
    EXPECT_EQ(Confirm(longest, ">"), (Signs{longest, ">"}));
    EXPECT_EQ(Confirm(longest, ">"), (Signs{longest, ">"}));
    EXPECT_EQ(File(), history + longest + "\r\n");
}

TEST_F(RememberSignsTest, ComparisonIsCaseSensitive)
{
    test::WriteFileBytes(g_strHistoryPath, "a:\r\n");
    EXPECT_EQ(Confirm("A:", "a:"), (Signs{"A:", "a:"}));
    EXPECT_EQ(File(), "a:\r\nA:\r\n");
}

TEST_F(RememberSignsTest, BetweenSignsRunsAfterTheAddSignIsWritten)
{
    CStringList list;
    std::string fileBetween;
    int calls = 0;
    RememberSigns(list, ">", "|", [&] {
        fileBetween = File();
        ++calls;
    });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(fileBetween, ">\r\n");
    EXPECT_EQ(File(), ">\r\n|\r\n");
}

TEST_F(RememberSignsTest, WithoutAHistoryPathSignsStillJoinTheList)
{
    g_strHistoryPath.clear();
    EXPECT_EQ(Confirm(">", ">"), Signs{">"});
    EXPECT_FALSE(FileExists(g_strHistoryPath));
}

} // namespace
} // namespace tessel
