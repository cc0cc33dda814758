// The x64 installer package as a user installs it, in a Wine prefix made fresh for this run:
// msiexec /i ... /qn, the client creating the add-in by its ProgID, an upgrade, a repair and the
// removal. Every test starts and ends with no version of the package installed.

#include "server/interfaces.h"
#include "tessel_version.h"
#include "tests/support/child_process.h"
#include "tests/support/registry_dump.h"
#include "tests/support/temp_folder.h"
#include "win/ansi.h"
#include "win/unique_handle.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <windows.h>
#include <msi.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>

namespace tessel::test
{
namespace
{

using Lines = std::vector<std::wstring>;
using testing::HasSubstr;

const std::wstring kPackage = WindowsPath(TESSEL_MSI_PATH);
const std::wstring kNextPackage = WindowsPath(TESSEL_NEXT_MSI_PATH);
const std::wstring kBuiltDll = WindowsPath(TESSEL_DLL_PATH);
const std::wstring kHostsim = WindowsPath(TESSEL_HOSTSIM_PATH);
const wchar_t kUpgradeCode[] = L"{" TESSEL_UPGRADE_CODE "}";

// The keys of the registration, below a classes root and below HKEY_CURRENT_USER.
const Lines kClassKeys = {L"Tessel.Addin.1", L"Tessel.Addin", L"CLSID\\" + GuidText(CLSID_Addin),
                          L"TypeLib\\" + GuidText(LIBID_TESSELLib),
                          L"Interface\\" + GuidText(IID_IAddin)};
const std::wstring kAddinsKey = L"Software\\Microsoft\\Office\\Outlook\\Addins";
// The user's opt-in to the 2007-365 clients, which the x64 package always writes.
const std::wstring kSettingsKey = L"Software\\Tessel";
constexpr wchar_t kModernClients[] = L"ModernClients";
const std::wstring kUserClasses = L"Software\\Classes";
const std::wstring kMachineClasses = L"Software\\Classes";

constexpr char kMessage[] = "Hello Anna,\r\nthe tiles are in.\r\n";
constexpr char kQuoted[] = "> Hello Anna,\r\n> the tiles are in.\r\n> ";
// The user's files as the add-in might have left them: CR LF, a sign with its blank, a byte of
// the ANSI code page, no line end at the very end.
constexpr char kSettings[] = "[Quote]\r\nMode=1\r\nWidth=72\r\nQuoteLast=\"> \"\r\n";
constexpr char kHistory[] = "> \r\n| \r\n\xBB ";

// [LocalAppDataFolder]Tessel\, where the package puts the add-in.
std::string InstallFolder()
{
    wchar_t folder[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    return WideToAnsi(folder) + "\\Tessel\\";
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The registration as dump lines: the class keys below classesRoot and the add-in key below
// HKEY_CURRENT_USER, whichever root they came from.
Lines DumpRegistration(HKEY classesRoot)
{
    Lines lines;
    for (const std::wstring& key : kClassKeys)
    {
        const Lines dumped = DumpRegistry(classesRoot, key, L"classes");
        lines.insert(lines.end(), dumped.begin(), dumped.end());
    }
    const Lines addin = DumpRegistry(HKEY_CURRENT_USER, kAddinsKey + L"\\Tessel.Addin", L"HKCU");
    lines.insert(lines.end(), addin.begin(), addin.end());
    std::sort(lines.begin(), lines.end());
    return lines;
}

unique_hkey OpenKey(HKEY root, const std::wstring& path)
{
    unique_hkey key;
    RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put());
    return key;
}

Lines DumpUserRegistration()
{
    const unique_hkey classes = OpenKey(HKEY_CURRENT_USER, kUserClasses);
    return classes ? DumpRegistration(classes.get()) : DumpRegistration(nullptr);
}

// The installed products of the package's UpgradeCode, as Windows Installer lists them.
Lines InstalledProducts()
{
    Lines products;
    for (DWORD index = 0;; ++index)
    {
        wchar_t product[39];
        if (MsiEnumRelatedProductsW(kUpgradeCode, 0, index, product) != ERROR_SUCCESS)
            return products;
        products.emplace_back(product);
    }
}

// The opt-in's value, or nothing.
std::optional<DWORD> ModernClientsValue()
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kSettingsKey.c_str(), kModernClients, RRF_RT_REG_DWORD,
                     nullptr, &value, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

std::wstring ProductInfo(const std::wstring& product, const wchar_t* property)
{
    wchar_t value[256] = L"";
    DWORD length = static_cast<DWORD>(std::size(value));
    if (MsiGetProductInfoW(product.c_str(), property, value, &length) != ERROR_SUCCESS)
        return L"<missing>";
    return value;
}

// Windows shows HKEY_CLASSES_ROOT as HKLM\Software\Classes merged with the user's
// HKCU\Software\Classes, so the client finds a class registered for the user alone; Wine 8's
// HKEY_CLASSES_ROOT is the machine's classes only, and COM under Wine would not see the package's
// registration. While it lives, this object stands in for the merged view: it copies the
// user's class keys, as the package wrote them, to the machine's classes.
class MergedClassesView
{
  public:
    MergedClassesView()
    {
        for (const std::wstring& key : kClassKeys)
        {
            const unique_hkey from = OpenKey(HKEY_CURRENT_USER, kUserClasses + L"\\" + key);
            unique_hkey to;
            if (!from ||
                RegCreateKeyExW(HKEY_LOCAL_MACHINE, (kMachineClasses + L"\\" + key).c_str(), 0,
                                nullptr, 0, KEY_ALL_ACCESS, nullptr, to.put(),
                                nullptr) != ERROR_SUCCESS)
                continue;
            RegCopyTreeW(from.get(), nullptr, to.get());
        }
    }
    ~MergedClassesView()
    {
        for (const std::wstring& key : kClassKeys)
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, (kMachineClasses + L"\\" + key).c_str());
    }
    MergedClassesView(const MergedClassesView&) = delete;
    MergedClassesView& operator=(const MergedClassesView&) = delete;
};

class Package : public testing::Test
{
  protected:
    void SetUp() override { RemoveEverything(); }
    void TearDown() override { RemoveEverything(); }

