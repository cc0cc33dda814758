// Tessel.dll as an in-process COM server: DllMain, the class table, the class factory and the
// four exports (ordinals in tessel.def). The lock count is in module.cpp, registration in
// registration.cpp, the type information in type_info.cpp; the add-in object is in addin/.

#include "addin/create_addin.h"
#include "server/interfaces.h"
#include "server/module.h"
#include "server/registration.h"
#include "server/type_info.h"
#include "win/com.h"
#include "win/published_com_ptr.h"
#include "win/result.h"
#include "win/unique_handle.h"

#include <windows.h>
#include <objbase.h>
#include <shlwapi.h>

#include <new>

namespace tessel
{
namespace
{

// Creates an object of a class: the plain form when outer is null, the aggregated form with it.
// Asks the new object for riid; when that fails the object is destroyed again and the
// QueryInterface error returned. E_OUTOFMEMORY when the object cannot be allocated.
using InstanceCreator = HRESULT (*)(IUnknown* outer, REFIID riid, void** object);

// Every reference beyond the first keeps the module locked: the factory locks the module when
// its count rises to 2 and unlocks it when the count falls back to 1. The first reference is the
// class table's cache, so only references held from outside keep the DLL loaded.
class CClassFactory final : public IClassFactory
{
  public:
    explicit CClassFactory(InstanceCreator createInstance) : m_pfnCreateInstance(createInstance) {}

    IFACEMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        RETURN_HR_IF_NULL(E_POINTER, object);
        static const QITAB interfaces[] = {
            QITABENT(CClassFactory, IClassFactory), // also answers IUnknown
            {},
        };
        return QISearch(this, interfaces, riid, object);
    }

    IFACEMETHODIMP_(ULONG) AddRef() override
    {
        CriticalSectionLock lock(m_section);
        if (++m_cRef == 2)
            ModuleLock();
        return static_cast<ULONG>(m_cRef);
    }

    IFACEMETHODIMP_(ULONG) Release() override
    {
        LONG count;
        {
            CriticalSectionLock lock(m_section);
            count = --m_cRef;
            if (count == 1)
                ModuleUnlock();
        }
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }

    IFACEMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override
    {
        RETURN_HR_IF_NULL(E_POINTER, object);
        *object = nullptr;
        // An aggregated object can hand its outer object nothing but its inner IUnknown.
        RETURN_HR_IF(CLASS_E_NOAGGREGATION, outer != nullptr && !IsEqualIID(riid, IID_IUnknown));
        try
        {
            return m_pfnCreateInstance(outer, riid, object);
        }
        CATCH_RETURN()
    }

    IFACEMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            ModuleLock();
        else
            ModuleUnlock();
        return S_OK;
    }

  private:
    ~CClassFactory() = default;

    CriticalSection m_section;
    LONG m_cRef = 1; // the class table's reference
    InstanceCreator m_pfnCreateInstance;
};

struct ClassEntry
{
    const CLSID& clsid;
    InstanceCreator createInstance;
    // Made by the first DllGetClassObject for the class; held until the DLL is detached.
    PublishedComPtr<IUnknown> factory;
};

ClassEntry g_classes[] = {
    // class, how to make an instance, its cached factory
    {CLSID_Addin, CreateAddinInstance, {}},
};

// Serialises the first creation of a class factory. Constructed before DllMain runs and
// destroyed after it returns from process detach.
CriticalSection g_factoryLock;

HRESULT GetClassObject(ClassEntry& entry, REFIID riid, void** object)
{
    HRESULT hr = S_OK;
    if (entry.factory.Get() == nullptr)
    {
        CriticalSectionLock lock(g_factoryLock);
        if (entry.factory.Get() == nullptr)
        {
            // Not ComPtr::Attach: mingw-w64's adds a reference, which would keep the module
            // locked for good.
            ComPtr<IUnknown> factory;
            *factory.GetAddressOf() = new (std::nothrow) CClassFactory(entry.createInstance);
            if (factory != nullptr)
                entry.factory.Publish(std::move(factory));
            else
                hr = E_OUTOFMEMORY;
        }
    }
    if (IUnknown* factory = entry.factory.Get())
        hr = factory->QueryInterface(riid, object);
    if (*object == nullptr && SUCCEEDED(hr))
        hr = CLASS_E_CLASSNOTAVAILABLE;
    return hr;
}

} // namespace
} // namespace tessel

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved)
{
    // At process exit (reserved set) other DLLs may already be gone: releasing COM objects then
    // could crash, and the memory goes with the process anyway.
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr)
    {
        for (tessel::ClassEntry& entry : tessel::g_classes)
            entry.factory.Reset();
        tessel::ReleaseTypeInfoHolders();
    }
    return TRUE;
}

// No exception may reach the caller of an export, whatever happens inside.

STDAPI DllCanUnloadNow()
{
    return tessel::ModuleLockCount() == 0 ? S_OK : S_FALSE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    *object = nullptr;
    try
    {
        for (tessel::ClassEntry& entry : tessel::g_classes)
        {
            if (IsEqualCLSID(clsid, entry.clsid))
                return tessel::GetClassObject(entry, riid, object);
        }
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    CATCH_RETURN()
}

STDAPI DllRegisterServer()
{
    try
    {
        return tessel::RegisterServer();
    }
    CATCH_RETURN()
}

STDAPI DllUnregisterServer()
{
    try
    {
        return tessel::UnregisterServer();
    }
    CATCH_RETURN()
}
