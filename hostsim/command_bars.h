#pragma once
// A window's command bars (ActiveMenuBar) and its menu bar (Controls, Name), built from a
// menu layout.

#include "hostsim/automation_object.h"
#include "hostsim/host_options.h"

namespace tessel::hostsim
{

class CommandBarControls;

class CommandBar final : public Automation<CommandBar>
{
  public:
    CommandBar(std::shared_ptr<HostState> state, const std::wstring& window,
               const MenuBarLayout& layout);
    static MemberTable<CommandBar> Members();

    CommandBarControls& Controls() const { return *m_controls.Get(); }

  private:
    ~CommandBar() override;
    HRESULT GetControls(const Arguments& arguments, _variant_t* result);
    HRESULT GetName(const Arguments& arguments, _variant_t* result);

    ComPtr<CommandBarControls> m_controls;
};

class CommandBars final : public Automation<CommandBars>
{
  public:
    // window: "Explorer" or "Inspector 2", for the record.
    CommandBars(std::shared_ptr<HostState> state, const std::wstring& window,
                const MenuBarLayout& layout);
    static MemberTable<CommandBars> Members();

    CommandBar& MenuBar() const { return *m_menuBar.Get(); }
    // The items of the popup at this 1-based position of the menu bar; null when there is none.
    CommandBarControls* Menu(std::size_t position) const;

  private:
    ~CommandBars() override;
    HRESULT GetActiveMenuBar(const Arguments& arguments, _variant_t* result);

    ComPtr<CommandBar> m_menuBar;
};

} // namespace tessel::hostsim