    long Run(const std::wstring& program, const std::vector<std::wstring>& arguments)
    {
        return RunProgram(program, arguments, m_scratch.Path()).exitCode;
    }
    long Msiexec(const std::vector<std::wstring>& arguments)
    {
        std::vector<std::wstring> withQuiet = arguments;
        withQuiet.push_back(L"/qn");
        return Run(L"msiexec.exe", withQuiet);
    }
    long Install(const std::wstring& package) { return Msiexec({L"/i", package}); }

    void WriteUsersFiles()
    {
        WriteFileBytes(m_folder + "Tessel.ini", kSettings);
        WriteFileBytes(m_folder + "TesselHistory.lst", kHistory);
    }
    void ExpectUsersFilesUnchanged()
    {
        EXPECT_EQ(ReadFileBytes(m_folder + "Tessel.ini"), kSettings);
        EXPECT_EQ(ReadFileBytes(m_folder + "TesselHistory.lst"), kHistory);
    }

    const std::string m_folder = InstallFolder();
    const std::string m_dll = m_folder + "Tessel.dll";
    TempFolder m_scratch;

  private:
    // Whatever an earlier test left: installed products, the user's files, the folder.
    void RemoveEverything()
    {
        for (const std::wstring& product : InstalledProducts())
            Msiexec({L"/x", product});
        for (const char* name : {"Tessel.ini", "TesselHistory.lst", "Tessel.dll"})
            DeleteFileA((m_folder + name).c_str());
        RemoveDirectoryA(m_folder.c_str());
        ASSERT_EQ(InstalledProducts(), Lines{});
    }
};

TEST_F(Package, InstallsForTheUserAloneAndTheClientCreatesTheAddinByItsProgId)
{
    ASSERT_EQ(Install(kPackage), 0);

    EXPECT_EQ(ReadFileBytes(m_dll), ReadFileBytes(WideToAnsi(kBuiltDll)));
    const Lines products = InstalledProducts();
    ASSERT_EQ(products.size(), 1u);
    EXPECT_EQ(ProductInfo(products[0], L"InstalledProductName"), L"" TESSEL_PRODUCT_NAME);
    EXPECT_EQ(ProductInfo(products[0], L"VersionString"), L"" TESSEL_VERSION_TEXT);
    EXPECT_EQ(ProductInfo(products[0], L"Publisher"), L"" TESSEL_MANUFACTURER);
    // For this user only: nothing among the machine's classes.
    for (const std::wstring& key : kClassKeys)
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kMachineClasses + L"\\" + key)) << key;

