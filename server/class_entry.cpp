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
    if (entry.factory.Get() == nullptr)
    {
        CriticalSectionLock lock(ClassEntryLock());
        if (entry.factory.Get() == nullptr)
        {
            ComPtr<IUnknown> factory;
            hr = CreateClassFactory(entry.createInstance, &factory);
            if (SUCCEEDED(hr))
                entry.factory.Publish(std::move(factory));
        }
    }
    if (IUnknown* factory = entry.factory.Get())
        hr = factory->QueryInterface(riid, object);
    if (*object == nullptr && SUCCEEDED(hr))
        hr = CLASS_E_CLASSNOTAVAILABLE;
    return hr;
}

void ReleaseClassFactory(ClassEntry& entry)
{
    entry.factory.Reset();
}

} // namespace tessel
