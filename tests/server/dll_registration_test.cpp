// Registration of the built DLL in the machine's registry: through regsvr32 and through the
// exports. Every test starts and ends with the DLL unregistered.

#include "server/interfaces.h"
#include "win/com_apartment.h"
#include "tests/server/registration_outcome.h"
#include "tests/support/registry_dump.h"
#include "tests/server/server_dll.h"
#include "tests/server/test_files.h"
#include "tests/support/temp_folder.h"
#include "win/ansi.h"

#include <gtest/gtest.h>

namespace tessel
{
namespace
{

using Lines = std::vector<std::wstring>;

const std::wstring kClassKey = L"CLSID\\" + GuidText(CLSID_Addin);
const std::wstring kAddinsKey = L"Software\\Microsoft\\Office\\Outlook\\Addins";
const std::wstring kTypeLibKey = L"TypeLib\\" + GuidText(LIBID_TESSELLib);
const wchar_t* const kPlatform = sizeof(void*) == 8 ? L"win64" : L"win32";

// The add-in's own keys in the machine's registry, as dump lines.
Lines DumpAddinKeys()
{
    Lines lines;
    for (const std::wstring& key :
         {std::wstring(L"Tessel.Addin.1"), std::wstring(L"Tessel.Addin"), kClassKey})
    {
        const Lines dumped = test::DumpRegistry(HKEY_CLASSES_ROOT, key, L"HKCR");
        lines.insert(lines.end(), dumped.begin(), dumped.end());
    }
    const Lines addin =
        test::DumpRegistry(HKEY_CURRENT_USER, kAddinsKey + L"\\Tessel.Addin", L"HKCU");
    lines.insert(lines.end(), addin.begin(), addin.end());
    std::sort(lines.begin(), lines.end());
    return lines;
}

Lines ExpectedAddinKeys(const std::wstring& modulePath)
{
    return test::LinesUnder(test::ExpectedRegistration(modulePath),
                            {L"HKCR\\Tessel.Addin.1", L"HKCR\\Tessel.Addin", L"HKCR\\" + kClassKey,
                             L"HKCU\\" + kAddinsKey + L"\\Tessel.Addin"});
}

std::wstring StringValue(HKEY root, const std::wstring& key, const wchar_t* name)
{
    wchar_t text[1024] = L"";
    DWORD size = sizeof(text);
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return text;
}

class DllRegistration : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dll.Loaded()) << "cannot load Tessel.dll";
        m_dll.Unregister(); // whatever an earlier run left
        ASSERT_EQ(DumpAddinKeys(), Lines{});
    }
    void TearDown() override
    {
        m_dll.Unregister();
        RegDeleteTreeW(HKEY_CURRENT_USER, (kAddinsKey + L"\\Other.Addin").c_str());
        // Leave no empty key of ours behind either.
        for (const wchar_t* key :
             {L"Software\\Microsoft\\Office\\Outlook\\Addins",
              L"Software\\Microsoft\\Office\\Outlook", L"Software\\Microsoft\\Office"})
            RegDeleteKeyW(HKEY_CURRENT_USER, key);
    }

    ComApartment m_apartment;
    test::ServerDll m_dll;
};