    WriteFileBytes(m_scratch.File("message.txt"), kMessage);
    const std::wstring quotedPath = AnsiToWide(m_scratch.File("quoted.txt"));
    ProgramRun quote;
    {
        const MergedClassesView merged;
        quote = RunProgram(kHostsim,
                           {L"--message", AnsiToWide(m_scratch.File("message.txt")), L"--mode",
                            L"quote", L"--sign", L"> ", L"--width", L"60", L"--out", quotedPath},
                           m_scratch.Path());
    }
    ASSERT_EQ(quote.exitCode, 0) << quote.out << quote.err;
    EXPECT_THAT(quote.out, HasSubstr("create Tessel.Addin " + WideToAnsi(GuidText(CLSID_Addin)) +
                                     " from " + m_dll + "\n"));
    EXPECT_THAT(quote.out, HasSubstr("live objects: none\nDllCanUnloadNow: S_OK\n"));
    EXPECT_EQ(ReadFileBytes(m_scratch.File("quoted.txt")), kQuoted);
    // The add-in keeps its settings and sign history beside itself, where the user may write.
    EXPECT_THAT(ReadFileBytes(m_folder + "Tessel.ini"), HasSubstr("QuoteLast="));
    EXPECT_THAT(ReadFileBytes(m_folder + "TesselHistory.lst"), HasSubstr(">"));

    // Every 64-bit client is 2010 or later: the package opts the user in, and the installed
    // add-in quotes through the ribbon of such a client.
    EXPECT_EQ(ModernClientsValue(), std::optional<DWORD>(1));
    ProgramRun ribbon;
    {
        const MergedClassesView merged;
        ribbon = RunProgram(kHostsim,
                            {L"--version", L"16.0.17928.20114", L"--message",
                             AnsiToWide(m_scratch.File("message.txt")), L"--mode", L"quote",
                             L"--out", quotedPath},
                            m_scratch.Path());
    }
    ASSERT_EQ(ribbon.exitCode, 0) << ribbon.out << ribbon.err;
    EXPECT_THAT(ribbon.out,
                HasSubstr("click ribbon Inspector 1 > \"&Quote/Unquote Selected Text\""));
    EXPECT_EQ(ReadFileBytes(m_scratch.File("quoted.txt")),
              "> Hello Anna,\r> the tiles are in.\r> ");
}

// The package writes, for the user, exactly what the DLL's own DllRegisterServer writes into
// HKEY_CLASSES_ROOT and HKEY_CURRENT_USER for a DLL at the same path.
TEST_F(Package, RegistersWhatTheDllRegistersForItself)
{
    ASSERT_EQ(Install(kPackage), 0);
    const Lines installed = DumpUserRegistration();
    ASSERT_EQ(Msiexec({L"/x", kPackage}), 0);

    ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(kBuiltDll.c_str(), AnsiToWide(m_dll).c_str(), FALSE));
    ASSERT_EQ(Run(L"regsvr32.exe", {L"/s", AnsiToWide(m_dll)}), 0);
    const Lines selfRegistered = DumpRegistration(HKEY_CLASSES_ROOT);
    EXPECT_EQ(Run(L"regsvr32.exe", {L"/s", L"/u", AnsiToWide(m_dll)}), 0);

    EXPECT_EQ(installed, selfRegistered);
    EXPECT_THAT(installed,
                testing::Contains(L"classes\\CLSID\\" + GuidText(CLSID_Addin) +
                                  L"\\InprocServer32 @ = \"" + AnsiToWide(m_dll) + L"\""));
}

