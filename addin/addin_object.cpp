#include "addin/addin_object.h"

#include "addin/connection_state.h"
#include "addin/create_addin.h"
#include "addin/host_iids.h"
#include "server/module.h"
#include "win/result.h"

#include <shlwapi.h>

#include <new>
#include <utility>

namespace tessel
{

HRESULT CreateAddinInstance(IUnknown* outer, REFIID riid, void** object)
{
    try
    {
        return Addin::Create(outer, riid, object);
    }
    CATCH_RETURN()
}

HRESULT Addin::Create(IUnknown* outer, REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    Addin* addin = new (std::nothrow) Addin(outer);
    if (addin == nullptr)
        return E_OUTOFMEMORY;
    // The inner IUnknown holds the new object while it is asked for the interface; if that
    // fails, letting go of it destroys the object again.
    const ComPtr<IUnknown> inner(&addin->m_innerUnknown);
    return inner->QueryInterface(riid, object);
}

Addin::Addin(IUnknown* outer)
    : m_innerUnknown(*this), m_pControllingUnknown(outer ? outer : &m_innerUnknown),
      m_inspectorsSink(*this, *m_pControllingUnknown, 1, host::kInspectorsEvents),
      m_aboutButtonSink(*this, *m_pControllingUnknown, 2, host::kCommandBarButtonEvents),
      m_explorerSink(*this, *m_pControllingUnknown, 3, host::kExplorerEvents)
{
    ModuleLock();
}

Addin::~Addin()
{
    // A connection the host holds on one of the object's own sinks keeps it alive, so by now
    // the host has let go of all three; the windows it still tracks are let go of here.
    for (InspectorCloseSink* window : std::exchange(m_trackedWindows, {}))
        window->LetGo();
    if (m_bConnectedHere)
        g_bConnected = false;
    m_spEditMessageButton.Reset();
    m_spAboutButton.Reset();
    m_spExplorer.Reset();
    m_spInspectors.Reset();
    m_spApp.Reset();
    ModuleUnlock();
}

HRESULT Addin::InternalQueryInterface(REFIID riid, void** object)
{
    // IUnknown gets the first entry, the IAddin side: the object's identity. IDispatch is the
    // IAddin side too, so late-bound callers see IAddin's type information, and the ribbon finds
    // its callbacks there.
    static const QITAB interfaces[] = {
        QITABENT(Addin, IAddin),
        QITABENT(Addin, ISupportErrorInfo),
        QITABENTMULTI(Addin, IDispatch, IAddin),
        QITABENT(Addin, IDTExtensibility2),
        QITABENT(Addin, IRibbonExtensibility),
        {},
    };
    return QISearch(this, interfaces, riid, object);
}

STDMETHODIMP Addin::InnerUnknown::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    // Aggregated, the inner IUnknown is the object's own, apart from the outer identity.
    if (IsEqualIID(riid, IID_IUnknown) && m_owner.m_pControllingUnknown != this)
    {
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    return m_owner.InternalQueryInterface(riid, object);
}

STDMETHODIMP_(ULONG) Addin::InnerUnknown::AddRef()
{
    return static_cast<ULONG>(++m_owner.m_cRef);
}

STDMETHODIMP_(ULONG) Addin::InnerUnknown::Release()
{
    const LONG count = --m_owner.m_cRef;
    if (count == 0)
        delete &m_owner;
    return static_cast<ULONG>(count);
}

STDMETHODIMP Addin::QueryInterface(REFIID riid, void** object)
{
    return m_pControllingUnknown->QueryInterface(riid, object);
}

STDMETHODIMP_(ULONG) Addin::AddRef()
{
    return m_pControllingUnknown->AddRef();
}

STDMETHODIMP_(ULONG) Addin::Release()
{
    return m_pControllingUnknown->Release();
}

STDMETHODIMP Addin::InterfaceSupportsErrorInfo(REFIID riid)
{
    return IsEqualIID(riid, IID_IAddin) ? S_OK : S_FALSE;
}

// The host ignores these results (E_NOTIMPL, as there is nothing to report); the work is
// letting go of the host.
STDMETHODIMP Addin::OnDisconnection(ext_DisconnectMode, SAFEARRAY**)
{
    try
    {
        LetGoOfTheHost();
        return E_NOTIMPL;
    }
    CATCH_RETURN()
}

STDMETHODIMP Addin::OnAddInsUpdate(SAFEARRAY**)
{
    return E_NOTIMPL;
}

STDMETHODIMP Addin::OnStartupComplete(SAFEARRAY**)
{
    return E_NOTIMPL;
}

STDMETHODIMP Addin::OnBeginShutdown(SAFEARRAY**)
{
    try
    {
        LetGoOfTheHost();
        return E_NOTIMPL;
    }
    CATCH_RETURN()
}

} // namespace tessel
