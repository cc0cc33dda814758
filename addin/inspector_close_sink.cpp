#include "addin/inspector_close_sink.h"

#include "addin/dispatch_call.h"
#include "addin/host_iids.h"

#include <new>
#include <utility>

namespace tessel
{

InspectorCloseSink* InspectorCloseSink::Create(IDispatch* application, IDispatch* inspector,
                                               IDispatch* quoteButton,
                                               ComPtr<QuoteButtonSink> buttonSink)
{
    return new (std::nothrow)
        InspectorCloseSink(application, inspector, quoteButton, std::move(buttonSink));
}

InspectorCloseSink::InspectorCloseSink(IDispatch* application, IDispatch* inspector,
                                       IDispatch* quoteButton, ComPtr<QuoteButtonSink> buttonSink)
    : EventSink(host::kInspectorEvents), m_spApp(application), m_spInspector(inspector),
      m_spQuoteButton(quoteButton), m_pButtonSink(std::move(buttonSink))
{
}

InspectorCloseSink::~InspectorCloseSink()
{
    Unadvise();
    m_spQuoteButton.Reset();
    m_spInspector.Reset();
    m_spApp.Reset();
}

STDMETHODIMP InspectorCloseSink::Invoke(DISPID id, REFIID riid, LCID, WORD, DISPPARAMS* parameters,
                                        VARIANT*, EXCEPINFO*, UINT*)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (parameters == nullptr)
        return E_POINTER;
    if (parameters->cArgs != 0)
        return DISP_E_BADPARAMCOUNT;
    if (id != host::kInspectorCloseEvent)
        return DISP_E_MEMBERNOTFOUND;
    if (!m_spApp || !m_spInspector)
        return E_POINTER;
    OnClose();
    return S_OK; // this object may be gone by now
}

void InspectorCloseSink::OnClose()
{
    if (m_pButtonSink)
    {
        m_pButtonSink->Unadvise();
        m_pButtonSink.Reset(); // frees it
    }
    if (m_spQuoteButton)
        CallMethod(m_spQuoteButton.Get(), L"Delete", {MissingArgument()});
    Unadvise();
    // The creation reference: when it is the last one, this object is freed here.
    Release();
}

} // namespace tessel
