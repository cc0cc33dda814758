#pragma once
// The add-in object that the host creates and connects. It answers IAddin (its identity and its
// IDispatch), ISupportErrorInfo, IDTExtensibility2 and IRibbonExtensibility, and carries three
// event sinks of its own, routed to its handlers through a fixed table: the host's new message
// windows, the About menu item's clicks, and the main window's close.
//
// In the 2000-2003 clients it works through menu items; in the 2007-365 clients, when the user
// opted in, through the ribbon, whose callbacks the client finds by name on its IDispatch. Those
// clients need nothing let go of at their end (from 2010 on they do not even say that they end).
//
// The 2000-2003 hosts end only once nothing of theirs is held after their last window closed,
// so the object lets go of every host object it holds (and unsubscribes every sink) when no main
// window and no tracked message window is left, and in OnBeginShutdown and OnDisconnection. A
// later connection then starts afresh.

#include "addin/inspector_close_sink.h"
#include "addin/ribbon_dispatch.h"
#include "addin/routed_sink.h"
#include "addin/type_info_dispatch.h"
#include "server/interfaces.h"
#include "win/com.h"

#include <vector>

namespace tessel
{

class Addin final : public ISupportErrorInfo,
                    public AddinDispatch,
                    public TypeInfoDispatch<IDTExtensibility2, TypeInfoHolder::Extensibility>,
                    public RibbonExtensibilityDispatch,
                    private WindowTracker
{
  public:
    static HRESULT Create(IUnknown* outer, REFIID riid, void** object);

    // IUnknown of every interface but the inner one: the outer object's when aggregated.
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // ISupportErrorInfo
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID riid) override;

    // IDTExtensibility2
    STDMETHODIMP OnConnection(IDispatch* application, ext_ConnectMode connectMode,
                              IDispatch* addInInstance, SAFEARRAY** custom) override;
    STDMETHODIMP OnDisconnection(ext_DisconnectMode removeMode, SAFEARRAY** custom) override;
    STDMETHODIMP OnAddInsUpdate(SAFEARRAY** custom) override;
    STDMETHODIMP OnStartupComplete(SAFEARRAY** custom) override;
    STDMETHODIMP OnBeginShutdown(SAFEARRAY** custom) override;

    // IRibbonExtensibility: the XML of one of the client's ribbons, or null (no UI of ours there,
    // or the add-in inert).
    STDMETHODIMP GetCustomUI(BSTR ribbonId, BSTR* ribbonXml) override;

    // Event handlers, reached through the routing table.
    void OnNewInspector(IDispatch* inspector);
    void OnAboutClick(IDispatch* control, VARIANT_BOOL* cancelDefault);
    void OnExplorerClose();

  private:
    explicit Addin(IUnknown* outer);
    ~Addin();
    Addin(const Addin&) = delete;
    Addin& operator=(const Addin&) = delete;

    // The non-delegating IUnknown: the object's own reference count and interface table.
    class InnerUnknown final : public IUnknown
    {
      public:
        explicit InnerUnknown(Addin& owner) : m_owner(owner) {}
        STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;

      private:
        Addin& m_owner;
    };

    HRESULT InternalQueryInterface(REFIID riid, void** object);

    HRESULT ConnectToHost(IDispatch* application);
    // The host's major version when this process's host is one the add-in works in, else 0.
    int AcceptedHostVersion(bool modernClients);
    bool ConnectedToModernClient() const;
    HRESULT OnRibbonCallback(RibbonCallback callback, IDispatch* control) override;
    void ShowAboutDialog();
    HRESULT SubscribeToInspectors();
    void WatchMainWindow(IDispatch* explorer);
    void AddAboutItem(IDispatch* explorer);
    HRESULT FindEditMessageButton(IDispatch* commandBars);
    HRESULT AddAboutButton(IDispatch* commandBars);
    void TrackWindow(IDispatch* inspector, ComPtr<IDispatch> quoteItem);

    void OnTrackedWindowClosed(InspectorCloseSink* window) override;
    // Lets go of every host object and unsubscribes every sink once no window is left.
    void LetGoIfNoWindowIsLeft();
    // Unsubscribes every sink, deletes the items the add-in added and releases every host
    // object; the process counts as not connected again when this object had connected it.
    void LetGoOfTheHost();

    InnerUnknown m_innerUnknown;
    IUnknown* m_pControllingUnknown; // the outer object, or m_innerUnknown
    LONG m_cRef = 0;                 // plain: the host calls on one thread only

    RoutedSink m_inspectorsSink;  // event sink 1: InspectorsEvents
    RoutedSink m_aboutButtonSink; // event sink 2: the About item's Click
    RoutedSink m_explorerSink;    // event sink 3: ExplorerEvents (the main window's Close)

    ComPtr<IDispatch> m_spApp;
    int m_nVersion = 0;
    ComPtr<IDispatch> m_spInspectors;
    ComPtr<IDispatch> m_spExplorer; // the main window watched for its Close
    ComPtr<IDispatch> m_spAboutButton;
    ComPtr<IDispatch> m_spEditMessageButton;
    DWORD m_dwInspectorsCookie = kNotConnected;
    DWORD m_dwAboutButtonCookie = kNotConnected;
    DWORD m_dwExplorerCookie = kNotConnected;
    bool m_bConnectedHere = false; // this object passed the checks and set g_bConnected
    bool m_bMainWindowOpen = false;
    // The message windows with a quote item; each sink holds its own creation reference.
    std::vector<InspectorCloseSink*> m_trackedWindows;

    static constexpr DWORD kNotConnected = 0xFEFEFEFE;
};

} // namespace tessel
