#pragma once
// A message window: CurrentItem, EditorType, CommandBars and HTMLEditor (the document, only for
// the HTML editor), and InspectorEvents through a connection point.

#include "hostsim/automation_object.h"
#include "hostsim/event_source.h"
#include "hostsim/host_options.h"

namespace tessel::hostsim
{

class CommandBars;
class HtmlDocument;
class Item;

class Inspector final : public Automation<Inspector>
{
  public:
    Inspector(std::shared_ptr<HostState> state, int id, const InspectorSetup& setup);
    static MemberTable<Inspector> Members();

    int Id() const { return m_id; }
    EditorKind Editor() const { return m_editor; }
    CommandBars& Bars() const { return *m_bars.Get(); }
    // The editor's document; it exists whatever the editor, but only the HTML editor hands it out.
    HtmlDocument& Document() const { return *m_document.Get(); }
    Item* CurrentItem() const { return m_item.Get(); }
    EventSource& Events() { return m_events; }

  private:
    ~Inspector() override;
    HRESULT GetCurrentItem(const Arguments& arguments, _variant_t* result);
    HRESULT GetEditorType(const Arguments& arguments, _variant_t* result);
    HRESULT GetCommandBars(const Arguments& arguments, _variant_t* result);
    HRESULT GetHtmlEditor(const Arguments& arguments, _variant_t* result);

    int m_id;
    EditorKind m_editor;
    ComPtr<Item> m_item;
    ComPtr<CommandBars> m_bars;
    ComPtr<HtmlDocument> m_document;
    EventSource m_events;
};

// "Inspector 2".
std::wstring InspectorLabel(int id);

} // namespace tessel::hostsim
