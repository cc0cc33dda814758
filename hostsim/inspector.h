#pragma once
// A message window: CurrentItem, EditorType, CommandBars, HTMLEditor (the document, only for the
// HTML editor), WordEditor and IsWordMail (Word's document, only for the Word editor) and
// Caption, and its events through connection points: InspectorEvents
// (Activate, Deactivate, Close) and, from version 10 on, InspectorEvents_10 (the same, and from
// version 11 on BeforeMaximize). Its top-level window has the main window's class,
// "rctrl_renwnd32", and the caption as title.

#include "hostsim/automation_object.h"
#include "hostsim/event_source.h"
#include "hostsim/host_options.h"
#include "win/unique_handle.h"

namespace tessel::hostsim
{

class CommandBars;
class HtmlDocument;
class Item;
class WordApplication;
class WordDocument;

class Inspector final : public Automation<Inspector>
{
  public:
    // word: the Word that edits the message when the editor is Word.
    Inspector(std::shared_ptr<HostState> state, int id, const InspectorSetup& setup,
              WordApplication* word);
    static MemberTable<Inspector> Members();

    int Id() const { return m_id; }
    const std::wstring& Caption() const { return m_caption; }
    CommandBars& Bars() const { return *m_bars.Get(); }
    // The editor's document; it exists whatever the editor, but only the HTML editor hands it out.
    HtmlDocument& Document() const { return *m_document.Get(); }
    // Word's document, for the Word editor only (null otherwise).
    WordDocument* Word() const { return m_word.Get(); }
    Item* CurrentItem() const { return m_item.Get(); }
    EventSource& Events() { return m_events; }

    // Activate, Deactivate and Close (no arguments) go to the sinks of both interfaces.
    Delivery FireWindowEvent(DISPID id);
    // BeforeMaximize(Cancel): InspectorEvents_10 only, and only where the version has it.
    Delivery FireBeforeMaximize(VARIANT_BOOL* cancel);

    // The window on the screen: shown above the others when the inspector opens, destroyed
    // when it closes.
    void ShowWindow(unique_hwnd window) { m_window = std::move(window); }
    void DestroyWindow() { m_window.reset(); }
    HWND Window() const { return m_window.get(); }

  private:
    ~Inspector() override;
    HRESULT GetCurrentItem(const Arguments& arguments, _variant_t* result);
    HRESULT GetEditorType(const Arguments& arguments, _variant_t* result);
    HRESULT GetCommandBars(const Arguments& arguments, _variant_t* result);
    HRESULT GetHtmlEditor(const Arguments& arguments, _variant_t* result);
    HRESULT GetCaption(const Arguments& arguments, _variant_t* result);
    HRESULT GetWordEditor(const Arguments& arguments, _variant_t* result);
    HRESULT GetIsWordMail(const Arguments& arguments, _variant_t* result);

    int m_id;
    EditorKind m_editor;
    std::wstring m_caption;
    ComPtr<Item> m_item;
    ComPtr<CommandBars> m_bars;
    ComPtr<HtmlDocument> m_document;
    ComPtr<WordDocument> m_word;
    EventSource m_events;
    unique_hwnd m_window;
};

// "Inspector 2".
std::wstring InspectorLabel(int id);
// "HTML editor", "plain text editor", ...
std::wstring EditorName(EditorKind editor);

} // namespace tessel::hostsim
