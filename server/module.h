#pragma once
// The module's lock count: the reasons to keep the DLL loaded. Live objects, a class factory
// held from outside, LockServer(TRUE) calls and running commands each hold one lock;
// DllCanUnloadNow lets the DLL go only at zero.

#include <windows.h>

namespace tessel
{

// Changed by interlocked operations only.
void ModuleLock();
void ModuleUnlock();
LONG ModuleLockCount();

// Holds one lock for a scope: while the add-in's code runs (a dialog, say), the host must not
// unload the DLL under it.
class ScopedModuleLock
{
  public:
    ScopedModuleLock() { ModuleLock(); }
    ~ScopedModuleLock() { ModuleUnlock(); }
    ScopedModuleLock(const ScopedModuleLock&) = delete;
    ScopedModuleLock& operator=(const ScopedModuleLock&) = delete;
};

} // namespace tessel
