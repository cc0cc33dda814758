#include "tests/server/registration_outcome.h"

#include "server/interfaces.h"
#include "tests/support/registry_dump.h"

#include <algorithm>

namespace tessel::test
{

std::vector<std::wstring> ExpectedRegistration(const std::wstring& modulePath)
{
    const std::wstring clsid = L"HKCR\\CLSID\\" + GuidText(CLSID_Addin);
    const std::wstring addin = L"HKCU\\Software\\Microsoft\\Office\\Outlook\\Addins\\Tessel.Addin";
    std::vector<std::wstring> lines = {
        L"HKCR\\Tessel.Addin.1",
        L"HKCR\\Tessel.Addin.1 @ = \"Addin Class\"",
        L"HKCR\\Tessel.Addin.1\\CLSID",
        L"HKCR\\Tessel.Addin.1\\CLSID @ = \"" + GuidText(CLSID_Addin) + L"\"",
        L"HKCR\\Tessel.Addin",
        L"HKCR\\Tessel.Addin @ = \"Addin Class\"",
        L"HKCR\\Tessel.Addin\\CLSID",
        L"HKCR\\Tessel.Addin\\CLSID @ = \"" + GuidText(CLSID_Addin) + L"\"",
        L"HKCR\\Tessel.Addin\\CurVer",
        L"HKCR\\Tessel.Addin\\CurVer @ = \"Tessel.Addin.1\"",
        L"HKCR\\CLSID",
        clsid,
        clsid + L" @ = \"Addin Class\"",
        clsid + L"\\ProgID",
        clsid + L"\\ProgID @ = \"Tessel.Addin.1\"",
        clsid + L"\\VersionIndependentProgID",
        clsid + L"\\VersionIndependentProgID @ = \"Tessel.Addin\"",
        clsid + L"\\Programmable",
        clsid + L"\\InprocServer32",
        clsid + L"\\InprocServer32 @ = \"" + modulePath + L"\"",
        clsid + L"\\InprocServer32 ThreadingModel = \"Apartment\"",
        clsid + L"\\TypeLib",
        clsid + L"\\TypeLib @ = \"" + GuidText(LIBID_TESSELLib) + L"\"",
        L"HKCU\\Software",
        L"HKCU\\Software\\Microsoft",
        L"HKCU\\Software\\Microsoft\\Office",
        L"HKCU\\Software\\Microsoft\\Office\\Outlook",
        L"HKCU\\Software\\Microsoft\\Office\\Outlook\\Addins",
        addin,
        addin + L" FriendlyName = \"Custom Tessel for Outlook\"",
        addin + L" Description = \"COM Outlook Addin\"",
        addin + L" LoadBehavior = dword:3",
        addin + L" CommandLineSafe = dword:0",
    };
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<std::wstring> LinesUnder(const std::vector<std::wstring>& lines,
                                     const std::vector<std::wstring>& keys)
{
    std::vector<std::wstring> under;
    for (const std::wstring& line : lines)
    {
        for (const std::wstring& key : keys)
        {
            if (line.compare(0, key.size(), key) == 0 &&
                (line.size() == key.size() || line[key.size()] == L' ' ||
                 line[key.size()] == L'\\'))
            {
                under.push_back(line);
                break;
            }
        }
    }
    return under;
}

} // namespace tessel::test
