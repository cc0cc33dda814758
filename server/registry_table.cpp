#include "server/registry_table.h"

#include "win/result.h"
#include "win/unique_handle.h"

#include <string_view>

namespace tessel
{
namespace
{

HKEY RootKey(const RegistryRoots& roots, RegistryRoot root)
{
    return root == RegistryRoot::ClassesRoot ? roots.classesRoot : roots.currentUser;
}

bool IsValueOf(const RegistryValue& value, const RegistryKey& key)
{
    return value.root == key.root && wcscmp(value.path, key.path) == 0;
}

bool HasValuesToWrite(const RegistryTable& table, const RegistryKey& key)
{
    if (key.defaultValue != nullptr)
        return true;
    for (std::size_t i = 0; i < table.valueCount; ++i)
    {
        if (IsValueOf(table.values[i], key))
            return true;
    }
    return false;
}

LSTATUS WriteValue(HKEY key, const wchar_t* name, const RegistryData& data,
                   const Substitutions& substitutions)
{
    if (data.type == REG_DWORD)
    {
        return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data.number),
                              sizeof(data.number));
    }
    const std::wstring text = Substitute(data.text, substitutions);
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes);
}

HRESULT RegisterKey(const RegistryTable& table, const RegistryKey& entry, HKEY root,
                    const Substitutions& substitutions)
{
    const std::wstring path = Substitute(entry.path, substitutions);
    if (entry.mark == KeyMark::ForceRemoved)
    {
        const LSTATUS removed = RegDeleteTreeW(root, path.c_str());
        RETURN_HR_IF(DISP_E_EXCEPTION, removed != ERROR_SUCCESS && removed != ERROR_FILE_NOT_FOUND);
    }

    unique_hkey key;
    const LSTATUS created = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                            nullptr, key.put(), nullptr);
    if (created != ERROR_SUCCESS)
    {
        // A key that we may only read is fine as long as we need not write to it; its subkeys
        // are created from the root, not through it.
        unique_hkey readOnly;
        RETURN_HR_IF(DISP_E_EXCEPTION, RegOpenKeyExW(root, path.c_str(), 0, KEY_READ,
                                                     readOnly.put()) != ERROR_SUCCESS);
        RETURN_HR_IF(HRESULT_FROM_WIN32(created), HasValuesToWrite(table, entry));
        return S_OK;
    }

    if (entry.defaultValue != nullptr)
        RETURN_IF_WIN32_ERROR(
            WriteValue(key.get(), nullptr, Text(entry.defaultValue), substitutions));
    for (std::size_t i = 0; i < table.valueCount; ++i)
    {
        const RegistryValue& value = table.values[i];
        if (IsValueOf(value, entry))
            RETURN_IF_WIN32_ERROR(WriteValue(key.get(), value.name, value.data, substitutions));
    }
    return S_OK;
}

void DeleteValue(const RegistryValue& value, HKEY root, const Substitutions& substitutions)
{
    unique_hkey key;
    if (RegOpenKeyExW(root, Substitute(value.path, substitutions).c_str(), 0, KEY_SET_VALUE,
                      key.put()) == ERROR_SUCCESS)
        RegDeleteValueW(key.get(), value.name);
}

void DeleteKeyIfDone(const RegistryKey& entry, HKEY root, const Substitutions& substitutions)
{
    if (entry.mark == KeyMark::NeverRemoved)
        return;
    const std::wstring path = Substitute(entry.path, substitutions);
    DWORD subkeys = 0;
    DWORD values = 0;
    {
        unique_hkey key;
        if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
            return; // missing: nothing to do here, nor below it
        if (RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                             &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return;
    }
    // A subkey that the table does not name (or one that had to stay) keeps the key.
    if (subkeys != 0)
        return;
    if (entry.mark == KeyMark::Shared && values != 0)
        return;
    RegDeleteKeyW(root, path.c_str());
}

} // namespace

std::wstring Substitute(const wchar_t* text, const Substitutions& substitutions)
{
    // One pass from left to right: replacement text is never searched again, so a module path
    // may hold anything, placeholders included.
    std::wstring result;
    const std::wstring_view source(text);
    std::size_t at = 0;
    while (at < source.size())
    {
        const Substitution* match = nullptr;
        for (const Substitution& s : substitutions)
        {
            if (source.compare(at, s.placeholder.size(), s.placeholder) == 0)
            {
                match = &s;
                break;
            }
        }
        if (match != nullptr)
        {
            result += match->text;
            at += match->placeholder.size();
        }
        else
            result += source[at++];
    }
    return result;
}

HRESULT RegisterTable(const RegistryTable& table, const RegistryRoots& roots,
                      const Substitutions& substitutions)
{
    for (std::size_t i = 0; i < table.keyCount; ++i)
    {
        const RegistryKey& key = table.keys[i];
        RETURN_IF_FAILED(RegisterKey(table, key, RootKey(roots, key.root), substitutions));
    }
    return S_OK;
}

void UnregisterTable(const RegistryTable& table, const RegistryRoots& roots,
                     const Substitutions& substitutions)
{
    for (std::size_t i = 0; i < table.valueCount; ++i)
    {
        const RegistryValue& value = table.values[i];
        DeleteValue(value, RootKey(roots, value.root), substitutions);
    }
    for (std::size_t i = table.keyCount; i-- > 0;)
    {
        const RegistryKey& key = table.keys[i];
        DeleteKeyIfDone(key, RootKey(roots, key.root), substitutions);
    }
}

} // namespace tessel
