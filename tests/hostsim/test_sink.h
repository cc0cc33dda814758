#pragma once
// A small event sink for the tests: answers one event interface, records every Invoke as the
// host made it (DISPPARAMS untouched, last argument first), and can run an action inside the
// event (to unsubscribe or free itself there, as the add-in's sinks do).

#include "win/com.h"

#include <ocidl.h>

#include <functional>
#include <memory>
#include <vector>

namespace tessel::hostsim::test
{

class TestSink : public IDispatch
{
  public:
    struct Call
    {
        DISPID id;
        WORD flags;
        std::vector<VARTYPE> types; // in DISPPARAMS order
        IUnknown* firstObject;      // identity of the first VT_DISPATCH argument, not counted
    };

    static ComPtr<TestSink> Make(REFIID events);

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_references; }
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* parameters,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    // FindConnectionPoint and Advise on source; keeps the point and the cookie.
    HRESULT Advise(IUnknown* source);
    HRESULT Unadvise();

    std::vector<Call> calls;
    std::function<HRESULT(TestSink& sink, DISPPARAMS& parameters)> onInvoke;
    // References the sink keeps, as the add-in's sinks keep the application or their window.
    std::vector<ComPtr<IUnknown>> holds;
    // Set when the sink is freed.
    std::shared_ptr<bool> freed = std::make_shared<bool>(false);

  private:
    explicit TestSink(REFIID events) : m_events(events) {}
    virtual ~TestSink() { *freed = true; }

    IID m_events;
    unsigned long m_references = 0;
    ComPtr<IConnectionPoint> m_point;
    DWORD m_cookie = 0;
};

} // namespace tessel::hostsim::test
