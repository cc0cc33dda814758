#pragma once
// The add-in object that the host creates and connects. It answers IAddin (its identity and its
// IDispatch), ISupportErrorInfo and IDTExtensibility2, and carries two event sinks of its own:
// one for the host's new message windows and one for the About menu item's clicks, routed to
// its handlers through a fixed table.

#include "addin/routed_sink.h"
#include "addin/type_info_dispatch.h"
#include "server/interfaces.h"
#include "win/com.h"

namespace tessel
{

class Addin final : public ISupportErrorInfo,
                    public TypeInfoDispatch<IAddin, TypeInfoHolder::Addin>,
                    public TypeInfoDispatch<IDTExtensibility2, TypeInfoHolder::Extensibility>
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

    // Event handlers, reached through the routing table.
    void OnNewInspector(IDispatch* inspector);
    void OnAboutClick(IDispatch* control, VARIANT_BOOL* cancelDefault);

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
    HRESULT SubscribeToInspectors();
    HRESULT AddAboutItem();
    HRESULT FindEditMessageButton(IDispatch* commandBars);
    HRESULT AddAboutButton(IDispatch* commandBars);

    InnerUnknown m_innerUnknown;
    IUnknown* m_pControllingUnknown; // the outer object, or m_innerUnknown
    LONG m_cRef = 0;                 // plain: the host calls on one thread only

    RoutedSink m_inspectorsSink;  // event sink 1: InspectorsEvents
    RoutedSink m_aboutButtonSink; // event sink 2: the About item's Click

    ComPtr<IDispatch> m_spApp;
    int m_nVersion = 0;
    ComPtr<IDispatch> m_spInspectors;
    ComPtr<IDispatch> m_spAboutButton;
    ComPtr<IDispatch> m_spEditMessageButton;
    DWORD m_dwInspectorsCookie = kNotConnected;
    DWORD m_dwAboutButtonCookie = kNotConnected;

    static constexpr DWORD kNotConnected = 0xFEFEFEFE;
};

} // namespace tessel
