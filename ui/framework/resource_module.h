#pragma once
// The dialogs' resources come from the module that holds their code (ThisModule): Tessel.dll,
// or a test program that links the dialogs and their resources itself.

#include "win/this_module.h"

#include <windows.h>

#include <climits>
#include <cstddef>
#include <string>

namespace tessel
{

// The module's file name without folder and extension ("Tessel" for Tessel.dll): the caption
// of the dialogs' messages.
std::wstring GetResourceModuleName();

// A string of the module's string table; empty when there is none.
std::wstring LoadResourceString(UINT id);
// The same into the caller's buffer, allocating nothing (for telling that memory ran out): cut
// to fit, empty when there is none.
template <std::size_t size> void LoadResourceString(UINT id, wchar_t (&buffer)[size])
{
    static_assert(size > 1 && size <= INT_MAX, "a buffer LoadStringW can fill");
    buffer[0] = L'\0';
    LoadStringW(ThisModule(), id, buffer, static_cast<int>(size));
}

} // namespace tessel