TEST_F(DllRegistration, Regsvr32WritesAndRemovesEveryEntryForAFolderWithAQuote)
{
    test::TempFolder temp;
    const std::wstring folder = AnsiToWide(temp.Path()) + L"Bob's add-ins\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring dll = folder + L"Tessel.dll";
    ASSERT_TRUE(CopyFileW(m_dll.Path().c_str(), dll.c_str(), FALSE));

    ASSERT_EQ(test::RunRegsvr32(dll, false), 0);
    EXPECT_EQ(DumpAddinKeys(), ExpectedAddinKeys(dll));
    EXPECT_TRUE(test::KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));

    // The type library, for automation marshalling of IAddin.
    EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, kTypeLibKey + L"\\1.0", nullptr),
              L"Tessel 1.0 Type Library");
    EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, kTypeLibKey + L"\\1.0\\0\\" + kPlatform, nullptr),
              dll);
    EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, kTypeLibKey + L"\\1.0\\HELPDIR", nullptr), folder);
    EXPECT_TRUE(test::KeyExists(HKEY_CLASSES_ROOT, L"Interface\\" + GuidText(IID_IAddin)));

    // The host's way in: the ProgID named by the add-in key, then COM loads the DLL by path.
    {
        CLSID clsid = CLSID_NULL;
        ASSERT_EQ(CLSIDFromProgID(L"Tessel.Addin", &clsid), S_OK);
        EXPECT_TRUE(IsEqualCLSID(clsid, CLSID_Addin));
        ComPtr<IDispatch> addin;
        ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&addin)),
                  S_OK);
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(addin->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
    }
    CoFreeUnusedLibrariesEx(0, 0);

    ASSERT_EQ(test::RunRegsvr32(dll, true), 0);
    EXPECT_EQ(DumpAddinKeys(), Lines{});
    EXPECT_FALSE(test::KeyExists(HKEY_CLASSES_ROOT, kTypeLibKey));
    EXPECT_TRUE(test::KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
}

TEST_F(DllRegistration, RegisteringAgainLeavesExactlyTheListedSubkeys)
{
    ASSERT_EQ(m_dll.Register(), S_OK);
    test::CreateKeyWithValue(HKEY_CLASSES_ROOT, kClassKey + L"\\Stale", L"Stale", L"x");
    ASSERT_EQ(m_dll.Register(), S_OK);
    EXPECT_EQ(test::SubkeyNames(HKEY_CLASSES_ROOT, kClassKey),
              (Lines{L"InprocServer32", L"ProgID", L"Programmable", L"TypeLib",
                     L"VersionIndependentProgID"}));
    EXPECT_EQ(DumpAddinKeys(), ExpectedAddinKeys(m_dll.Path()));
}

TEST_F(DllRegistration, UnregisteringKeepsOtherAddinsAndTheClassesKey)
{
    test::CreateKeyWithValue(HKEY_CURRENT_USER, kAddinsKey + L"\\Other.Addin", L"FriendlyName",
                             L"Other");
    EXPECT_EQ(m_dll.Unregister(), S_OK) << "never registered";
    ASSERT_EQ(m_dll.Register(), S_OK);
    EXPECT_EQ(m_dll.Unregister(), S_OK);

    EXPECT_EQ(test::SubkeyNames(HKEY_CURRENT_USER, kAddinsKey), Lines{L"Other.Addin"});
    EXPECT_EQ(StringValue(HKEY_CURRENT_USER, kAddinsKey + L"\\Other.Addin", L"FriendlyName"),
              L"Other");
    EXPECT_EQ(DumpAddinKeys(), Lines{});
    EXPECT_TRUE(test::KeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
}

// IAddin's dispatch side needs the registered type library; without it every call that needs
// the type information returns the loading error, and the next call tries again.
TEST_F(DllRegistration, DispatchSideWorksOnceTheLibraryIsRegistered)
{
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(m_dll.GetClassObject(CLSID_Addin, IID_PPV_ARGS(&factory)), S_OK);
    ComPtr<IDispatch> addin;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&addin)), S_OK);

    UINT count = 0;
    EXPECT_EQ(addin->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    EXPECT_EQ(addin->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), TYPE_E_LIBNOTREGISTERED);
    EXPECT_EQ(info, nullptr);
    wchar_t name[] = L"Quote";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    EXPECT_EQ(addin->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
              TYPE_E_LIBNOTREGISTERED);

    ASSERT_EQ(m_dll.Register(), S_OK);
    ASSERT_EQ(addin->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(info->GetTypeAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, IID_IAddin));
    EXPECT_EQ(attributes->typekind, TKIND_DISPATCH);
    info->ReleaseTypeAttr(attributes);
    EXPECT_EQ(addin->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
              DISP_E_UNKNOWNNAME);
    EXPECT_EQ(addin->GetTypeInfo(0, LOCALE_USER_DEFAULT, nullptr), E_POINTER);
}

} // namespace
} // namespace tessel
