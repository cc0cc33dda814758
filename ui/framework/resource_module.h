#pragma once
// The module whose resources the dialogs load: the add-in's DLL once it has set its instance at
// load, otherwise the executable itself (so test programs carry their own copy of the
// resources).

#include <windows.h>

#include <string>

namespace tessel
{

void SetResourceModule(HINSTANCE module);
HINSTANCE GetResourceModule();

// The resource module's file name without folder and extension ("Tessel" for Tessel.dll): the
// caption of the dialogs' messages.
std::wstring GetResourceModuleName();

// A string of the resource module's string table; empty when there is none.
std::wstring LoadResourceString(UINT id);

} // namespace tessel
