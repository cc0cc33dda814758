#include "addin/inspector_close_sink.h"

#include "addin/dispatch_call.h"
#include "addin/host_iids.h"
#include "addin/menu_items.h"
#include "win/result.h"

#include <new>
#include <utility>

namespace tessel
{

InspectorCloseSink* InspectorCloseSink::Create(IDispatch* application, IDispatch* inspector,
                                               IDispatch* quoteButton,
                                               ComPtr<QuoteButtonSink> buttonSink,
                                               WindowTracker* tracker)
{
    return new (std::nothrow)
        InspectorCloseSink(application, inspector, quoteButton, std::move(buttonSink), tracker);
}

InspectorCloseSink::InspectorCloseSink(IDispatch* application, IDispatch* inspector,
                                       IDispatch* quoteButton, ComPtr<QuoteButtonSink> buttonSink,
                                       WindowTracker* tracker)
    : EventSink(host::kInspectorEvents, host::kInspectorCloseEvent, 0, // none takes any
                ArgumentCount::OfEveryMember),
      m_spApp(application), m_spInspector(inspector), m_spQuoteButton(quoteButton),
      m_pButtonSink(std::move(buttonSink)), m_pTracker(tracker)
{
}

InspectorCloseSink::~InspectorCloseSink()
{
    Unadvise();
    m_spQuoteButton.Reset();
    m_spInspector.Reset();
    m_spApp.Reset();
}

HRESULT InspectorCloseSink::OnEvent()
{
    if (!m_spApp || !m_spInspector)
        return E_POINTER;
    return OnClose(true);
}

void InspectorCloseSink::LetGo()
{
    OnClose(false);
}

HRESULT InspectorCloseSink::OnClose(bool tellTracker) noexcept
{
    if (m_bClosed)
        return S_OK;
    m_bClosed = true;
    // Whatever fails on the way, the tracker forgets the window and the creation reference goes:
    // a window is closed once.
    HRESULT hr = ResultOf([this] {
        if (m_pButtonSink)
        {
            m_pButtonSink->Unadvise();
            m_pButtonSink.Reset(); // frees it, unless its command is running
        }
        DeleteMenuItem(m_spQuoteButton);
        Unadvise();
    });
    if (tellTracker && m_pTracker != nullptr)
    {
        const HRESULT told = ResultOf([this] { m_pTracker->OnTrackedWindowClosed(this); });
        hr = FAILED(hr) ? hr : told; // the first failure wins
    }
    // The creation reference: when it is the last one, this object is freed here.
    Release();
    return SUCCEEDED(hr) ? S_OK : hr;
}

} // namespace tessel
