#include "hostsim/event_source.h"

#include "hostsim/automation_object.h"
#include "hostsim/iids.h"
#include "win/result.h"

#include <algorithm>

namespace tessel::hostsim
{

std::wstring EventInterfaceName(REFIID iid)
{
    static const struct
    {
        const IID* iid;
        const wchar_t* name;
    } kNames[] = {
        {&kDIID_InspectorsEvents, L"InspectorsEvents"},
        {&kDIID_InspectorEvents, L"InspectorEvents"},
        {&kDIID_InspectorEvents10, L"InspectorEvents_10"},
        {&kDIID_ExplorerEvents, L"ExplorerEvents"},
        {&kDIID_ExplorerEvents10, L"ExplorerEvents_10"},
        {&kDIID_CommandBarButtonEvents, L"_CommandBarButtonEvents"},
    };
    for (const auto& known : kNames)
        if (IsEqualIID(*known.iid, iid))
            return known.name;
    wchar_t text[40] = {};
    StringFromGUID2(iid, text, 40);
    return text;
}

Delivery& Delivery::operator+=(const Delivery& other)
{
    sinks += other.sinks;
    if (SUCCEEDED(hr))
        hr = other.hr;
    return *this;
}

EventSource::EventSource(AutomationObject& owner, std::vector<IID> events) : m_owner(owner)
{
    for (const IID& iid : events)
        m_points.push_back(std::make_unique<Point>(*this, iid));
    owner.State().eventSources.push_back(this);
}

EventSource::~EventSource()
{
    m_owner.State().Forget(this);
}

STDMETHODIMP EventSource::QueryInterface(REFIID iid, void** object)
{
    return m_owner.QueryInterface(iid, object);
}

STDMETHODIMP_(ULONG) EventSource::AddRef()
{
    return m_owner.AddRef();
}

STDMETHODIMP_(ULONG) EventSource::Release()
{
    return m_owner.Release();
}

STDMETHODIMP EventSource::EnumConnectionPoints(IEnumConnectionPoints** points)
{
    RETURN_HR_IF_NULL(E_POINTER, points);
    *points = nullptr;
    return E_NOTIMPL;
}

EventSource::Point* EventSource::Find(REFIID events) const
{
    for (const auto& point : m_points)
        if (IsEqualIID(point->m_events, events))
            return point.get();
    return nullptr;
}

STDMETHODIMP EventSource::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    RETURN_HR_IF_NULL(E_POINTER, point);
    *point = nullptr;
    if (const auto failure = m_owner.State().faults.Failure(m_owner.Kind(), L"FindConnectionPoint"))
        return *failure;
    Point* found = Find(iid);
    RETURN_HR_IF_NULL(CONNECT_E_NOCONNECTION, found);
    *point = found;
    found->AddRef();
    return S_OK;
}

bool EventSource::Point::Subscribed(DWORD cookie) const
{
    return std::any_of(m_sinks.begin(), m_sinks.end(),
                       [cookie](const auto& sink) { return sink.first == cookie; });
}

Delivery EventSource::Fire(REFIID events, DISPID id, std::initializer_list<VARIANT> arguments)
{
    Point* point = Find(events);
    if (point == nullptr)
        return {};
    // Keeps the owner alive even if the last sink lets go of it during the event.
    ComPtr<IDispatch> keepOwner(&m_owner);
    const auto snapshot = point->m_sinks;
    Delivery delivery;
    for (const auto& [cookie, sink] : snapshot)
    {
        if (!point->Subscribed(cookie)) // unsubscribed by an earlier sink of this same event
            continue;
        if (m_deliveryRecord)
            m_owner.State().record.Add(m_owner.Locate(*m_deliveryRecord));
        std::vector<VARIANT> reversed(arguments.begin(), arguments.end());
        std::reverse(reversed.begin(), reversed.end());
        DISPPARAMS parameters = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        _variant_t result;
        const HRESULT hr = sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                        &parameters, &result, nullptr, nullptr);
        Delivery one;
        one.sinks = 1;
        one.hr = FAILED(hr) ? hr : S_OK;
        delivery += one;
    }
    return delivery;
}

