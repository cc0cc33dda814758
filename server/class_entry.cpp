#include "server/class_entry.h"

#include "server/class_factory.h"
#include "server/module.h"
#include "win/result.h"

namespace tessel
{

HRESULT GetClassObject(ClassEntry& entry, REFCLSID clsid, REFIID riid, void** object)
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    *object = nullptr;
    RETURN_HR_IF(CLASS_E_CLASSNOTAVAILABLE, !IsEqualCLSID(clsid, entry.clsid));

    HRESULT hr = S_OK;
    if (entry.factory.load(std::memory_order_acquire) == nullptr)
    {
        CriticalSectionLock lock(ClassEntryLock());
        if (entry.factory.load(std::memory_order_acquire) == nullptr)
        {
            IUnknown* factory = nullptr;
            hr = CreateClassFactory(entry.createInstance, &factory);
            if (SUCCEEDED(hr))
                entry.factory.store(factory, std::memory_order_release);
        }
    }
    if (IUnknown* factory = entry.factory.load(std::memory_order_acquire))
        hr = factory->QueryInterface(riid, object);
    if (*object == nullptr && SUCCEEDED(hr))
        hr = CLASS_E_CLASSNOTAVAILABLE;
    return hr;
}

void ReleaseClassFactory(ClassEntry& entry)
{
    if (IUnknown* factory = entry.factory.exchange(nullptr, std::memory_order_acq_rel))
        factory->Release();
}

} // namespace tessel
