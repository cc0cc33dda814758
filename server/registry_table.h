#pragma once
// Registration as data: a table of keys and a table of named values, written by RegisterTable
// and taken away again by UnregisterTable. Paths and texts may hold placeholders ("%CLSID%"),
// replaced by the caller's substitutions before use.

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

namespace tessel
{

enum class RegistryRoot
{
    ClassesRoot,
    CurrentUser,
};

// The keys that stand for the two roots: the predefined ones, or private keys in tests.
struct RegistryRoots
{
    HKEY classesRoot = HKEY_CLASSES_ROOT;
    HKEY currentUser = HKEY_CURRENT_USER;
};

enum class KeyMark
{
    // Ours: registration creates it, unregistration deletes it unless it still has a subkey.
    Owned,
    // Ours, and deleted with everything under it before registration writes it anew, so that
    // nothing stale outlives a new registration.
    ForceRemoved,
    // Shared with other software: created when missing, deleted only once completely empty.
    Shared,
    // Shared and never deleted.
    NeverRemoved,
};

struct RegistryKey
{
    RegistryRoot root;
    const wchar_t* path;
    KeyMark mark;
    const wchar_t* defaultValue; // a string; nullptr leaves the default value alone
};

struct RegistryData
{
    DWORD type; // REG_SZ or REG_DWORD
    const wchar_t* text;
    DWORD number;
};

constexpr RegistryData Text(const wchar_t* text)
{
    return {REG_SZ, text, 0};
}

constexpr RegistryData Number(DWORD number)
{
    return {REG_DWORD, nullptr, number};
}

// A named value; its key must be in the key table.
struct RegistryValue
{
    RegistryRoot root;
    const wchar_t* path;
    const wchar_t* name;
    RegistryData data;
};

struct RegistryTable
{
    // Parents before their children.
    const RegistryKey* keys;
    std::size_t keyCount;
    const RegistryValue* values;
    std::size_t valueCount;
};

struct Substitution
{
    std::wstring placeholder; // "%CLSID%"
    std::wstring text;
};
using Substitutions = std::vector<Substitution>;

// Opens or creates every key, force-removing those so marked first, and writes the default and
// named values over whatever stood there. Stops at the first failure: DISP_E_EXCEPTION when a
// key can be neither opened nor created, the error of a value that cannot be written (also
// when a key can only be read); what was written so far stays.
HRESULT RegisterTable(const RegistryTable& table, const RegistryRoots& roots,
                      const Substitutions& substitutions);

// Deletes the named values, then the keys deepest first: an Owned or ForceRemoved key unless it
// still has a subkey, a Shared key only when it holds nothing at all, a NeverRemoved key never.
// Missing keys and values are passed over; nothing here fails.
void UnregisterTable(const RegistryTable& table, const RegistryRoots& roots,
                     const Substitutions& substitutions);

// The text with every placeholder replaced.
std::wstring Substitute(const wchar_t* text, const Substitutions& substitutions);

} // namespace tessel
