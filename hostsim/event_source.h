#pragma once
// Events through real connection points. An object that fires events embeds one EventSource:
// its IConnectionPointContainer (the same COM identity as the object) and one connection point
// per event interface it offers (objects of their own for COM, whose lifetime is the owner's).
// Sinks are asked for the event interface on Advise and held until Unadvise or until the host
// drops every connection. Events go to a snapshot of the subscribed sinks, each held by a
// reference for the call, so that a sink may unsubscribe and free itself while it handles one.

#include "hostsim/event_record.h"
#include "win/com.h"

#include <ocidl.h>

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <optional>
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

    // Adds another firing's outcome: its sinks, and its failure if there was none yet.
    Delivery& operator+=(const Delivery& other);
};

class EventSource : public IConnectionPointContainer
{
  public:
    // events: the interfaces offered, in the order in which their sinks get an event.
    EventSource(AutomationObject& owner, std::vector<IID> events);
    ~EventSource();
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;

    // Each delivery to a sink is recorded as an event of this kind at the owner's place.
    void RecordDeliveries(EventKind kind) { m_deliveryRecord = kind; }

    // IUnknown, as the owner.
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // IConnectionPointContainer
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // Calls Invoke(id, DISPATCH_METHOD) of every sink subscribed to the interface, with the
    // arguments given in their published order. An interface the source does not offer reaches
    // nobody.
    Delivery Fire(REFIID events, DISPID id, std::initializer_list<VARIANT> arguments);
    // The same to the sinks of every interface the source offers.
    Delivery FireAll(DISPID id, std::initializer_list<VARIANT> arguments);
    std::size_t SinkCount() const;
    std::size_t SinkCount(REFIID events) const;
    // The subscribed sinks of every interface, for calling one directly as the client would.
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

        bool Subscribed(DWORD cookie) const;

        EventSource& m_source;
        IID m_events;
        std::vector<std::pair<DWORD, ComPtr<IDispatch>>> m_sinks;
    };

    Point* Find(REFIID events) const;
    void Record(const Point& point, bool advise) const;

    AutomationObject& m_owner;
    std::vector<std::unique_ptr<Point>> m_points;
    std::optional<EventKind> m_deliveryRecord;
};

} // namespace tessel::hostsim
