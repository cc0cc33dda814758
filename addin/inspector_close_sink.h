#pragma once
// Watches one tracked message window: when it closes, deletes the window's quote item and
// frees the item's click sink and itself. It holds the window's whole state; the add-in keeps
// no list of windows.

#include "addin/event_sink.h"
#include "addin/quote_button_sink.h"

namespace tessel
{

class InspectorCloseSink final : public EventSink
{
  public:
    // Takes over the button sink's creation reference. The new sink has no references yet;
    // the creator takes the first one and leaves it to the sink, whose close handling gives it
    // up.
    static InspectorCloseSink* Create(IDispatch* application, IDispatch* inspector,
                                      IDispatch* quoteButton, ComPtr<QuoteButtonSink> buttonSink);

    // Close (0xF008, no arguments) runs the close handling; other events change nothing.
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* parameters,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

  private:
    InspectorCloseSink(IDispatch* application, IDispatch* inspector, IDispatch* quoteButton,
                       ComPtr<QuoteButtonSink> buttonSink);
    ~InspectorCloseSink() override;

    void OnClose();

    ComPtr<IDispatch> m_spApp;
    ComPtr<IDispatch> m_spInspector;
    ComPtr<IDispatch> m_spQuoteButton;
    ComPtr<QuoteButtonSink> m_pButtonSink; // the button sink's creation reference, until the close
};

} // namespace tessel
