#pragma once
// The dialogs' resources come from the module that holds their code (ThisModule): Tessel.dll,
// or a test program that links the dialogs and their resources itself.

#include <windows.h>

#include <string>

namespace tessel
{

// The module's file name without folder and extension ("Tessel" for Tessel.dll): the caption
// of the dialogs' messages.
std::wstring GetResourceModuleName();

// A string of the module's string table; empty when there is none.
std::wstring LoadResourceString(UINT id);

} // namespace tessel
