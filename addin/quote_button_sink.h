#pragma once
// Receives the Click events of one message window's "&Quote/Unquote Selected Text" item and
// runs the quote command for each.

#include "addin/event_sink.h"

namespace tessel
{

class QuoteButtonSink final : public EventSink
{
  public:
    // A new sink with no references yet; the creator takes the first one.
    static QuoteButtonSink* Create(IDispatch* application, IDispatch* editMessageButton);

  private:
    QuoteButtonSink(IDispatch* application, IDispatch* editMessageButton);
    ~QuoteButtonSink() override;

    // Click (dispatch identifier 1, two arguments): the quote command and its status.
    HRESULT OnEvent() override;

    ComPtr<IDispatch> m_spApp;
    ComPtr<IDispatch> m_spEditMessageButton; // may be null
};

} // namespace tessel
