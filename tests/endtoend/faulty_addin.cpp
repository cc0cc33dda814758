// An add-in DLL that fails on purpose inside OnConnection, as TESSEL_FAULT says: "throw" lets a
// C++ exception out, "crash" writes through a null pointer. hostsim must report either without
// going down silently.

#include "server/interfaces.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace
{

class FaultyAddin final : public IDTExtensibility2
{
  public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IDispatch) &&
            !IsEqualIID(riid, IID_IDTExtensibility2))
        {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDTExtensibility2*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_references; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG references = --m_references;
        if (references == 0)
            delete this;
        return references;
    }
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override
    {
        return E_NOTIMPL;
    }

    STDMETHODIMP OnConnection(IDispatch*, ext_ConnectMode, IDispatch*, SAFEARRAY**) override
    {
        const char* fault = std::getenv("TESSEL_FAULT");
        if (fault != nullptr && std::strcmp(fault, "crash") == 0)
            *static_cast<volatile int*>(nullptr) = 1;
        throw std::runtime_error("failing on purpose");
    }
    STDMETHODIMP OnDisconnection(ext_DisconnectMode, SAFEARRAY**) override { return S_OK; }
    STDMETHODIMP OnAddInsUpdate(SAFEARRAY**) override { return S_OK; }
    STDMETHODIMP OnStartupComplete(SAFEARRAY**) override { return S_OK; }
    STDMETHODIMP OnBeginShutdown(SAFEARRAY**) override { return S_OK; }

  private:
    ULONG m_references = 0;
};

class Factory final : public IClassFactory
{
  public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory))
        {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; } // a static object
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID riid, void** object) override
    {
        auto* addin = new FaultyAddin;
        addin->AddRef();
        const HRESULT hr = addin->QueryInterface(riid, object);
        addin->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

} // namespace

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID, REFIID riid, void** object)
{
    return g_factory.QueryInterface(riid, object);
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return S_FALSE;
}
