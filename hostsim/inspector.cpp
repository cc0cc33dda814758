#include "hostsim/inspector.h"

#include "hostsim/command_bars.h"
#include "hostsim/html_document.h"
#include "hostsim/iids.h"
#include "hostsim/item.h"

namespace tessel::hostsim
{

std::wstring InspectorLabel(int id)
{
    return L"Inspector " + std::to_wstring(id);
}

MemberTable<Inspector> Inspector::Members()
{
    using T = Inspector;
    static const Member<T> members[] = {
        {L"CurrentItem", 1, &T::GetCurrentItem, nullptr, 0, 0},
        {L"EditorType", 2, &T::GetEditorType, nullptr, 0, 0},
        {L"CommandBars", 3, &T::GetCommandBars, nullptr, 0, 0},
        {L"HTMLEditor", 4, &T::GetHtmlEditor, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

Inspector::Inspector(std::shared_ptr<HostState> state, int id, const InspectorSetup& setup)
    : Automation(state, L"Inspector", InspectorLabel(id), {kIID_Inspector}), m_id(id),
      m_editor(setup.editor),
      m_bars(MakeObject<CommandBars>(
          state, Label(),
          setup.menuBar ? *setup.menuBar
                        : DefaultInspectorMenuBar(state->majorVersion, setup.editMessage))),
      m_document(MakeObject<HtmlDocument>(state, Label(), setup.text, setup.selectionStart,
                                          setup.selectionEnd, setup.selection)),
      m_events(*this, kDIID_InspectorEvents)
{
    if (setup.item.kind != ItemKind::None)
        m_item = MakeObject<Item>(state, Label(), setup.item);
    SetEventSource(&m_events);
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
    return ReturnObject(m_editor == EditorKind::Html ? m_document.Get() : nullptr, result);
}

Inspector::~Inspector() = default;

} // namespace tessel::hostsim
