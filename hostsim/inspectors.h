#pragma once
// The collection of open message windows (Count, Item), which fires NewInspector through a
// connection point, and which knows the active one.

#include "hostsim/automation_object.h"
#include "hostsim/event_source.h"

#include <vector>

namespace tessel::hostsim
{

class Inspector;

class Inspectors final : public Automation<Inspectors>
{
  public:
    explicit Inspectors(std::shared_ptr<HostState> state);
    static MemberTable<Inspectors> Members();

    EventSource& Events() { return m_events; }
    const std::vector<ComPtr<Inspector>>& Open() const { return m_open; }
    Inspector* Find(int id) const;
    void Add(ComPtr<Inspector> inspector);
    // Forgets the inspector (and makes no inspector active if it was the active one).
    void Remove(Inspector* inspector);
    Inspector* Active() const { return m_active; }
    void SetActive(Inspector* inspector) { m_active = inspector; }

  private:
    ~Inspectors() override;
    HRESULT GetCount(const Arguments& arguments, _variant_t* result);
    HRESULT GetItem(const Arguments& arguments, _variant_t* result);

    std::vector<ComPtr<Inspector>> m_open;
    Inspector* m_active = nullptr; // one of m_open
    EventSource m_events;
};

} // namespace tessel::hostsim
