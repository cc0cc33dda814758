// The version block of the built DLL, as installers and the file's properties read it.

#include "tests/server/test_files.h"
#include "tessel_version.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace tessel
{
namespace
{

TEST(VersionResource, NamesTheAddinAndItsVersion)
{
    const std::wstring dll = test::BesideTestProgram(L"Tessel.dll");
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(dll.c_str(), &handle);
    ASSERT_NE(size, 0u);
    std::vector<BYTE> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(dll.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
    const DWORD versionMS = MAKELONG(TESSEL_VERSION_MINOR, TESSEL_VERSION_MAJOR);
    const DWORD versionLS = MAKELONG(TESSEL_VERSION_TWEAK, TESSEL_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, versionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, versionLS);
    EXPECT_EQ(fixed->dwProductVersionMS, versionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, versionLS);
    EXPECT_EQ(fixed->dwFileFlags & fixed->dwFileFlagsMask, 0u) << "a release build";
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, 2 * sizeof(WORD));
    EXPECT_EQ(translation[0], 0x0409);
    EXPECT_EQ(translation[1], 0x04B0);

    const struct
    {
        const wchar_t* name;
        const wchar_t* value;
    } strings[] = {
        {L"FileDescription", L"Tessel Addin"},
        {L"FileVersion", L"" TESSEL_VERSION_COMMA_TEXT},
        {L"InternalName", L"Tessel"},
        {L"OriginalFilename", L"Tessel.dll"},
        {L"ProductName", L"Custom Tessel for Outlook"},
        {L"ProductVersion", L"" TESSEL_VERSION_COMMA_TEXT},
        // Present and empty: the DLL registers itself.
        {L"OLESelfRegister", L""},
    };
    for (const auto& s : strings)
    {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + s.name;
        wchar_t* value = nullptr;
        ASSERT_TRUE(
            VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
            << s.name;
        EXPECT_EQ(std::wstring(value), s.value) << s.name;
    }
}

} // namespace
} // namespace tessel
