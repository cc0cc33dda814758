#pragma once
// The server module: one per process. It knows the DLL's instance handle and its class entry,
// counts the reasons to keep the DLL loaded, and owns the two locks that guard first-time
// initialisation. DllMain calls ModuleStartup on process attach and ModuleShutdown on process
// detach; the exports DllGetClassObject and DllCanUnloadNow are answered here.

#include "server/class_entry.h"
#include "win/unique_handle.h"

#include <windows.h>

namespace tessel
{

// The module whose resources (type library, version) and file path the server uses: the DLL
// once it has started up; in a test program, whatever the test set (usually the program).
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

// Live objects, a class factory held from outside and LockServer(TRUE) calls each hold one
// lock; the DLL may be unloaded only at zero. Changed by interlocked operations only.
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

// Serialises the first creation of the class factory.
CriticalSection& ClassEntryLock();
// Serialises the first loading of type information.
CriticalSection& TypeInfoLock();

// Process attach: records the instance handle, attaches the class entry, starts with no locks.
void ModuleStartup(HINSTANCE instance, ClassEntry& classEntry);
// Process detach: releases the cached class factory, then the type information.
void ModuleShutdown();

// DllGetClassObject: the attached class's factory; CLASS_E_CLASSNOTAVAILABLE for other classes.
HRESULT ModuleGetClassObject(REFCLSID clsid, REFIID riid, void** object);
// DllCanUnloadNow: S_OK when nothing holds a lock on the module, otherwise S_FALSE.
HRESULT ModuleCanUnloadNow();

} // namespace tessel
