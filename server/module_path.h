#pragma once
// The file name of a loaded module.

#include <windows.h>

#include <string>

namespace tessel
{

// The module's full path as the system reports it (the long form the module was loaded by;
// never converted to a short name), whatever its length.
HRESULT GetModulePath(HMODULE module, std::wstring* path);

} // namespace tessel
