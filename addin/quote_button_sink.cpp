#include "addin/quote_button_sink.h"

#include "addin/host_iids.h"
#include "addin/quote_command.h"

#include <new>

namespace tessel
{

QuoteButtonSink* QuoteButtonSink::Create(IDispatch* application, IDispatch* editMessageButton)
{
    return new (std::nothrow) QuoteButtonSink(application, editMessageButton);
}

QuoteButtonSink::QuoteButtonSink(IDispatch* application, IDispatch* editMessageButton)
    : EventSink(host::kCommandBarButtonEvents, host::kButtonClickEvent, 2, // Ctrl, CancelDefault
                ArgumentCount::OfTheEvent),
      m_spApp(application), m_spEditMessageButton(editMessageButton)
{
}

QuoteButtonSink::~QuoteButtonSink()
{
    Unadvise();
    m_spEditMessageButton.Reset();
    m_spApp.Reset();
}

HRESULT QuoteButtonSink::OnEvent()
{
    return RunQuoteCommand(m_spApp.Get(), m_spEditMessageButton.Get());
}

} // namespace tessel
