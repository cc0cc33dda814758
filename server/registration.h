#pragma once
// Self-registration of the add-in: the COM class with its ProgIDs, the per-user add-in key that
// makes the host load the add-in at its start-up, and the type library.

#include "server/registry_table.h"

#include <string>

namespace tessel
{

// DllRegisterServer: the registry entries for this module's path, then the type library.
// Stops at the first failure and returns it. May throw (std::bad_alloc): the export turns that
// into its HRESULT.
HRESULT RegisterServer();
// DllUnregisterServer: takes away the registry entries and the type library; always S_OK.
HRESULT UnregisterServer();

// The registry entries alone, for a module at modulePath.
HRESULT RegisterAddinEntries(const RegistryRoots& roots, const std::wstring& modulePath);
void UnregisterAddinEntries(const RegistryRoots& roots, const std::wstring& modulePath);

} // namespace tessel
