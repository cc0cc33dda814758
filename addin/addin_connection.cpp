// Connecting the add-in to its host: the checks that decide whether it wakes up in this
// process, the data files, the subscription to new message windows and the About item.

#include "addin/addin_object.h"
#include "addin/connection_state.h"
#include "addin/data_files.h"
#include "addin/dispatch_call.h"
#include "addin/host_checks.h"
#include "addin/host_iids.h"
#include "win/ansi.h"
#include "win/result.h"

namespace tessel
{
namespace
{

HRESULT Subscribe(IDispatch* source, const IID& events, IDispatch* sink, DWORD* cookie)
{
    ComPtr<IConnectionPointContainer> container;
    RETURN_HR_IF_NULL(E_NOINTERFACE, source);
    RETURN_IF_FAILED(source->QueryInterface(IID_PPV_ARGS(&container)));
    ComPtr<IConnectionPoint> point;
    RETURN_IF_FAILED(container->FindConnectionPoint(events, &point));
    return point->Advise(sink, cookie);
}

} // namespace

STDMETHODIMP Addin::OnConnection(IDispatch* application, ext_ConnectMode, IDispatch*, SAFEARRAY**)
{
    // Once a connection passed its checks, the process stays connected: later connections
    // (this object's or a new one's) find everything in place.
    if (g_bConnected)
        return S_OK;
    try
    {
        return ConnectToHost(application);
    }
    catch (...)
    {
        return E_OUTOFMEMORY; // a string that could not grow
    }
}

HRESULT Addin::ConnectToHost(IDispatch* application)
{
    // Held even when the add-in then stays inert, until the object goes.
    m_spApp.Reset();
    if (application == nullptr ||
        FAILED(QueryHostInterface(application, host::kApplication, &m_spApp)))
        return S_OK; // not the host we know: stay inert

    std::string title;
    if (!FindHostMainWindowTitle(&title) || !IsHostTitleAccepted(title))
    {
        g_bConnected = false;
        return S_OK;
    }
    g_bConnected = true;

    _bstr_t version;
    GetStringProperty(m_spApp.Get(), L"Version", &version);
    m_nVersion = HostMajorVersion(WideToAnsi(std::wstring_view(version, version.length())));
    if (m_nVersion == 0)
    {
        g_bConnected = false;
        return S_OK;
    }

    LocateDataFiles(GetAddinDllPath());
    RETURN_IF_FAILED(SubscribeToInspectors());
    return AddAboutItem();
}

HRESULT Addin::SubscribeToInspectors()
{
    const HRESULT hr = GetObjectProperty(m_spApp.Get(), L"Inspectors", &m_spInspectors);
    RETURN_IF_FAILED(hr);
    if (hr == S_FALSE)
        return S_OK; // no collection: no message windows to watch
    return Subscribe(m_spInspectors.Get(), host::kInspectorsEvents, &m_inspectorsSink,
                     &m_dwInspectorsCookie);
}

HRESULT Addin::AddAboutItem()
{
    ComPtr<IDispatch> explorer;
    GetObjectProperty(m_spApp.Get(), L"ActiveExplorer", &explorer);
    if (!explorer)
        return S_OK; // no main window's menus to add to
    ComPtr<IDispatch> commandBars;
    const HRESULT hr = GetObjectProperty(explorer.Get(), L"CommandBars", &commandBars);
    RETURN_IF_FAILED(hr);
    if (hr == S_FALSE)
        return S_OK;
    RETURN_IF_FAILED(AddAboutButton(commandBars.Get()));
    return Subscribe(m_spAboutButton.Get(), host::kCommandBarButtonEvents, &m_aboutButtonSink,
                     &m_dwAboutButtonCookie);
}

} // namespace tessel
