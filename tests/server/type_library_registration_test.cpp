// Where the type library is looked for, and its registration from the .tlb beside a module.

#include "server/type_library_registration.h"

#include "server/interfaces.h"
#include "tests/support/registry_dump.h"
#include "tests/server/test_files.h"
#include "tests/support/temp_folder.h"
#include "win/ansi.h"

#include <gtest/gtest.h>

namespace tessel
{
namespace
{

TEST(TypeLibraryPaths, BesideTheModuleAndHelpDirectory)
{
    const struct
    {
        const wchar_t* module;
        const wchar_t* besideModule;
        const wchar_t* helpDirectory;
    } cases[] = {
        {L"C:\\Add-ins\\Tessel.dll", L"C:\\Add-ins\\Tessel.tlb", L"C:\\Add-ins\\"},
        {L"C:\\Add-ins\\Tessel.v1.dll", L"C:\\Add-ins\\Tessel.v1.tlb", L"C:\\Add-ins\\"},
        {L"C:\\Add-ins\\Tessel", L"C:\\Add-ins\\Tessel.tlb", L"C:\\Add-ins\\"},
        // A dot in a folder name is no extension of the file.
        {L"C:\\Add.ins\\Tessel", L"C:\\Add.ins\\Tessel.tlb", L"C:\\Add.ins\\"},
        {L"C:/Add.ins/Tessel", L"C:/Add.ins/Tessel.tlb", L"C:/Add.ins/"},
        {L"C:Tessel.dll", L"C:Tessel.tlb", L"C:"},
        {L"Tessel.dll", L"Tessel.tlb", L""},
        {L"\\\\server\\share\\Tessel.dll", L"\\\\server\\share\\Tessel.tlb",
         L"\\\\server\\share\\"},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(TypeLibBesideModule(c.module), c.besideModule) << c.module;
        EXPECT_EQ(HelpDirectoryOf(c.module), c.helpDirectory) << c.module;
    }
}

TEST(TypeLibraryRegistration, FallsBackToTheFileBesideTheModule)
{
    const std::wstring key = L"TypeLib\\" + GuidText(LIBID_TESSELLib);
    const std::wstring platform = sizeof(void*) == 8 ? L"win64" : L"win32";
    test::TempFolder temp;
    const std::wstring folder = AnsiToWide(temp.Path());
    // A module without a type library of its own: a text file.
    const std::wstring module = folder + L"Tessel.dll";
    test::WriteFileBytes(temp.File("Tessel.dll"), "not a module");

    std::wstring loadedFrom;
    ComPtr<ITypeLib> library;
    EXPECT_TRUE(FAILED(LoadServerTypeLib(module, &library, &loadedFrom))) << "no .tlb yet";
    EXPECT_TRUE(FAILED(RegisterServerTypeLib(module)));
    EXPECT_FALSE(test::KeyExists(HKEY_CLASSES_ROOT, key));

    ASSERT_TRUE(CopyFileW(test::BesideTestProgram(L"tessel.tlb").c_str(),
                          (folder + L"Tessel.tlb").c_str(), FALSE));
    ASSERT_EQ(RegisterServerTypeLib(module), S_OK);
    wchar_t path[MAX_PATH] = L"";
    DWORD size = sizeof(path);
    EXPECT_EQ(RegGetValueW(HKEY_CLASSES_ROOT, (key + L"\\1.0\\0\\" + platform).c_str(), nullptr,
                           RRF_RT_REG_SZ, nullptr, path, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(path), folder + L"Tessel.tlb");

    UnregisterServerTypeLib(module);
    EXPECT_FALSE(test::KeyExists(HKEY_CLASSES_ROOT, key));
}

} // namespace
} // namespace tessel
