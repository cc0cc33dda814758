#pragma once
// The main window's side of the object model: its command bars, and its events through
// connection points: ExplorerEvents and, from version 10 on, ExplorerEvents_10, of which hostsim
// fires Close.

#include "hostsim/automation_object.h"
#include "hostsim/event_source.h"

namespace tessel::hostsim
{

class CommandBars;

class Explorer final : public Automation<Explorer>
{
  public:
    explicit Explorer(std::shared_ptr<HostState> state);
    static MemberTable<Explorer> Members();

    CommandBars& Bars() const { return *m_bars.Get(); }
    EventSource& Events() { return m_events; }

  private:
    ~Explorer() override;
    HRESULT GetCommandBars(const Arguments& arguments, _variant_t* result);

    ComPtr<CommandBars> m_bars;
    EventSource m_events;
};

} // namespace tessel::hostsim
