#include "tests/hostsim/test_sink.h"

namespace tessel::hostsim::test
{

ComPtr<TestSink> TestSink::Make(REFIID events)
{
    return ComPtr<TestSink>(new TestSink(events)); // the count starts at 0
}

STDMETHODIMP TestSink::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) &&
        !IsEqualIID(iid, m_events))
        return E_NOINTERFACE;
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) TestSink::Release()
{
    const unsigned long references = --m_references;
    if (references == 0)
        delete this;
    return references;
}

STDMETHODIMP TestSink::GetTypeInfoCount(UINT* count)
{
    *count = 0;
    return S_OK;
}

STDMETHODIMP TestSink::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters, VARIANT*,
                              EXCEPINFO*, UINT*)
{
    Call call{id, flags, {}, nullptr};
    for (UINT i = 0; i < parameters->cArgs; ++i)
        call.types.push_back(parameters->rgvarg[i].vt);
    for (UINT i = parameters->cArgs; i-- > 0;)
        if (parameters->rgvarg[i].vt == VT_DISPATCH && parameters->rgvarg[i].pdispVal)
        {
            ComPtr<IUnknown> identity;
            parameters->rgvarg[i].pdispVal->QueryInterface(IID_PPV_ARGS(&identity));
            call.firstObject = identity.Get();
            break;
        }
    calls.push_back(call);
    // A copy: the action may free the sink, and with it onInvoke.
    const auto action = onInvoke;
    return action ? action(*this, *parameters) : S_OK;
}

HRESULT TestSink::Advise(IUnknown* source)
{
    ComPtr<IConnectionPointContainer> container;
    HRESULT hr = source->QueryInterface(IID_PPV_ARGS(&container));
    if (FAILED(hr))
        return hr;
    hr = container->FindConnectionPoint(m_events, &m_point);
    if (FAILED(hr))
        return hr;
    return m_point->Advise(static_cast<IDispatch*>(this), &m_cookie);
}

HRESULT TestSink::Unadvise()
{
    if (m_point == nullptr)
        return S_FALSE;
    const HRESULT hr = m_point->Unadvise(m_cookie);
    m_point.Reset();
    return hr;
}

} // namespace tessel::hostsim::test
