#include "server/module.h"

#include "server/type_info.h"

namespace tessel
{
namespace
{

HINSTANCE g_instance = nullptr;
volatile LONG g_lockCount = 0;

// Constructed before DllMain runs and destroyed after it returns from process detach, so the
// locks are usable for the whole life of the module, also in programs without a DllMain.
CriticalSection g_classEntryLock;
CriticalSection g_typeInfoLock;

} // namespace

HINSTANCE ModuleInstance()
{
    return g_instance;
}

void SetModuleInstance(HINSTANCE instance)
{
    g_instance = instance;
}

void ModuleLock()
{
    InterlockedIncrement(&g_lockCount);
}

void ModuleUnlock()
{
    InterlockedDecrement(&g_lockCount);
}

LONG ModuleLockCount()
{
    return InterlockedCompareExchange(&g_lockCount, 0, 0);
}

CriticalSection& ClassEntryLock()
{
    return g_classEntryLock;
}

CriticalSection& TypeInfoLock()
{
    return g_typeInfoLock;
}

void ModuleStartup(HINSTANCE instance)
{
    g_instance = instance;
    InterlockedExchange(&g_lockCount, 0);
}

void ModuleShutdown()
{
    ReleaseTypeInfoHolders();
}

} // namespace tessel
