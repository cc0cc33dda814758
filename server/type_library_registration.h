#pragma once
// Registration of the type library that the module carries (resource "TYPELIB" 1), or of the
// ".tlb" file beside it when the module's own cannot be loaded.

#include <windows.h>
#include <oaidl.h>

#include <string>

namespace tessel
{

// Registers the library of the module at modulePath, with the path it was loaded from and that
// path's folder as help directory. Returns the loading or the registration error.
HRESULT RegisterServerTypeLib(const std::wstring& modulePath);

// Unregisters the library found as above, through UnRegisterTypeLib of oleaut32.dll when that
// export exists. Failures are ignored.
void UnregisterServerTypeLib(const std::wstring& modulePath);

// The library of modulePath: the module's own, else the .tlb beside it. *loadedFrom is the path
// that succeeded; on failure the error of the last attempt.
HRESULT LoadServerTypeLib(const std::wstring& modulePath, ITypeLib** library,
                          std::wstring* loadedFrom);

// modulePath with the extension of its file name replaced by ".tlb" (appended when the file
// name has none).
std::wstring TypeLibBesideModule(const std::wstring& modulePath);
// The folder part of path, up to and including its last "\", "/" or ":"; empty without one.
std::wstring HelpDirectoryOf(const std::wstring& path);

} // namespace tessel