TEST_F(Package, UpgradeRepairAndReinstallKeepTheUsersFilesByteForByte)
{
    ASSERT_EQ(Install(kPackage), 0);
    WriteUsersFiles();
    const Lines before = InstalledProducts();
    ASSERT_EQ(before.size(), 1u);

    ASSERT_EQ(Install(kNextPackage), 0);
    const Lines after = InstalledProducts();
    ASSERT_EQ(after.size(), 1u) << "installed beside the older version, not over it";
    EXPECT_NE(after[0], before[0]);
    EXPECT_EQ(ProductInfo(after[0], L"VersionString"), L"" TESSEL_NEXT_VERSION);
    EXPECT_TRUE(FileExists(m_dll));
    ExpectUsersFilesUnchanged();

    // A repair brings back what went missing (msiexec /f does the same; Wine's takes no package
    // installed for one user).
    ASSERT_TRUE(DeleteFileA(m_dll.c_str()));
    RegDeleteTreeW(HKEY_CURRENT_USER, (kAddinsKey + L"\\Tessel.Addin").c_str());
    ASSERT_EQ(Msiexec({L"/i", kNextPackage, L"REINSTALL=ALL", L"REINSTALLMODE=omus"}), 0)
        << "repair";
    EXPECT_TRUE(FileExists(m_dll));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kAddinsKey + L"\\Tessel.Addin"));
    ExpectUsersFilesUnchanged();

    ASSERT_EQ(Msiexec({L"/i", kNextPackage, L"REINSTALL=ALL", L"REINSTALLMODE=amus"}), 0)
        << "reinstall";
    EXPECT_EQ(InstalledProducts(), after);
    ExpectUsersFilesUnchanged();
}

// Removal takes the DLL and every registry entry the package wrote; other add-ins and other
// classes stay, and so do the user's settings and history, which a later install finds again.
// Without them the folder goes too.
TEST_F(Package, RemovalTakesWhatItInstalledAndLeavesOtherAddinsAndTheUsersFiles)
{
    CreateKeyWithValue(HKEY_CURRENT_USER, kAddinsKey + L"\\Other.Addin", L"FriendlyName", L"Other");
    CreateKeyWithValue(HKEY_CURRENT_USER, kUserClasses + L"\\Other.Addin\\CLSID");
    ASSERT_EQ(Install(kPackage), 0);
    WriteUsersFiles();

    ASSERT_EQ(Msiexec({L"/x", kPackage}), 0);
    EXPECT_FALSE(FileExists(m_dll));
    EXPECT_EQ(DumpUserRegistration(), Lines{});
    EXPECT_EQ(ModernClientsValue(), std::nullopt);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsKey)) << "the emptied key stays behind";
    EXPECT_EQ(InstalledProducts(), Lines{});
    EXPECT_EQ(SubkeyNames(HKEY_CURRENT_USER, kAddinsKey), Lines{L"Other.Addin"});
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kUserClasses + L"\\Other.Addin\\CLSID"));
    ExpectUsersFilesUnchanged();

    ASSERT_EQ(Install(kPackage), 0);
    ExpectUsersFilesUnchanged();
    ASSERT_EQ(Msiexec({L"/x", kPackage}), 0);
    DeleteFileA((m_folder + "Tessel.ini").c_str());
    DeleteFileA((m_folder + "TesselHistory.lst").c_str());

    ASSERT_EQ(Install(kPackage), 0);
    ASSERT_EQ(Msiexec({L"/x", kPackage}), 0);
    EXPECT_FALSE(FileExists(m_folder)) << "the empty folder stays behind";

    RegDeleteTreeW(HKEY_CURRENT_USER, (kAddinsKey + L"\\Other.Addin").c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, (kUserClasses + L"\\Other.Addin").c_str());
}

} // namespace
} // namespace tessel::test
