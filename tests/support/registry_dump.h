#pragma once
// Registry trees as text, for comparing what registration left with what it should have left.

#include "win/com.h" // GuidText, for the expected keys

#include <windows.h>

#include <string>
#include <vector>

namespace tessel::test
{

// Every key and value at and below root\path, one line each, sorted. A key gives its path; a
// value gives "path name = data" with "@" for the default value, strings in quotes and
// 32-bit numbers as "dword:N". label stands for root in the lines (e.g. "HKCR"). Empty when the
// key does not exist.
std::vector<std::wstring> DumpRegistry(HKEY root, const std::wstring& path,
                                       const std::wstring& label);

// The names of the key's direct subkeys, sorted; empty when the key does not exist.
std::vector<std::wstring> SubkeyNames(HKEY root, const std::wstring& path);

bool KeyExists(HKEY root, const std::wstring& path);

// Creates the key (and its parents); with a name, also writes that string value.
void CreateKeyWithValue(HKEY root, const std::wstring& path, const wchar_t* name = nullptr,
                        const wchar_t* text = L"");

} // namespace tessel::test
