#include "hostsim/inspector.h"

#include "hostsim/command_bars.h"
#include "hostsim/html_document.h"
#include "hostsim/iids.h"
#include "hostsim/item.h"
#include "hostsim/word_document.h"
#include "win/result.h"

namespace tessel::hostsim
{
namespace
{

std::vector<IID> InspectorEventInterfaces(const ClientTraits& traits)
{
    if (traits.events10)
        return {kDIID_InspectorEvents, kDIID_InspectorEvents10};
    return {kDIID_InspectorEvents};
}

struct EditorRow
{
    EditorKind editor;
    const wchar_t* name;          // in the record
    const wchar_t* captionFormat; // after a message window's caption
};

const EditorRow kEditors[] = {
    {EditorKind::Text, L"plain text editor", L" (Plain Text)"},
    {EditorKind::Html, L"HTML editor", L" (HTML)"},
    {EditorKind::Rtf, L"RTF editor", L" (Rich Text)"},
    {EditorKind::Word, L"Word editor", L""},
};

const EditorRow* RowOf(EditorKind editor)
{
    for (const EditorRow& row : kEditors)
        if (row.editor == editor)
            return &row;
    return nullptr;
}

// "Untitled - Message (HTML)", "Lunch - Appointment": the subject, then what the item is.
std::wstring WindowCaption(const InspectorSetup& setup)
{
    const std::wstring subject = setup.item.subject.empty() ? L"Untitled" : setup.item.subject;
    if (setup.item.kind == ItemKind::None)
        return subject;
    std::wstring caption = subject + L" - " + ItemWindowName(setup.item.kind);
    if (setup.item.kind == ItemKind::Mail && RowOf(setup.editor) != nullptr)
        caption += RowOf(setup.editor)->captionFormat;
    return caption;
}

} // namespace

std::wstring EditorName(EditorKind editor)
{
    const EditorRow* row = RowOf(editor);
    return row ? row->name : L"editor " + std::to_wstring(static_cast<int>(editor));
}

std::wstring InspectorLabel(int id)
{
    return L"Inspector " + std::to_wstring(id);
}

MemberTable<Inspector> Inspector::Members()
{
    using T = Inspector;
    static const Member<T> members[] = {
        {L"CurrentItem", 1, MemberKind::Property, &T::GetCurrentItem, nullptr, 0, 0},
        {L"EditorType", 2, MemberKind::Property, &T::GetEditorType, nullptr, 0, 0},
        {L"CommandBars", 3, MemberKind::Property, &T::GetCommandBars, nullptr, 0, 0},
        {L"HTMLEditor", 4, MemberKind::Property, &T::GetHtmlEditor, nullptr, 0, 0},
        {L"Caption", 5, MemberKind::Property, &T::GetCaption, nullptr, 0, 0},
        {L"WordEditor", 6, MemberKind::Property, &T::GetWordEditor, nullptr, 0, 0},
        {L"IsWordMail", 7, MemberKind::Property, &T::GetIsWordMail, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

Inspector::Inspector(std::shared_ptr<HostState> state, int id, const InspectorSetup& setup,
                     WordApplication* word)
    : Automation(state, L"Inspector", InspectorLabel(id), {kIID_Inspector}), m_id(id),
      m_editor(setup.editor), m_caption(WindowCaption(setup)),
      m_bars(MakeObject<CommandBars>(
          state, Label(),
          setup.menuBar ? *setup.menuBar
                        : DefaultInspectorMenuBar(state->traits.majorVersion, setup.editMessage))),
      m_document(MakeObject<HtmlDocument>(state, Label(), setup.text, setup.selectionStart,
                                          setup.selectionEnd, setup.selection)),
      m_events(*this, InspectorEventInterfaces(state->traits))
{
    if (setup.item.kind != ItemKind::None)
        m_item = MakeObject<Item>(state, Label(), setup.item);
    if (m_editor == EditorKind::Word)
        m_word = MakeObject<WordDocument>(state, word, Label(), setup.text, setup.selectionStart,
                                          setup.selectionEnd, setup.selection);
    SetEventSource(&m_events);
}

Delivery Inspector::FireWindowEvent(DISPID id)
{
    return m_events.FireAll(id, {});
}

Delivery Inspector::FireBeforeMaximize(VARIANT_BOOL* cancelFlag)
{
    if (!State().traits.windowSizeEvents)
        return {};
    VARIANT cancel;
    cancel.vt = VT_BOOL | VT_BYREF;
    cancel.pboolVal = cancelFlag;
    return m_events.Fire(kDIID_InspectorEvents10, kDispBeforeMaximize, {cancel});
}

HRESULT Inspector::GetCurrentItem(const Arguments&, _variant_t* result)
{
    return ReturnObject(m_item.Get(), result);
}

HRESULT Inspector::GetEditorType(const Arguments&, _variant_t* result)
{
    return ReturnLong(static_cast<long>(m_editor), result);
}

HRESULT Inspector::GetCommandBars(const Arguments&, _variant_t* result)
{
    return ReturnObject(m_bars.Get(), result);
}

HRESULT Inspector::GetHtmlEditor(const Arguments&, _variant_t* result)
{
    // The object-model guard asks the user first; a refusal fails the read.
    RETURN_HR_IF(E_ACCESSDENIED, State().options.guard == GuardAnswer::Deny);
    return ReturnObject(m_editor == EditorKind::Html ? m_document.Get() : nullptr, result);
}

HRESULT Inspector::GetCaption(const Arguments&, _variant_t* result)
{
    return ReturnString(m_caption, result);
}

HRESULT Inspector::GetWordEditor(const Arguments&, _variant_t* result)
{
    // The same object-model guard as for the HTML editor.
    RETURN_HR_IF(E_ACCESSDENIED, State().options.guard == GuardAnswer::Deny);
    return ReturnObject(m_word.Get(), result);
}

HRESULT Inspector::GetIsWordMail(const Arguments&, _variant_t* result)
{
    return ReturnBool(m_editor == EditorKind::Word, result);
}

Inspector::~Inspector() = default;

} // namespace tessel::hostsim
