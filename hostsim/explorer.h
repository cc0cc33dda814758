#pragma once
// The main window's side of the object model: its command bars; from version 15 on the reply
// written in its reading pane (ActiveInlineResponse, ActiveInlineResponseWordEditor: null while
// there is none); and its events through connection points: ExplorerEvents and, from version 10
// on, ExplorerEvents_10, of which hostsim fires Close.

#include "hostsim/automation_object.h"
#include "hostsim/event_source.h"

namespace tessel::hostsim
{

class CommandBars;
class Item;
class WordDocument;

class Explorer final : public Automation<Explorer>
{
  public:
    explicit Explorer(std::shared_ptr<HostState> state);
    static MemberTable<Explorer> Members();

    CommandBars& Bars() const { return *m_bars.Get(); }
    EventSource& Events() { return m_events; }
    // The reply in the reading pane; null while there is none.
    void SetInlineResponse(ComPtr<Item> item, ComPtr<WordDocument> document);
    WordDocument* InlineDocument() const { return m_inlineDocument.Get(); }

  private:
    ~Explorer() override;
    HRESULT GetCommandBars(const Arguments& arguments, _variant_t* result);
    HRESULT GetActiveInlineResponse(const Arguments& arguments, _variant_t* result);
    HRESULT GetActiveInlineResponseWordEditor(const Arguments& arguments, _variant_t* result);

    ComPtr<CommandBars> m_bars;
    ComPtr<Item> m_inlineItem;
    ComPtr<WordDocument> m_inlineDocument;
    EventSource m_events;
};

} // namespace tessel::hostsim
