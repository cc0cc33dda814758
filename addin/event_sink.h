#pragma once
// The common part of the add-in's two per-window event sinks (the quote item's Click and the
// window's Close): a plain IUnknown/IDispatch object that subscribes itself at a connection
// point of one event interface and hears one event of it. The host calls it late-bound by
// dispatch identifier, so there is no type information; the name lookup knows only "Click".
// Invoke checks the call and keeps the sink alive in one place, and no exception leaves it;
// a sink only handles its event.
//
// The reference count is a plain integer: the host calls sinks on its user-interface thread
// only. The object frees itself when the count drops to zero. A live sink holds the module
// lock, so that the DLL is not unloaded while the host can still call it.

#include "win/com.h"

namespace tessel
{

// QueryInterface of an event sink: its event interface, IUnknown and IDispatch are the sink
// itself; anything else is refused with a null result.
HRESULT QueryEventSinkInterface(IDispatch* sink, const IID& eventInterface, REFIID riid,
                                void** object);

// When a wrong argument count is refused: only for the sink's event, after the member has been
// found, or for every member of an interface whose members all take the same count, before.
enum class ArgumentCount
{
    OfTheEvent,
    OfEveryMember,
};

class EventSink : public IDispatch
{
  public:
    // IUnknown: the event interface, IUnknown and IDispatch, in that order.
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IDispatch without type information.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT nameCount, LCID locale,
                               DISPID* ids) override;
    // The event (with its argument count; the arguments themselves are not used) runs OnEvent
    // and returns its status; any other member is not found.
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* parameters,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) final;

    // Subscribes to the source's events; the failure when that cannot be done.
    HRESULT Advise(IUnknown* source);
    // Cancels the subscription; a second call does nothing.
    void Unadvise();

    // Sinks of either kind not yet freed, for finding leaks.
    static LONG LiveCount();

  protected:
    EventSink(const IID& eventInterface, DISPID event, UINT argumentCount, ArgumentCount check);
    virtual ~EventSink();
    EventSink(const EventSink&) = delete;
    EventSink& operator=(const EventSink&) = delete;

    // The event's handling. The sink lives until it returns, whatever the handling releases.
    virtual HRESULT OnEvent() = 0;

  private:
    const IID& m_eventInterface;
    const DISPID m_event;
    const UINT m_argumentCount;
    const ArgumentCount m_countCheck;
    LONG m_cRef = 0;
    ComPtr<IConnectionPoint> m_pConnectionPoint;
    DWORD m_dwCookie = 0;
};

} // namespace tessel
