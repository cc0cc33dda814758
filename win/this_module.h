#pragma once
// The module this code is linked into, and the file a module was loaded from.

#include <windows.h>

#include <string>

namespace tessel
{

// The instance handle of the module that holds this code: Tessel.dll inside the DLL, the
// program itself in a program that links the libraries (a test program, say). The linker places
// __ImageBase at the start of every module it makes, so nothing has to record the handle.
HINSTANCE ThisModule();

// The module's full path as the system reports it (the long form the module was loaded by;
// never converted to a short name), whatever its length.
HRESULT GetModulePath(HMODULE module, std::wstring* path);

} // namespace tessel
