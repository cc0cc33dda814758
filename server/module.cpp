#include "server/module.h"

#include "server/type_info.h"
#include "win/result.h"

namespace tessel
{
namespace
{

HINSTANCE g_instance = nullptr;
ClassEntry* g_classEntry = nullptr;
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

void ModuleStartup(HINSTANCE instance, ClassEntry& classEntry)
{
    g_instance = instance;
    g_classEntry = &classEntry;
    InterlockedExchange(&g_lockCount, 0);
}

void ModuleShutdown()
{
    if (g_classEntry != nullptr)
        ReleaseClassFactory(*g_classEntry);
    ReleaseTypeInfoHolders();
}

HRESULT ModuleGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    *object = nullptr;
    RETURN_HR_IF_NULL(CLASS_E_CLASSNOTAVAILABLE, g_classEntry);
    return GetClassObject(*g_classEntry, clsid, riid, object);
}

HRESULT ModuleCanUnloadNow()
{
    return ModuleLockCount() == 0 ? S_OK : S_FALSE;
}

} // namespace tessel
