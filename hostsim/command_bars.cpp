#include "hostsim/command_bars.h"

#include "hostsim/command_bar_control.h"
#include "hostsim/command_bar_controls.h"
#include "hostsim/iids.h"

namespace tessel::hostsim
{
namespace
{

ComPtr<CommandBarControl> MakeControl(const std::shared_ptr<HostState>& state, bool popup,
                                      const std::wstring& caption, bool enabled)
{
    CommandBarControl::Setup setup;
    setup.type = popup ? CommandBarControl::Type::Popup : CommandBarControl::Type::Button;
    setup.caption = caption;
    setup.enabled = enabled;
    setup.id = state->nextControlId++;
    return MakeObject<CommandBarControl>(state, setup);
}

} // namespace

MemberTable<CommandBar> CommandBar::Members()
{
    using T = CommandBar;
    static const Member<T> members[] = {
        {L"Controls", 1, MemberKind::Property, &T::GetControls, nullptr, 0, 0},
        {L"Name", 2, MemberKind::Property, &T::GetName, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

CommandBar::CommandBar(std::shared_ptr<HostState> state, const std::wstring& window,
                       const MenuBarLayout& layout)
    : Automation(state, L"CommandBar", window + L" > menu bar", {kIID_CommandBar}),
      m_controls(MakeObject<CommandBarControls>(state, window, L""))
{
    for (const MenuLayout& menu : layout)
    {
        auto popup = MakeControl(state, menu.popup, menu.caption, true);
        m_controls->Append(popup);
        if (popup->Controls() == nullptr)
            continue;
        for (const MenuItemLayout& item : menu.items)
            popup->Controls()->Append(MakeControl(state, item.popup, item.caption, item.enabled));
    }
}

HRESULT CommandBar::GetControls(const Arguments&, _variant_t* result)
{
    return ReturnObject(m_controls.Get(), result);
}

HRESULT CommandBar::GetName(const Arguments&, _variant_t* result)
{
    return ReturnString(L"Menu Bar", result);
}

MemberTable<CommandBars> CommandBars::Members()
{
    using T = CommandBars;
    static const Member<T> members[] = {
        {L"ActiveMenuBar", 1, MemberKind::Property, &T::GetActiveMenuBar, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

CommandBars::CommandBars(std::shared_ptr<HostState> state, const std::wstring& window,
                         const MenuBarLayout& layout)
    : Automation(state, L"CommandBars", window + L" > command bars", {kIID_CommandBars}),
      m_menuBar(MakeObject<CommandBar>(state, window, layout))
{
}

CommandBarControls* CommandBars::Menu(std::size_t position) const
{
    const CommandBarControl* menu = m_menuBar->Controls().At(position);
    return menu ? menu->Controls() : nullptr;
}

HRESULT CommandBars::GetActiveMenuBar(const Arguments&, _variant_t* result)
{
    return ReturnObject(m_menuBar.Get(), result);
}

CommandBar::~CommandBar() = default;

CommandBars::~CommandBars() = default;

} // namespace tessel::hostsim
