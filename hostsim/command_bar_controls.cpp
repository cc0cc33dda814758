#include "hostsim/command_bar_controls.h"

#include "hostsim/command_bar_control.h"
#include "hostsim/iids.h"
#include "win/result.h"

#include <algorithm>

namespace tessel::hostsim
{

MemberTable<CommandBarControls> CommandBarControls::Members()
{
    using T = CommandBarControls;
    static const Member<T> members[] = {
        {L"Item", DISPID_VALUE, MemberKind::Property, &T::GetItem, nullptr, 1, 0},
        {L"Count", 1, MemberKind::Property, &T::GetCount, nullptr, 0, 0},
        {L"Add", 2, MemberKind::Method, &T::Add, nullptr, 0,
         5}, // Add([Type], [Id], [Parameter], [Before], [Temporary])
    };
    return {members, std::size(members)};
}

CommandBarControls::CommandBarControls(std::shared_ptr<HostState> state, std::wstring window,
                                       std::wstring menu)
    : Automation(state, L"CommandBarControls",
                 window + (menu.empty() ? L" > menu bar" : L" > " + menu),
                 {kIID_CommandBarControls}),
      m_window(std::move(window)), m_menu(std::move(menu))
{
}

CommandBarControls::~CommandBarControls()
{
    for (const auto& control : m_controls)
        control->Detach();
}

CommandBarControl* CommandBarControls::At(std::size_t position) const
{
    if (position < 1 || position > m_controls.size())
        return nullptr;
    return m_controls[position - 1].Get();
}

std::size_t CommandBarControls::PositionOf(const CommandBarControl* control) const
{
    const auto found = std::find_if(m_controls.begin(), m_controls.end(),
                                    [control](const auto& own) { return own.Get() == control; });
    return found == m_controls.end() ? 0 : static_cast<std::size_t>(found - m_controls.begin()) + 1;
}

void CommandBarControls::Insert(ComPtr<CommandBarControl> control, std::size_t position)
{
    CommandBarControl* raw = control.Get();
    m_controls.insert(m_controls.begin() + static_cast<std::ptrdiff_t>(position - 1),
                      std::move(control));
    raw->AttachTo(this);
}

void CommandBarControls::Remove(CommandBarControl* control)
{
    const auto found = std::find_if(m_controls.begin(), m_controls.end(),
                                    [control](const auto& own) { return own.Get() == control; });
    if (found == m_controls.end())
        return;
    control->Detach();
    const ComPtr<CommandBarControl> removed = std::move(*found);
    m_controls.erase(found);
}

HRESULT CommandBarControls::GetCount(const Arguments&, _variant_t* result)
{
    return ReturnLong(static_cast<long>(m_controls.size()), result);
}

HRESULT CommandBarControls::GetItem(const Arguments& arguments, _variant_t* result)
{
    // Item takes a caption or a position, as the client's collections do.
    const VARIANT* index = arguments.Raw(0);
    if (index != nullptr && (index->vt & VT_TYPEMASK) == VT_BSTR)
    {
        _variant_t caption;
        RETURN_IF_FAILED(arguments.Get(0, VT_BSTR, &caption));
        const std::wstring wanted(caption.bstrVal, SysStringLen(caption.bstrVal));
        for (const auto& control : m_controls)
            if (control->Caption() == wanted)
                return ReturnObject(control.Get(), result);
    }
    _variant_t position;
    RETURN_IF_FAILED(arguments.Get(0, VT_I4, &position));
    CommandBarControl* control =
        position.lVal > 0 ? At(static_cast<std::size_t>(position.lVal)) : nullptr;
    RETURN_HR_IF_NULL(E_INVALIDARG, control);
    return ReturnObject(control, result);
}

HRESULT CommandBarControls::Add(const Arguments& arguments, _variant_t* result)
{
    _variant_t type, id, before, temporary;
    RETURN_IF_FAILED(arguments.GetOptional(0, VT_I4, _variant_t(1L), &type));
    RETURN_IF_FAILED(arguments.GetOptional(1, VT_I4, _variant_t(1L), &id));
    RETURN_IF_FAILED(
        arguments.GetOptional(3, VT_I4, _variant_t(static_cast<long>(Count() + 1)), &before));
    RETURN_IF_FAILED(arguments.GetOptional(4, VT_BOOL, _variant_t(false), &temporary));
    const bool popup = type.lVal == static_cast<long>(CommandBarControl::Type::Popup);
    RETURN_HR_IF(E_INVALIDARG,
                 !popup && type.lVal != static_cast<long>(CommandBarControl::Type::Button));
    RETURN_HR_IF(E_INVALIDARG,
                 before.lVal < 1 || static_cast<std::size_t>(before.lVal) > Count() + 1);

    CommandBarControl::Setup setup;
    setup.type = popup ? CommandBarControl::Type::Popup : CommandBarControl::Type::Button;
    setup.id = id.lVal;
    setup.temporary = temporary.boolVal != VARIANT_FALSE;
    setup.added = true;
    ComPtr<CommandBarControl> control = MakeObject<CommandBarControl>(SharedState(), setup);
    Insert(control, static_cast<std::size_t>(before.lVal));

    Event event = control->Locate(EventKind::Add);
    event.value = L"Type " + std::to_wstring(type.lVal);
    if (arguments.Present(1))
        event.value += L", Id " + std::to_wstring(id.lVal);
    if (arguments.Present(2))
        event.value += L", Parameter";
    if (arguments.Present(3))
        event.value += L", Before " + std::to_wstring(before.lVal);
    if (arguments.Present(4))
        event.value += L", Temporary " + BoolText(setup.temporary);
    State().record.Add(std::move(event));
    return ReturnObject(control.Get(), result);
}

} // namespace tessel::hostsim
