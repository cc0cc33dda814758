#pragma once

#include <windows.h>

#include <string_view>

namespace tessel
{

// WriteFile's shape; tests pass a writer that fails part-way, as a full disk would.
using WriteFileFunction = BOOL(WINAPI*)(HANDLE, LPCVOID, DWORD, LPDWORD, LPOVERLAPPED);

// Writes the bytes at the end of a file opened for writing, in one write. When the write fails
// or comes up short the file is cut back to its former length, so it never keeps part of them.
bool AppendWhole(HANDLE file, std::string_view bytes, WriteFileFunction write = WriteFile);

} // namespace tessel
