#pragma once
// The main window's side of the object model: its command bars.

#include "hostsim/automation_object.h"

namespace tessel::hostsim
{

class CommandBars;

class Explorer final : public Automation<Explorer>
{
  public:
    explicit Explorer(std::shared_ptr<HostState> state);
    static MemberTable<Explorer> Members();

    CommandBars& Bars() const { return *m_bars.Get(); }

  private:
    ~Explorer() override;
    HRESULT GetCommandBars(const Arguments& arguments, _variant_t* result);

    ComPtr<CommandBars> m_bars;
};

} // namespace tessel::hostsim
