#include "addin/data_files.h"
#include "addin/host_checks.h"
#include "settings/data_paths.h"
#include "tests/support/temp_folder.h"
#include "win/ansi.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace tessel
{
namespace
{

TEST(HostChecks, TitleMustEndInTheHostsName)
{
    const struct
    {
        const char* title;
        bool accepted;
    } cases[] = {
        {"Inbox - Microsoft Outlook", true},
        {"Microsoft Outlook", true},
        {"Inbox - Microsoft Office Outlook", true},
        {"Microsoft Office Outlook", true}, // fails the short test, passes the long one
        {"Inbox - Microsoft Outlook ", false},
        {"Inbox - Microsoft Outlook 2003", false},
        {"Inbox - microsoft outlook", false},
        {"Outlook", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsHostTitleAccepted(c.title), c.accepted) << c.title;
}

TEST(HostChecks, MajorVersionFromTheVersionText)
{
    const struct
    {
        const char* version;
        int major;
    } cases[] = {
        {"9.0.0.2711", 9}, {"10.0.6626", 10}, {"11.0.5608", 11}, {"9", 9},    {"12.0.4518", 0},
        {"8.5", 0},        {"1", 0},          {"", 0},           {"99.1", 9}, {"110", 11},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HostMajorVersion(c.version), c.major) << c.version;
}

TEST(HostChecks, ModernMajorVersionIsTheWholeNumberBeforeTheDot)
{
    const struct
    {
        const char* version;
        int major;
    } cases[] = {
        {"12.0.6607.1000", 12},
        {"16.0.17928.20114", 16},
        {"16", 16},
        {"11.0.5608", 0},
        {"17.0", 0},
        {"120.0", 0},
        {"16x", 0},
        {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ModernHostMajorVersion(c.version), c.major) << c.version;
}

TEST(DataFiles, FolderOfPath)
{
    const struct
    {
        const char* path;
        const char* folder;
    } cases[] = {
        {"X:\\Addins\\Tessel.dll", "X:\\Addins"},
        {"X:\\Addins\\", "X:"},
        {"X:\\Addins\\\\\\", "X:"},
        {"X:\\Tessel.dll", "X:"},
        {"Tessel.dll", ""},
        {"\\\\", ""},
        {"", ""},
        {"\\\\server\\share\\Tessel.dll", "\\\\server\\share"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetFolderOfPath(c.path), c.folder) << c.path;
}

TEST(DataFiles, BesideTheDllOrElseBesideTheHostProgram)
{
    test::TempFolder folder;
    const std::string dll = folder.File("Tessel.dll");
    test::WriteFileBytes(dll, "MZ");
    LocateDataFiles(AnsiToWide(dll));
    EXPECT_EQ(g_strIniPath, folder.File("Tessel.ini"));
    EXPECT_EQ(g_strHistoryPath, folder.File("TesselHistory.lst"));

    const std::string program = GetHostExeFolder();
    ASSERT_EQ(program.back(), '\\');
    for (const std::string& missing : {folder.File("Gone.dll"), std::string("a.b"), std::string()})
    {
        LocateDataFiles(AnsiToWide(missing));
        EXPECT_EQ(g_strIniPath, program + "Tessel.ini") << missing;
        EXPECT_EQ(g_strHistoryPath, program + "TesselHistory.lst") << missing;
    }
    g_strIniPath.clear();
    g_strHistoryPath.clear();
}

TEST(DataFiles, TheDllPathIsTheModuleHoldingTheCode)
{
    // Linked into this test program, the add-in's code lives in the program itself.
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    EXPECT_EQ(GetAddinDllPath(), program);
}

} // namespace
} // namespace tessel
