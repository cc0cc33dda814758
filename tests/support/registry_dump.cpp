#include "tests/support/registry_dump.h"

#include "win/unique_handle.h"

#include <objbase.h>

#include <algorithm>
#include <iterator>

namespace tessel::test
{
namespace
{

std::wstring Join(const std::wstring& path, const std::wstring& name)
{
    return path.empty() ? name : path + L"\\" + name;
}

std::wstring ValueText(DWORD type, const std::vector<BYTE>& data)
{
    if (type == REG_DWORD && data.size() == sizeof(DWORD))
        return L"dword:" + std::to_wstring(*reinterpret_cast<const DWORD*>(data.data()));
    if (type == REG_SZ)
    {
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()),
                          data.size() / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0')
            text.pop_back();
        return L"\"" + text + L"\"";
    }
    return L"type" + std::to_wstring(type) + L":" + std::to_wstring(data.size()) + L" bytes";
}

void DumpKey(HKEY key, const std::wstring& shownPath, std::vector<std::wstring>* lines)
{
    lines->push_back(shownPath);
    for (DWORD index = 0;; ++index)
    {
        std::wstring name(16384, L'\0'); // the longest value name
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD type = 0;
        DWORD size = 0;
        if (RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        std::vector<BYTE> data(size);
        nameLength = static_cast<DWORD>(name.size());
        RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &size);
        data.resize(size);
        name.resize(nameLength);
        const std::wstring shownName = name.empty() ? L"@" : name;
        lines->push_back(shownPath + L" " + shownName + L" = " + ValueText(type, data));
    }
    for (const std::wstring& subkey : SubkeyNames(key, L""))
    {
        unique_hkey child;
        if (RegOpenKeyExW(key, subkey.c_str(), 0, KEY_READ, child.put()) == ERROR_SUCCESS)
            DumpKey(child.get(), shownPath + L"\\" + subkey, lines);
    }
}

} // namespace

std::vector<std::wstring> DumpRegistry(HKEY root, const std::wstring& path,
                                       const std::wstring& label)
{
    std::vector<std::wstring> lines;
    unique_hkey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return lines;
    DumpKey(key.get(), Join(label, path), &lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<std::wstring> SubkeyNames(HKEY root, const std::wstring& path)
{
    std::vector<std::wstring> names;
    unique_hkey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return names;
    for (DWORD index = 0;; ++index)
    {
        wchar_t name[256];
        DWORD length = static_cast<DWORD>(std::size(name));
        if (RegEnumKeyExW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool KeyExists(HKEY root, const std::wstring& path)
{
    unique_hkey key;
    return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

void CreateKeyWithValue(HKEY root, const std::wstring& path, const wchar_t* name,
                        const wchar_t* text)
{
    unique_hkey key;
    RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr);
    if (name != nullptr && key)
    {
        RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
    }
}

} // namespace tessel::test
