// The registry entries of the add-in, written into and taken from private roots.

#include "server/registration.h"

#include "server/interfaces.h"
#include "tests/server/private_roots.h"
#include "tests/server/registration_outcome.h"
#include "tests/support/registry_dump.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessel
{
namespace
{

using test::PrivateRoots;
using Lines = std::vector<std::wstring>;

const std::wstring kModule = L"C:\\Program Files\\Bob's Add-ins\\Tessel.dll";
const std::wstring kClassKey = L"CLSID\\" + GuidText(CLSID_Addin);
const std::wstring kAddinsKey = L"Software\\Microsoft\\Office\\Outlook\\Addins";

Lines DumpRoots(const PrivateRoots& roots)
{
    Lines lines;
    for (const auto& [root, label] :
         {std::pair{roots.ClassesRoot(), L"HKCR"}, std::pair{roots.CurrentUser(), L"HKCU"}})
    {
        for (const std::wstring& name : test::SubkeyNames(root, L""))
        {
            const Lines key = test::DumpRegistry(root, name, label);
            lines.insert(lines.end(), key.begin(), key.end());
        }
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

Lines Sorted(Lines lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}

TEST(AddinRegistration, WritesExactlyTheListedKeysAndValues)
{
    PrivateRoots roots;
    ASSERT_EQ(RegisterAddinEntries(roots.Roots(), kModule), S_OK);
    EXPECT_EQ(DumpRoots(roots), test::ExpectedRegistration(kModule));
}

TEST(AddinRegistration, WritesTheModulePathAsItIs)
{
    const std::wstring paths[] = {
        L"C:\\it's\\Tessel.dll",
        L"C:\\''quoted''\\Tessel.dll",
        L"C:\\100%\\%CLSID%\\%MODULE%\\Tessel.dll", // placeholders in a path stay text
        L"C:\\Add-ins \u00e9t\u00e9 \u4e2d\u6587\\Tessel.dll",
    };
    for (const std::wstring& path : paths)
    {
        PrivateRoots roots;
        ASSERT_EQ(RegisterAddinEntries(roots.Roots(), path), S_OK);
        EXPECT_EQ(test::DumpRegistry(roots.ClassesRoot(), kClassKey + L"\\InprocServer32", L""),
                  Sorted({kClassKey + L"\\InprocServer32",
                          kClassKey + L"\\InprocServer32 @ = \"" + path + L"\"",
                          kClassKey + L"\\InprocServer32 ThreadingModel = \"Apartment\""}));
    }
}

TEST(AddinRegistration, RenewsTheClassKeyAndKeepsAdditionsElsewhere)
{
    PrivateRoots roots;
    ASSERT_EQ(RegisterAddinEntries(roots.Roots(), L"C:\\old\\Tessel.dll"), S_OK);
    // Others' additions: under the class key, which registration renews completely...
    test::CreateKeyWithValue(roots.ClassesRoot(), kClassKey, L"Stale", L"x");
    test::CreateKeyWithValue(roots.ClassesRoot(), kClassKey + L"\\Stale", L"Stale", L"x");
    test::CreateKeyWithValue(roots.ClassesRoot(), kClassKey + L"\\Programmable", L"Stale", L"x");
    test::CreateKeyWithValue(roots.ClassesRoot(), kClassKey + L"\\InprocServer32\\Stale");
    // ...and under the ProgID and add-in keys, which it does not.
    test::CreateKeyWithValue(roots.ClassesRoot(), L"Tessel.Addin\\Shell", L"Kept", L"y");
    test::CreateKeyWithValue(roots.CurrentUser(), kAddinsKey + L"\\Tessel.Addin", L"Kept", L"z");
    // The host turned the add-in off; registering again turns it on.
    test::CreateKeyWithValue(roots.CurrentUser(), kAddinsKey + L"\\Tessel.Addin");
    const DWORD off = 2;
    HKEY addin = nullptr;
    ASSERT_EQ(RegOpenKeyExW(roots.CurrentUser(), (kAddinsKey + L"\\Tessel.Addin").c_str(), 0,
                            KEY_SET_VALUE, &addin),
              ERROR_SUCCESS);
    RegSetValueExW(addin, L"LoadBehavior", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&off),
                   sizeof(off));
    RegCloseKey(addin);

    ASSERT_EQ(RegisterAddinEntries(roots.Roots(), kModule), S_OK);

    Lines expected = test::ExpectedRegistration(kModule);
    expected.insert(expected.end(),
                    {L"HKCR\\Tessel.Addin\\Shell", L"HKCR\\Tessel.Addin\\Shell Kept = \"y\"",
                     L"HKCU\\" + kAddinsKey + L"\\Tessel.Addin Kept = \"z\""});
    EXPECT_EQ(DumpRoots(roots), Sorted(expected));
}

TEST(AddinUnregistration, TakesAwayEverythingButTheClassesKey)
{
    PrivateRoots roots;
    ASSERT_EQ(RegisterAddinEntries(roots.Roots(), kModule), S_OK);
    UnregisterAddinEntries(roots.Roots(), kModule);
    EXPECT_EQ(DumpRoots(roots), Lines{L"HKCR\\CLSID"});
}

struct ForeignEntry
{
    bool classesRoot;
    std::wstring key;
    const wchar_t* value; // name of a string value "x"; nullptr for the key alone
};

struct KeepCase
{
    const char* what;
    std::vector<ForeignEntry> foreign; // added after registration
    Lines remaining;                   // after unregistration
};

TEST(AddinUnregistration, KeepsWhatOthersStillUse)
{
    const std::wstring addins = L"HKCU\\" + kAddinsKey;
    const std::wstring classKey = L"HKCR\\" + kClassKey;
    const Lines hkcuChain = {L"HKCU\\Software", L"HKCU\\Software\\Microsoft",
                             L"HKCU\\Software\\Microsoft\\Office",
                             L"HKCU\\Software\\Microsoft\\Office\\Outlook"};
    auto with = [](Lines lines, const Lines& more) {
        lines.insert(lines.end(), more.begin(), more.end());
        return Sorted(lines);
    };
    const KeepCase cases[] = {
        {"another add-in under Addins",
         {{false, kAddinsKey + L"\\Other.Addin", L"FriendlyName"}},
         with(hkcuChain, {L"HKCR\\CLSID", addins, addins + L"\\Other.Addin",
                          addins + L"\\Other.Addin FriendlyName = \"x\""})},
        {"a value in a shared key",
         {{false, L"Software\\Microsoft\\Office\\Outlook", L"Setting"}},
         with(hkcuChain,
              {L"HKCR\\CLSID", L"HKCU\\Software\\Microsoft\\Office\\Outlook Setting = \"x\""})},
        {"another subkey of Software",
         {{false, L"Software\\Other", nullptr}},
         {L"HKCR\\CLSID", L"HKCU\\Software", L"HKCU\\Software\\Other"}},
        {"a subkey under a ProgID",
         {{true, L"Tessel.Addin\\Shell", nullptr}},
         {L"HKCR\\CLSID", L"HKCR\\Tessel.Addin", L"HKCR\\Tessel.Addin @ = \"Addin Class\"",
          L"HKCR\\Tessel.Addin\\Shell"}},
        {"a subkey deep under the class key",
         {{true, kClassKey + L"\\InprocServer32\\Other", nullptr}},
         Sorted({L"HKCR\\CLSID", classKey, classKey + L" @ = \"Addin Class\"",
                 classKey + L"\\InprocServer32",
                 classKey + L"\\InprocServer32 @ = \"" + kModule + L"\"",
                 classKey + L"\\InprocServer32\\Other"})},
        {"another class",
         {{true, L"CLSID\\{00000000-0000-0000-0000-000000000001}", L"Name"}},
         {L"HKCR\\CLSID", L"HKCR\\CLSID\\{00000000-0000-0000-0000-000000000001}",
          L"HKCR\\CLSID\\{00000000-0000-0000-0000-000000000001} Name = \"x\""}},
    };
    for (const KeepCase& c : cases)
    {
        SCOPED_TRACE(c.what);
        PrivateRoots roots;
        ASSERT_EQ(RegisterAddinEntries(roots.Roots(), kModule), S_OK);
        for (const ForeignEntry& f : c.foreign)
        {
            test::CreateKeyWithValue(f.classesRoot ? roots.ClassesRoot() : roots.CurrentUser(),
                                     f.key, f.value, L"x");
        }
        UnregisterAddinEntries(roots.Roots(), kModule);
        EXPECT_EQ(DumpRoots(roots), c.remaining);
    }
}

TEST(AddinUnregistration, NeverRegisteredChangesNothingThatHoldsAnything)
{
    PrivateRoots roots;
    UnregisterAddinEntries(roots.Roots(), kModule);
    EXPECT_EQ(DumpRoots(roots), Lines{}) << "unregistration creates nothing";

    test::CreateKeyWithValue(roots.CurrentUser(), kAddinsKey + L"\\Other.Addin", L"Name", L"x");
    test::CreateKeyWithValue(roots.ClassesRoot(), L"Tessel.Addin.1", L"Name", L"x");
    test::CreateKeyWithValue(roots.ClassesRoot(), L"Tessel.Addin.1\\Shell");
    test::CreateKeyWithValue(roots.ClassesRoot(), L"CLSID");
    const Lines before = DumpRoots(roots);
    UnregisterAddinEntries(roots.Roots(), kModule);
    EXPECT_EQ(DumpRoots(roots), before);
}

TEST(AddinRegistration, StopsWhenAKeyCanNeitherBeOpenedNorCreated)
{
    PrivateRoots roots;
    // Under a volatile key no lasting key can be created, so none of the add-in's keys under the
    // user root can be.
    unique_hkey volatileUser;
    ASSERT_EQ(RegCreateKeyExW(roots.CurrentUser(), L"volatile", 0, nullptr, REG_OPTION_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, volatileUser.put(), nullptr),
              ERROR_SUCCESS);
    RegistryRoots limited = roots.Roots();
    limited.currentUser = volatileUser.get();

    EXPECT_EQ(RegisterAddinEntries(limited, kModule), DISP_E_EXCEPTION);
    // What came before the failure stays.
    Lines expected = test::LinesUnder(test::ExpectedRegistration(kModule), {L"HKCR"});
    expected.push_back(L"HKCU\\volatile");
    EXPECT_EQ(DumpRoots(roots), Sorted(expected));
}

} // namespace
} // namespace tessel