Delivery EventSource::FireAll(DISPID id, std::initializer_list<VARIANT> arguments)
{
    ComPtr<IDispatch> keepOwner(&m_owner);
    Delivery delivery;
    std::vector<IID> events;
    for (const auto& point : m_points)
        events.push_back(point->m_events);
    for (const IID& iid : events)
        delivery += Fire(iid, id, arguments);
    return delivery;
}

std::size_t EventSource::SinkCount() const
{
    std::size_t count = 0;
    for (const auto& point : m_points)
        count += point->m_sinks.size();
    return count;
}

std::size_t EventSource::SinkCount(REFIID events) const
{
    const Point* point = Find(events);
    return point ? point->m_sinks.size() : 0;
}

void EventSource::DisconnectAll()
{
    ComPtr<IDispatch> keepOwner(&m_owner);
    for (const auto& point : m_points)
    {
        const auto sinks = std::move(point->m_sinks);
        point->m_sinks.clear();
        // sinks go here, after the list is consistent again.
    }
}

void EventSource::Record(const Point& point, bool advise) const
{
    Event event = m_owner.Locate(advise ? EventKind::Advise : EventKind::Unadvise);
    event.name = EventInterfaceName(point.m_events);
    m_owner.State().record.Add(std::move(event));
}

STDMETHODIMP EventSource::Point::QueryInterface(REFIID iid, void** object)
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IConnectionPoint))
        return E_NOINTERFACE;
    *object = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) EventSource::Point::AddRef()
{
    return m_source.AddRef();
}

STDMETHODIMP_(ULONG) EventSource::Point::Release()
{
    return m_source.Release();
}

STDMETHODIMP EventSource::Point::GetConnectionInterface(IID* iid)
{
    RETURN_HR_IF_NULL(E_POINTER, iid);
    *iid = m_events;
    return S_OK;
}

STDMETHODIMP EventSource::Point::GetConnectionPointContainer(IConnectionPointContainer** container)
{
    RETURN_HR_IF_NULL(E_POINTER, container);
    *container = &m_source;
    m_source.AddRef();
    return S_OK;
}

STDMETHODIMP EventSource::Point::Advise(IUnknown* sink, DWORD* cookie)
{
    RETURN_HR_IF(E_POINTER, sink == nullptr || cookie == nullptr);
    *cookie = 0;
    AutomationObject& owner = m_source.m_owner;
    if (const auto failure = owner.State().faults.Failure(owner.Kind(), L"Advise"))
        return *failure;
    ComPtr<IDispatch> events;
    // A sink must answer the event interface itself; it is then called through IDispatch.
    if (FAILED(sink->QueryInterface(m_events, reinterpret_cast<void**>(events.GetAddressOf()))) ||
        events == nullptr)
        return CONNECT_E_CANNOTCONNECT;
    try
    {
        const DWORD next = owner.State().nextCookie++;
        m_sinks.emplace_back(next, std::move(events));
        *cookie = next;
        m_source.Record(*this, true);
        return S_OK;
    }
    catch (...)
    {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP EventSource::Point::Unadvise(DWORD cookie)
{
    AutomationObject& owner = m_source.m_owner;
    if (const auto failure = owner.State().faults.Failure(owner.Kind(), L"Unadvise"))
        return *failure;
    const auto found = std::find_if(m_sinks.begin(), m_sinks.end(),
                                    [cookie](const auto& sink) { return sink.first == cookie; });
    RETURN_HR_IF(CONNECT_E_NOCONNECTION, found == m_sinks.end());
    const ComPtr<IDispatch> sink = std::move(found->second);
    m_sinks.erase(found);
    try
    {
        m_source.Record(*this, false);
    }
    catch (...)
    {
    }
    return S_OK; // the sink's reference goes here, after the list is consistent again
}

std::vector<ComPtr<IDispatch>> EventSource::Sinks() const
{
    std::vector<ComPtr<IDispatch>> sinks;
    for (const auto& point : m_points)
        for (const auto& subscription : point->m_sinks)
            sinks.push_back(subscription.second);
    return sinks;
}

STDMETHODIMP EventSource::Point::EnumConnections(IEnumConnections** connections)
{
    RETURN_HR_IF_NULL(E_POINTER, connections);
    *connections = nullptr;
    return E_NOTIMPL;
}

} // namespace tessel::hostsim
