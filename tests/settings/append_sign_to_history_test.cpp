#include "settings/sign_history.h"

#include "tests/settings/read_only_file.h"
#include "tests/support/temp_folder.h"

#include "win/unique_handle.h"

#include <gtest/gtest.h>

#include <string>

namespace tessel
{
namespace
{

class AppendSign : public testing::Test
{
  protected:
    bool Exists() const { return GetFileAttributesA(m_path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    test::TempFolder m_folder;
    const std::string m_path = m_folder.File("TesselHistory.lst");
};

struct AppendCase
{
    const char* name;
    const char* before; // null: no file yet
    const char* after;
};

class AppendSignTo : public AppendSign, public testing::WithParamInterface<AppendCase>
{
};

TEST_P(AppendSignTo, AddsALastLineAndKeepsWhatWasThere)
{
    if (GetParam().before != nullptr)
        test::WriteFileBytes(m_path, GetParam().before);
    EXPECT_TRUE(AppendSignToHistory(m_path, "|"));
    EXPECT_EQ(test::ReadFileBytes(m_path), GetParam().after);
}

const AppendCase kAppendCases[] = {
    {"NoFile", nullptr, "|\r\n"},
    {"EmptyFile", "", "|\r\n"},
    {"AfterCrLf", ">\r\n", ">\r\n|\r\n"},
    {"AfterLoneLf", ">\n", ">\n|\r\n"},
    {"AfterLoneCr", ">\r", ">\r|\r\n"},
    // A last line without a line end gets one first, or the two signs would merge into one.
    {"AfterLineWithoutLineEnd", ">", ">\r\n|\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Files, AppendSignTo, testing::ValuesIn(kAppendCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AppendSign, EmptySignSucceedsWithoutTouchingTheFileSystem)
{
    EXPECT_TRUE(AppendSignToHistory(m_path, ""));
    EXPECT_FALSE(Exists());
    EXPECT_TRUE(AppendSignToHistory("", ""));
}

TEST_F(AppendSign, FailsAndLeavesTheFileAsItWasWhenItCannotBeOpened)
{
    test::WriteFileBytes(m_path, ">\r\n");
    for (const DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}})
    {
        const unique_hfile holder(CreateFileA(m_path.c_str(), GENERIC_READ, share, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(AppendSignToHistory(m_path, "|")) << "held with share mode " << share;
    }
    EXPECT_EQ(test::ReadFileBytes(m_path), ">\r\n");

    ASSERT_TRUE(CreateDirectoryA(m_folder.File("Folder.lst").c_str(), nullptr));
    for (const std::string& path :
         {std::string(), m_folder.File("Folder.lst"), m_folder.File("missing\\TesselHistory.lst")})
        EXPECT_FALSE(AppendSignToHistory(path, ">")) << '"' << path << '"';
}

TEST_F(AppendSign, ReadOnlyFileFailsAndStaysAsItWas)
{
    test::WriteFileBytes(m_path, ">\r\n");
    if (!test::MakeReadOnly(m_path))
        GTEST_SKIP() << "read-only files are writable here (Wine run as root)";
    EXPECT_FALSE(AppendSignToHistory(m_path, "|"));
    EXPECT_EQ(test::ReadFileBytes(m_path), ">\r\n");
}

// Writers that stand in for a disk that fills up during the write.
BOOL WINAPI WriteHalf(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED)
{
    return WriteFile(file, data, size / 2, written, nullptr);
}

BOOL WINAPI WriteAllThenFail(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED)
{
    WriteFile(file, data, size, written, nullptr);
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

TEST_F(AppendSign, ShortOrFailedWriteCutsTheFileBackToItsFormerLength)
{
    test::WriteFileBytes(m_path, ">\r\n");
    for (const WriteFileFunction write : {&WriteHalf, &WriteAllThenFail})
    {
        const unique_hfile file(CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        EXPECT_FALSE(AppendWhole(file.get(), "a longer sign\r\n", write));
    }
    EXPECT_EQ(test::ReadFileBytes(m_path), ">\r\n");
    EXPECT_TRUE(AppendSignToHistory(m_path, "|"));
    EXPECT_EQ(test::ReadFileBytes(m_path), ">\r\n|\r\n");
}

} // namespace
} // namespace tessel
