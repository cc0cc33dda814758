#pragma once
// Watches one tracked message window: when it closes, deletes the window's quote item and
// frees the item's click sink and itself. It holds the window's whole state; the add-in object
// keeps only a list of the windows it tracks, to let go of all of them when the host ends.

#include "addin/event_sink.h"
#include "addin/quote_button_sink.h"

namespace tessel
{

class InspectorCloseSink;

// Told when a tracked window has closed (after its close handling).
class WindowTracker
{
  public:
    virtual void OnTrackedWindowClosed(InspectorCloseSink* window) = 0;

  protected:
    ~WindowTracker() = default;
};

class InspectorCloseSink final : public EventSink
{
  public:
    // Takes over the button sink's creation reference. The new sink has no references yet;
    // the creator takes the first one and leaves it to the sink, whose close handling gives it
    // up. tracker, if any, must outlive the sink's close handling.
    static InspectorCloseSink* Create(IDispatch* application, IDispatch* inspector,
                                      IDispatch* quoteButton, ComPtr<QuoteButtonSink> buttonSink,
                                      WindowTracker* tracker = nullptr);

    // The close handling without telling the tracker: the add-in lets go of the window while it
    // is still open. A window closes once; later calls do nothing. Failures are not reported.
    // This object may be gone when it returns.
    void LetGo();

  private:
    InspectorCloseSink(IDispatch* application, IDispatch* inspector, IDispatch* quoteButton,
                       ComPtr<QuoteButtonSink> buttonSink, WindowTracker* tracker);
    ~InspectorCloseSink() override;

    // Close (0xF008): the close handling. Every event of the window takes no arguments; other
    // events change nothing.
    HRESULT OnEvent() override;

    // The close handling; the first failure on the way, which does not stop it.
    HRESULT OnClose(bool tellTracker) noexcept;

    ComPtr<IDispatch> m_spApp;
    ComPtr<IDispatch> m_spInspector;
    ComPtr<IDispatch> m_spQuoteButton;
    ComPtr<QuoteButtonSink> m_pButtonSink; // the button sink's creation reference, until the close
    WindowTracker* m_pTracker;
    bool m_bClosed = false;
};

} // namespace tessel
