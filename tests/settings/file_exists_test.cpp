#include "settings/sign_history.h"

#include "tests/support/temp_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace tessel
{
namespace
{

struct ExistsCase
{
    const char* path; // relative to the temporary folder, which is the current folder
    bool expected;
};

TEST(FileExists, NeedsFourCharactersAndAnEntryThatFindFirstFileFinds)
{
    test::TempFolder folder;
    for (const char* name : {"a", "ab", "abc", "abcd", "TesselHistory.lst"})
        test::WriteFileBytes(folder.File(name), ">\r\n");
    ASSERT_TRUE(CreateDirectoryA(folder.File("dir1").c_str(), nullptr));

    char former[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, former), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));

    const ExistsCase cases[] = {
        // Short paths are refused without asking the file system, though these files exist.
        {"", false},
        {"a", false},
        {"ab", false},
        {"abc", false},
        {"*", false},
        {"ab*", false},
        {"abcd", true},
        {"abc*", true},
        {"TesselHistory.lst", true},
        {"Tessel.ini", false},
        {"dir1", true},
        // FindFirstFileA matches nothing for a path that ends in a backslash.
        {"dir1\\", false},
        {"*.lst", true},
        {"*.none", false},
        {"missing\\TesselHistory.lst", false},
    };
    for (const ExistsCase& c : cases)
        EXPECT_EQ(FileExists(c.path), c.expected) << '"' << c.path << '"';
    EXPECT_TRUE(FileExists(folder.File("TesselHistory.lst")));
    EXPECT_FALSE(FileExists(folder.File("Missing.lst")));

    SetCurrentDirectoryA(former);
}

} // namespace
} // namespace tessel
