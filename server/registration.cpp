#include "server/registration.h"

#include "server/interfaces.h"
#include "server/type_library_registration.h"
#include "win/com.h"
#include "win/result.h"
#include "win/this_module.h"

#include <iterator>

namespace tessel
{
namespace
{

constexpr RegistryRoot HKCR = RegistryRoot::ClassesRoot;
constexpr RegistryRoot HKCU = RegistryRoot::CurrentUser;

// The name of the host's add-in key is the version-independent ProgID, by which the host
// creates the add-in.
#define TESSEL_ADDIN_KEY L"Software\\Microsoft\\Office\\Outlook\\Addins\\Tessel.Addin"

const RegistryKey kKeys[] = {
    // root, path, mark, default value
    {HKCR, L"Tessel.Addin.1", KeyMark::Owned, L"Addin Class"},
    {HKCR, L"Tessel.Addin.1\\CLSID", KeyMark::Owned, L"%CLSID%"},
    {HKCR, L"Tessel.Addin", KeyMark::Owned, L"Addin Class"},
    {HKCR, L"Tessel.Addin\\CLSID", KeyMark::Owned, L"%CLSID%"},
    {HKCR, L"Tessel.Addin\\CurVer", KeyMark::Owned, L"Tessel.Addin.1"},
    {HKCR, L"CLSID", KeyMark::NeverRemoved, nullptr},
    {HKCR, L"CLSID\\%CLSID%", KeyMark::ForceRemoved, L"Addin Class"},
    {HKCR, L"CLSID\\%CLSID%\\ProgID", KeyMark::Owned, L"Tessel.Addin.1"},
    {HKCR, L"CLSID\\%CLSID%\\VersionIndependentProgID", KeyMark::Owned, L"Tessel.Addin"},
    {HKCR, L"CLSID\\%CLSID%\\Programmable", KeyMark::ForceRemoved, nullptr},
    {HKCR, L"CLSID\\%CLSID%\\InprocServer32", KeyMark::Owned, L"%MODULE%"},
    {HKCR, L"CLSID\\%CLSID%\\TypeLib", KeyMark::Owned, L"%LIBID%"},
    {HKCU, L"Software", KeyMark::Shared, nullptr},
    {HKCU, L"Software\\Microsoft", KeyMark::Shared, nullptr},
    {HKCU, L"Software\\Microsoft\\Office", KeyMark::Shared, nullptr},
    {HKCU, L"Software\\Microsoft\\Office\\Outlook", KeyMark::Shared, nullptr},
    {HKCU, L"Software\\Microsoft\\Office\\Outlook\\Addins", KeyMark::Shared, nullptr},
    {HKCU, TESSEL_ADDIN_KEY, KeyMark::Owned, nullptr},
};

const RegistryValue kValues[] = {
    // root, key path, name, data
    {HKCR, L"CLSID\\%CLSID%\\InprocServer32", L"ThreadingModel", Text(L"Apartment")},
    {HKCU, TESSEL_ADDIN_KEY, L"FriendlyName", Text(L"Custom Tessel for Outlook")},
    {HKCU, TESSEL_ADDIN_KEY, L"Description", Text(L"COM Outlook Addin")},
    // 3: load and connect the add-in at the host's start-up.
    {HKCU, TESSEL_ADDIN_KEY, L"LoadBehavior", Number(3)},
    {HKCU, TESSEL_ADDIN_KEY, L"CommandLineSafe", Number(0)},
};

#undef TESSEL_ADDIN_KEY

const RegistryTable kAddinTable = {kKeys, std::size(kKeys), kValues, std::size(kValues)};

Substitutions AddinSubstitutions(const std::wstring& modulePath)
{
    return {
        {L"%CLSID%", GuidText(CLSID_Addin)},
        {L"%LIBID%", GuidText(LIBID_TESSELLib)},
        {L"%MODULE%", modulePath},
    };
}

} // namespace

HRESULT RegisterAddinEntries(const RegistryRoots& roots, const std::wstring& modulePath)
{
    return RegisterTable(kAddinTable, roots, AddinSubstitutions(modulePath));
}

void UnregisterAddinEntries(const RegistryRoots& roots, const std::wstring& modulePath)
{
    UnregisterTable(kAddinTable, roots, AddinSubstitutions(modulePath));
}

HRESULT RegisterServer()
{
    std::wstring modulePath;
    RETURN_IF_FAILED(GetModulePath(ThisModule(), &modulePath));
    RETURN_IF_FAILED(RegisterAddinEntries(RegistryRoots{}, modulePath));
    return RegisterServerTypeLib(modulePath);
}

HRESULT UnregisterServer()
{
    // Unregistration reports nothing, not even an exception: whatever could not be taken away
    // stays, and the caller hears S_OK.
    try
    {
        // The module path only matters for finding the type library; the keys go regardless.
        std::wstring modulePath;
        const HRESULT pathFound = GetModulePath(ThisModule(), &modulePath);
        UnregisterAddinEntries(RegistryRoots{}, modulePath);
        if (SUCCEEDED(pathFound))
            UnregisterServerTypeLib(modulePath);
    }
    catch (...)
    {
    }
    return S_OK;
}

} // namespace tessel
