#pragma once
// The items of a menu bar or of a popup menu: Count, Item(position, 1-based, or caption) and
// Add(Type, Id, Parameter, Before, Temporary), which appends (or inserts before Before) a new
// control with an empty caption and records it.

#include "hostsim/automation_object.h"

#include <vector>

namespace tessel::hostsim
{

class CommandBarControl;

class CommandBarControls final : public Automation<CommandBarControls>
{
  public:
    // window: "Explorer" or "Inspector 2"; menu: the popup's caption, "" for a menu bar.
    CommandBarControls(std::shared_ptr<HostState> state, std::wstring window, std::wstring menu);
    static MemberTable<CommandBarControls> Members();

    const std::wstring& Window() const { return m_window; }
    const std::wstring& Menu() const { return m_menu; }
    std::size_t Count() const { return m_controls.size(); }
    // 1-based; null outside 1..Count.
    CommandBarControl* At(std::size_t position) const;
    // 1-based; 0 when the control is not in this menu.
    std::size_t PositionOf(const CommandBarControl* control) const;

    void Insert(ComPtr<CommandBarControl> control, std::size_t position);
    void Append(ComPtr<CommandBarControl> control) { Insert(std::move(control), Count() + 1); }
    void Remove(CommandBarControl* control);

  private:
    ~CommandBarControls() override;

    HRESULT GetCount(const Arguments& arguments, _variant_t* result);
    HRESULT GetItem(const Arguments& arguments, _variant_t* result);
    HRESULT Add(const Arguments& arguments, _variant_t* result);

    std::wstring m_window;
    std::wstring m_menu;
    std::vector<ComPtr<CommandBarControl>> m_controls;
};

} // namespace tessel::hostsim
