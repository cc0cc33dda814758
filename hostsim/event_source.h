#pragma once
// Events through real connection points. An object that fires events embeds one EventSource:
// its IConnectionPointContainer (the same COM identity as the object) and the connection point
// of its one event interface (an object of its own for COM, whose lifetime is the owner's).
// Sinks are asked for the event interface on Advise and held until Unadvise or until the host
// drops every connection. Events go to a snapshot of the subscribed sinks, each held by a
// reference for the call, so that a sink may unsubscribe and free itself while it handles one.

#include "win/com.h"

#include <ocidl.h>

#include <cstddef>
#include <initializer_list>
#include <utility>
#include <vector>

namespace tessel::hostsim
{

class AutomationObject;

// The outcome of firing one event.
struct Delivery
{
    std::size_t sinks = 0; // sinks that received it
    HRESULT hr = S_OK;     // the first failure a sink returned, else S_OK
    bool cancel = false;   // the by-reference Cancel flag after the sinks, for events with one
};

class EventSource : public IConnectionPointContainer
{
  public:
    EventSource(AutomationObject& owner, REFIID events);
    ~EventSource();
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;

    // IUnknown, as the owner.
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // Calls every subscribed sink's Invoke(id, DISPATCH_METHOD) with the arguments, given in
    // their published order.
    Delivery Fire(DISPID id, std::initializer_list<VARIANT> arguments);
    std::size_t SinkCount() const { return m_point.m_sinks.size(); }
    // The subscribed sinks, for calling one directly as the client would.
    std::vector<ComPtr<IDispatch>> Sinks() const;
    // Releases every sink, as the client does when it ends.
    void DisconnectAll();

  private:
    class Point : public IConnectionPoint
    {
      public:
        Point(EventSource& source, REFIID events) : m_source(source), m_events(events) {}

        STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;
        STDMETHODIMP GetConnectionInterface(IID* iid) override;
        STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
        STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
        STDMETHODIMP Unadvise(DWORD cookie) override;
        STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

        EventSource& m_source;
        IID m_events;
        std::vector<std::pair<DWORD, ComPtr<IDispatch>>> m_sinks;
    };

    bool Subscribed(DWORD cookie) const;
    void Record(bool advise) const;

    AutomationObject& m_owner;
    Point m_point;
};

} // namespace tessel::hostsim
