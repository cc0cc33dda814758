// Writes the installer package's registry entries (package/registry.wxi) from what the add-in's
// own DllRegisterServer writes: the server's registration table and the type library's
// registration. The registration runs with HKEY_CLASSES_ROOT and HKEY_CURRENT_USER redirected to
// private keys, the way installer tools capture self-registration, and the captured keys become
// per-user entries: HKEY_CLASSES_ROOT as HKCU\Software\Classes.
//
// Usage: tessel_registry_wxi TESSEL_DLL OUTPUT

#include "win/result.h"
#include "win/unique_handle.h"
#include "win/xml_text.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace tessel
{
namespace
{

// Names that the package's WiX source defines: the DLL's File element, the folder it goes to, and
// the preprocessor variable that names the type library's platform subkey (win32 or win64).
constexpr wchar_t kModuleReference[] = L"[#TesselDll]";
constexpr wchar_t kFolderReference[] = L"[INSTALLFOLDER]";
constexpr wchar_t kPlatformVariable[] = L"$(var.TypeLibPlatform)";

struct CapturedValue
{
    std::wstring key; // below HKCU, e.g. "Software\Classes\CLSID\{...}"
    std::wstring name;
    DWORD type;
    std::wstring text;
    DWORD number;
};

struct Capture
{
    std::vector<CapturedValue> values;
    std::vector<std::wstring> emptyKeys; // keys with neither values nor subkeys
};

std::wstring Join(const std::wstring& path, const std::wstring& name)
{
    return path.empty() ? name : path + L"\\" + name;
}

HRESULT ReadValues(HKEY key, const std::wstring& path, Capture* capture, DWORD* count)
{
    *count = 0;
    for (DWORD index = 0;; ++index)
    {
        wchar_t name[16384];
        DWORD nameLength = static_cast<DWORD>(std::size(name));
        DWORD type = 0;
        DWORD size = 0;
        const LSTATUS status =
            RegEnumValueW(key, index, name, &nameLength, nullptr, &type, nullptr, &size);
        if (status == ERROR_NO_MORE_ITEMS)
            return S_OK;
        RETURN_IF_WIN32_ERROR(status);
        std::vector<BYTE> data(size + sizeof(wchar_t));
        nameLength = static_cast<DWORD>(std::size(name));
        RETURN_IF_WIN32_ERROR(
            RegEnumValueW(key, index, name, &nameLength, nullptr, &type, data.data(), &size));

        CapturedValue value{path, std::wstring(name, nameLength), type, {}, 0};
        if (type == REG_SZ)
        {
            value.text.assign(reinterpret_cast<const wchar_t*>(data.data()),
                              size / sizeof(wchar_t));
            while (!value.text.empty() && value.text.back() == L'\0')
                value.text.pop_back();
        }
        else if (type == REG_DWORD && size == sizeof(DWORD))
            value.number = *reinterpret_cast<const DWORD*>(data.data());
        else
            return HRESULT_FROM_WIN32(ERROR_UNSUPPORTED_TYPE); // the package writes no other kind
        capture->values.push_back(std::move(value));
        ++*count;
    }
}

HRESULT ReadTree(HKEY key, const std::wstring& path, Capture* capture)
{
    DWORD values = 0;
    RETURN_IF_FAILED(ReadValues(key, path, capture, &values));
    DWORD subkeys = 0;
    for (;; ++subkeys)
    {
        wchar_t name[256];
        DWORD length = static_cast<DWORD>(std::size(name));
        const LSTATUS status =
            RegEnumKeyExW(key, subkeys, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        RETURN_IF_WIN32_ERROR(status);
        unique_hkey child;
        RETURN_IF_WIN32_ERROR(RegOpenKeyExW(key, name, 0, KEY_READ, child.put()));
        RETURN_IF_FAILED(ReadTree(child.get(), Join(path, std::wstring(name, length)), capture));
    }
    if (values == 0 && subkeys == 0)
        capture->emptyKeys.push_back(path);
    return S_OK;
}

// The private keys that stand for the two roots while the DLL registers itself.
class RedirectedRoots
{
  public:
    HRESULT Create()
    {
        m_path = L"Software\\TesselPackageRegistry\\" + std::to_wstring(GetCurrentProcessId());
        RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
        RETURN_IF_WIN32_ERROR(RegCreateKeyExW(HKEY_CURRENT_USER, (m_path + L"\\classes").c_str(), 0,
                                              nullptr, 0, KEY_ALL_ACCESS, nullptr, m_classes.put(),
                                              nullptr));
        RETURN_IF_WIN32_ERROR(RegCreateKeyExW(HKEY_CURRENT_USER, (m_path + L"\\user").c_str(), 0,
                                              nullptr, 0, KEY_ALL_ACCESS, nullptr, m_user.put(),
                                              nullptr));
        return S_OK;
    }
    ~RedirectedRoots()
    {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        m_classes.reset();
        m_user.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TesselPackageRegistry");
    }

    HRESULT Redirect()
    {
        RETURN_IF_WIN32_ERROR(RegOverridePredefKey(HKEY_CLASSES_ROOT, m_classes.get()));
        RETURN_IF_WIN32_ERROR(RegOverridePredefKey(HKEY_CURRENT_USER, m_user.get()));
        return S_OK;
    }
    HRESULT Restore()
    {
        RETURN_IF_WIN32_ERROR(RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr));
        RETURN_IF_WIN32_ERROR(RegOverridePredefKey(HKEY_CURRENT_USER, nullptr));
        return S_OK;
    }

    HKEY Classes() const { return m_classes.get(); }
    HKEY User() const { return m_user.get(); }

  private:
    std::wstring m_path;
    unique_hkey m_classes;
    unique_hkey m_user;
};

using RegisterFunction = HRESULT(STDAPICALLTYPE*)();

RegisterFunction Export(HMODULE module, const char* name)
{
    return reinterpret_cast<RegisterFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Runs the DLL's DllRegisterServer into private roots and reads back what it wrote, with the
// keys as the package writes them under HKEY_CURRENT_USER. modulePath receives the DLL's path
// as the registration saw it.
HRESULT CaptureRegistration(const std::wstring& dll, Capture* capture, std::wstring* modulePath)
{
    RedirectedRoots roots;
    RETURN_IF_FAILED(roots.Create());

    const unique_hmodule module(
        LoadLibraryExW(dll.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    RETURN_HR_IF(HResultFromLastError(), !module);
    wchar_t path[MAX_PATH * 4];
    const DWORD length =
        GetModuleFileNameW(module.get(), path, static_cast<DWORD>(std::size(path)));
    RETURN_HR_IF(HResultFromLastError(), length == 0 || length >= std::size(path));
    modulePath->assign(path, length);
    const RegisterFunction registerServer = Export(module.get(), "DllRegisterServer");
    const RegisterFunction unregisterServer = Export(module.get(), "DllUnregisterServer");
    RETURN_HR_IF(HResultFromLastError(), registerServer == nullptr || unregisterServer == nullptr);

    RETURN_IF_FAILED(roots.Redirect());
    const HRESULT registered = registerServer();
    RETURN_IF_FAILED(roots.Restore());
    RETURN_IF_FAILED(registered);
    RETURN_IF_FAILED(ReadTree(roots.Classes(), L"Software\\Classes", capture));
    RETURN_IF_FAILED(ReadTree(roots.User(), L"", capture));

    // The type library's registration also writes the interface into the 32-bit view, which no
    // redirection reaches; the DLL's own unregistration takes it away again.
    RETURN_IF_FAILED(roots.Redirect());
    unregisterServer();
    return roots.Restore();
}

// Text that the installer writes as it stands: its formatted-text syntax escaped.
std::wstring FormattedLiteral(const std::wstring& text)
{
    std::wstring result = text.rfind(L'#', 0) == 0 ? L"#" : L""; // "#..." would be a number
    for (const wchar_t c : text)
    {
        if (c == L'[')
            result += L"[\\[]";
        else if (c == L']')
            result += L"[\\]]";
        else
            result += c;
    }
    return result;
}

// Registry names compare without regard to case.
bool SameName(std::wstring_view a, std::wstring_view b)
{
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool EndsWith(std::wstring_view text, std::wstring_view tail)
{
    return text.size() >= tail.size() && SameName(text.substr(text.size() - tail.size()), tail);
}

// The key path with the type library's platform subkey (win32 or win64) left to the package.
std::wstring PackageKey(const std::wstring& key)
{
    std::wstring result;
    std::size_t start = 0;
    for (;;)
    {
        const std::size_t end = key.find(L'\\', start);
        const std::wstring part = key.substr(start, end - start);
        const bool platform = SameName(part, L"win32") || SameName(part, L"win64");
        result += platform ? kPlatformVariable : XmlEscaped(part);
        if (end == std::wstring::npos)
            return result;
        result += L'\\';
        start = end + 1;
    }
}

std::wstring Element(const CapturedValue& value, const std::wstring& modulePath)
{
    const std::wstring folder = modulePath.substr(0, modulePath.find_last_of(L'\\') + 1);
    std::wstring element = L"  <RegistryValue Root=\"HKCU\" Key=\"" + PackageKey(value.key) + L"\"";
    if (!value.name.empty())
        element += L" Name=\"" + XmlEscaped(value.name) + L"\"";
    if (value.type == REG_DWORD)
        return element + L" Type=\"integer\" Value=\"" + std::to_wstring(value.number) + L"\"/>";

    std::wstring data;
    bool keyPath = false;
    if (value.text == modulePath)
    {
        data = kModuleReference;
        // The class's server path stands for the whole component: while it is in place, the
        // add-in is installed for this user.
        keyPath = value.name.empty() && EndsWith(value.key, L"\\InprocServer32");
    }
    else if (value.text == folder)
        data = kFolderReference;
    else
        data = XmlEscaped(FormattedLiteral(value.text));
    return element + L" Type=\"string\" Value=\"" + data + L"\"" +
           (keyPath ? L" KeyPath=\"yes\"" : L"") + L"/>";
}

std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size,
                        nullptr, nullptr);
    return result;
}

std::wstring Include(const Capture& capture, const std::wstring& modulePath)
{
    std::vector<std::wstring> lines;
    for (const CapturedValue& value : capture.values)
        lines.push_back(Element(value, modulePath));
    // A key that holds nothing is created with the component and taken away with it.
    for (const std::wstring& key : capture.emptyKeys)
        lines.push_back(L"  <RegistryValue Root=\"HKCU\" Key=\"" + PackageKey(key) +
                        L"\" Name=\"*\" Type=\"string\" Value=\"\"/>");
    std::sort(lines.begin(), lines.end());

    std::wstring text = L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                        L"<!-- The add-in's registration for one user: what its DllRegisterServer "
                        L"writes, with\n"
                        L"     HKEY_CLASSES_ROOT as HKCU\\Software\\Classes. Generated by "
                        L"scripts/gen-package-registry;\n"
                        L"     do not edit. -->\n"
                        L"<Include>\n";
    for (const std::wstring& line : lines)
        text += line + L"\n";
    return text + L"</Include>\n";
}

HRESULT WriteFileText(const std::wstring& path, const std::string& text)
{
    const unique_hfile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    RETURN_HR_IF(HResultFromLastError(), !file);
    DWORD written = 0;
    RETURN_IF_WIN32_BOOL_FALSE(
        WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
    RETURN_HR_IF(E_FAIL, written != text.size());
    return S_OK;
}

HRESULT Run(const std::wstring& dll, const std::wstring& output)
{
    Capture capture;
    std::wstring modulePath;
    RETURN_IF_FAILED(CaptureRegistration(dll, &capture, &modulePath));
    return WriteFileText(output, Utf8(Include(capture, modulePath)));
}

} // namespace
} // namespace tessel

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
    {
        std::fputs("usage: tessel_registry_wxi TESSEL_DLL OUTPUT\n", stderr);
        return 2;
    }
    const HRESULT hr = tessel::Run(argv[1], argv[2]);
    if (FAILED(hr))
    {
        std::fprintf(stderr, "tessel_registry_wxi: failed with 0x%08lX\n",
                     static_cast<unsigned long>(hr));
        return 1;
    }
    return 0;
}
