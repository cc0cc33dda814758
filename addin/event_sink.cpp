#include "addin/event_sink.h"

#include "addin/host_iids.h"
#include "server/module.h"
#include "win/result.h"

#include <array>

namespace tessel
{
namespace
{

// Names longer than this (in the ANSI code page, terminator included) match nothing.
constexpr int kNameBufferSize = 512;

LONG g_liveSinks = 0;

} // namespace

EventSink::EventSink(const IID& eventInterface, DISPID event, UINT argumentCount,
                     ArgumentCount check)
    : m_eventInterface(eventInterface), m_event(event), m_argumentCount(argumentCount),
      m_countCheck(check)
{
    InterlockedIncrement(&g_liveSinks);
    ModuleLock(); // the host may call the sink as long as it holds it
}

EventSink::~EventSink()
{
    ModuleUnlock();
    InterlockedDecrement(&g_liveSinks);
}

LONG EventSink::LiveCount()
{
    return g_liveSinks;
}

HRESULT QueryEventSinkInterface(IDispatch* sink, const IID& eventInterface, REFIID riid,
                                void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(riid, eventInterface) && !IsEqualIID(riid, IID_IUnknown) &&
        !IsEqualIID(riid, IID_IDispatch))
        return E_NOINTERFACE;
    *object = sink;
    sink->AddRef();
    return S_OK;
}

STDMETHODIMP EventSink::QueryInterface(REFIID riid, void** object)
{
    return QueryEventSinkInterface(this, m_eventInterface, riid, object);
}

STDMETHODIMP_(ULONG) EventSink::AddRef()
{
    return static_cast<ULONG>(++m_cRef);
}

STDMETHODIMP_(ULONG) EventSink::Release()
{
    const LONG count = --m_cRef;
    if (count == 0)
        delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP EventSink::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** typeInfo)
{
    if (typeInfo == nullptr)
        return E_POINTER;
    *typeInfo = nullptr;
    return E_FAIL;
}

STDMETHODIMP EventSink::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT nameCount, LCID,
                                      DISPID* ids)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (ids == nullptr || names == nullptr)
        return E_POINTER;
    if (nameCount != 1)
        return E_INVALIDARG;
    std::array<char, kNameBufferSize> name{};
    const bool fits =
        names[0] != nullptr && WideCharToMultiByte(CP_ACP, 0, names[0], -1, name.data(),
                                                   kNameBufferSize, nullptr, nullptr) != 0;
    if (!fits || lstrcmpA(name.data(), "Click") != 0)
        return DISP_E_UNKNOWNNAME;
    ids[0] = host::kButtonClickEvent;
    return S_OK;
}

STDMETHODIMP EventSink::Invoke(DISPID id, REFIID riid, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                               EXCEPINFO*, UINT*)
{
    RETURN_HR_IF(DISP_E_UNKNOWNINTERFACE, !IsEqualIID(riid, IID_NULL));
    const bool countFirst = m_countCheck == ArgumentCount::OfEveryMember;
    RETURN_HR_IF(DISP_E_MEMBERNOTFOUND, !countFirst && id != m_event);
    RETURN_HR_IF_NULL(E_POINTER, parameters);
    RETURN_HR_IF(DISP_E_BADPARAMCOUNT, parameters->cArgs != m_argumentCount);
    RETURN_HR_IF(DISP_E_MEMBERNOTFOUND, id != m_event);
    // The handling may run a modal dialog during which the host could drop its connection, or
    // give up the sink's last reference itself.
    const ComPtr<IDispatch> self(this);
    try
    {
        return OnEvent();
    }
    CATCH_RETURN()
}

HRESULT EventSink::Advise(IUnknown* source)
{
    ComPtr<IConnectionPointContainer> container;
    RETURN_HR_IF_NULL(E_NOINTERFACE, source);
    RETURN_IF_FAILED(source->QueryInterface(IID_PPV_ARGS(&container)));
    ComPtr<IConnectionPoint> point;
    RETURN_IF_FAILED(container->FindConnectionPoint(m_eventInterface, &point));
    RETURN_IF_FAILED(point->Advise(static_cast<IDispatch*>(this), &m_dwCookie));
    m_pConnectionPoint = std::move(point);
    return S_OK;
}

void EventSink::Unadvise()
{
    if (!m_pConnectionPoint)
        return;
    // Detach first: the connection point's release of this sink may come back into Release.
    const ComPtr<IConnectionPoint> point = std::move(m_pConnectionPoint);
    point->Unadvise(m_dwCookie);
}

} // namespace tessel
