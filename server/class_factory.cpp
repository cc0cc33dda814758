#include "server/class_factory.h"

#include "server/module.h"
#include "win/result.h"
#include "win/unique_handle.h"

#include <shlwapi.h>

#include <new>

namespace tessel
{
namespace
{

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
    LONG m_cRef = 1; // the creator's reference
    InstanceCreator m_pfnCreateInstance;
};

} // namespace

HRESULT CreateClassFactory(InstanceCreator createInstance, IUnknown** factory)
{
    RETURN_HR_IF_NULL(E_POINTER, factory);
    *factory = nullptr;
    auto* created = new (std::nothrow) CClassFactory(createInstance);
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, created);
    *factory = created;
    return S_OK;
}

} // namespace tessel
