// Connecting the add-in to its host: the checks that decide whether it wakes up in this
// process, the data files, the subscriptions to new message windows and to the main window's
// close, and the About item; and letting go of the host again when it ends.

#include "addin/addin_object.h"
#include "addin/connection_state.h"
#include "addin/data_files.h"
#include "addin/dispatch_call.h"
#include "addin/host_checks.h"
#include "addin/host_iids.h"
#include "addin/menu_items.h"
#include "win/ansi.h"
#include "win/result.h"

#include <algorithm>
#include <utility>

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
    DWORD newCookie = 0;
    RETURN_IF_FAILED(point->Advise(sink, &newCookie));
    *cookie = newCookie;
    return S_OK;
}

// Cancels a subscription made by Subscribe, if there is one; the cookie is then cleared.
void Unsubscribe(IDispatch* source, const IID& events, DWORD* cookie, DWORD notConnected)
{
    const DWORD subscribed = std::exchange(*cookie, notConnected);
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    if (subscribed == notConnected || source == nullptr ||
        FAILED(source->QueryInterface(IID_PPV_ARGS(&container))) ||
        FAILED(container->FindConnectionPoint(events, &point)))
        return;
    point->Unadvise(subscribed);
}

} // namespace

STDMETHODIMP Addin::OnConnection(IDispatch* application, ext_ConnectMode, IDispatch*, SAFEARRAY**)
{
    // Once a connection passed its checks, the process stays connected until that connection
    // lets go of the host: later connections (this object's or a new one's) find everything in
    // place.
    if (g_bConnected)
        return S_OK;
    try
    {
        return ConnectToHost(application);
    }
    CATCH_RETURN()
}

HRESULT Addin::ConnectToHost(IDispatch* application)
{
    m_spApp.Reset();
    if (application == nullptr ||
        FAILED(QueryHostInterface(application, host::kApplication, &m_spApp)))
        return S_OK; // not the host we know: stay inert

    // The 2007-365 clients only for a user who opted in; the titles of their main windows are
    // not checked (from 2013 on they name the account, and they are translated).
    const bool modernClients = ModernClientsOptedIn();
    // An inert add-in holds nothing of the host: it would never learn that the host ends, and
    // the 2000-2003 hosts cannot end while anything of theirs is held.
    if (!FindHostMainWindow(modernClients))
    {
        g_bConnected = false;
        m_spApp.Reset();
        return S_OK;
    }
    g_bConnected = true;
    m_bConnectedHere = true;

    m_nVersion = AcceptedHostVersion(modernClients);
    if (m_nVersion == 0)
    {
        g_bConnected = false;
        m_bConnectedHere = false;
        m_spApp.Reset();
        return S_OK;
    }

    LocateDataFiles(GetAddinDllPath());
    // The ribbon carries the command there: the client asks for it (GetCustomUI) once connected.
    if (ConnectedToModernClient())
        return S_OK;
    RETURN_IF_FAILED(SubscribeToInspectors());
    // The rest is optional: a failed connection makes the host disable the add-in, so a host
    // without a main window, or with another menu bar, gets the quote item all the same.
    ComPtr<IDispatch> explorer;
    CallObjectMethod(m_spApp.Get(), L"ActiveExplorer", {}, &explorer);
    WatchMainWindow(explorer.Get());
    AddAboutItem(explorer.Get());
    return S_OK;
}

int Addin::AcceptedHostVersion(bool modernClients)
{
    _bstr_t version;
    GetStringProperty(m_spApp.Get(), L"Version", &version);
    const std::string text = WideToAnsi(std::wstring_view(version, version.length()));
    const int classic = HostMajorVersion(text);
    if (!modernClients)
        return classic;
    // Found with any title, a 2000-2003 client must still have its own.
    if (classic != 0)
        return FindHostMainWindow() ? classic : 0;
    return ModernHostMajorVersion(text);
}

bool Addin::ConnectedToModernClient() const
{
    return m_bConnectedHere && m_nVersion >= kFirstModernVersion;
}

HRESULT Addin::SubscribeToInspectors()
{
    RETURN_IF_FAILED(GetObjectProperty(m_spApp.Get(), L"Inspectors", &m_spInspectors));
    if (!m_spInspectors)
        return S_OK; // no collection: no message windows to watch
    return Subscribe(m_spInspectors.Get(), host::kInspectorsEvents, &m_inspectorsSink,
                     &m_dwInspectorsCookie);
}

void Addin::WatchMainWindow(IDispatch* explorer)
{
    // No main window: the host was started with a message window (a mailto: link, say), and
    // the last of those closing is the host's end.
    if (explorer == nullptr)
        return;
    m_bMainWindowOpen = true;
    // Without the subscription the main window counts as open until the host ends.
    if (SUCCEEDED(Subscribe(explorer, host::kExplorerEvents, &m_explorerSink, &m_dwExplorerCookie)))
        m_spExplorer = explorer;
}

void Addin::AddAboutItem(IDispatch* explorer)
{
    ComPtr<IDispatch> commandBars;
    if (explorer == nullptr || FAILED(GetObjectProperty(explorer, L"CommandBars", &commandBars)) ||
        !commandBars || FAILED(AddAboutButton(commandBars.Get())))
        return;
    // An item whose clicks nobody hears would only puzzle the user.
    if (FAILED(Subscribe(m_spAboutButton.Get(), host::kCommandBarButtonEvents, &m_aboutButtonSink,
                         &m_dwAboutButtonCookie)))
        DeleteMenuItem(m_spAboutButton);
}

void Addin::OnExplorerClose()
{
    m_bMainWindowOpen = false;
    Unsubscribe(m_spExplorer.Get(), host::kExplorerEvents, &m_dwExplorerCookie, kNotConnected);
    m_spExplorer.Reset();
    LetGoIfNoWindowIsLeft();
}

void Addin::OnTrackedWindowClosed(InspectorCloseSink* window)
{
    m_trackedWindows.erase(std::remove(m_trackedWindows.begin(), m_trackedWindows.end(), window),
                           m_trackedWindows.end());
    LetGoIfNoWindowIsLeft();
}

void Addin::LetGoIfNoWindowIsLeft()
{
    if (m_bConnectedHere && !m_bMainWindowOpen && m_trackedWindows.empty())
        LetGoOfTheHost();
}

void Addin::LetGoOfTheHost()
{
    // Unsubscribing this object's own sinks releases the host's references to it.
    const ComPtr<IUnknown> keepAlive(m_pControllingUnknown);
    for (InspectorCloseSink* window : std::exchange(m_trackedWindows, {}))
        window->LetGo();
    Unsubscribe(m_spInspectors.Get(), host::kInspectorsEvents, &m_dwInspectorsCookie,
                kNotConnected);
    Unsubscribe(m_spExplorer.Get(), host::kExplorerEvents, &m_dwExplorerCookie, kNotConnected);
    Unsubscribe(m_spAboutButton.Get(), host::kCommandBarButtonEvents, &m_dwAboutButtonCookie,
                kNotConnected);
    DeleteMenuItem(m_spAboutButton);
    m_spEditMessageButton.Reset();
    m_spExplorer.Reset();
    m_spInspectors.Reset();
    m_spApp.Reset();
    m_bMainWindowOpen = false;
    if (std::exchange(m_bConnectedHere, false))
        g_bConnected = false;
}

} // namespace tessel
