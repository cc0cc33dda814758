#pragma once
// A process-wide register of the hostsim objects that are still alive, to find leaked
// references: every object enters it when it is made and leaves it when its last reference goes.
// After a test has released the add-in and the host, the register must be empty.

#include <cstddef>
#include <string>
#include <vector>

namespace tessel::hostsim
{

struct LiveObject
{
    std::wstring kind;  // "Inspector", "CommandBarButton", ...
    std::wstring label; // which one: "Inspector 2", "Inspector 2 > &Format > #9"
    unsigned long references = 0;
};

std::vector<LiveObject> LiveObjects();
std::size_t LiveObjectCount();
std::size_t LiveObjectCount(const std::wstring& kind);
// One line per live object ("Inspector 2 [Inspector] refs 1"), for test failure messages.
std::string DescribeLiveObjects();

// The objects' side: register on construction, unregister on destruction. The entry keeps its
// own copies of kind and label, so that the register never calls into a half-destroyed object.
class LiveObjectEntry
{
  protected:
    LiveObjectEntry(std::wstring kind, std::wstring label, const unsigned long* references);
    ~LiveObjectEntry();
    LiveObjectEntry(const LiveObjectEntry&) = delete;
    LiveObjectEntry& operator=(const LiveObjectEntry&) = delete;

    void SetLiveLabel(std::wstring label);

  private:
    friend std::vector<LiveObject> LiveObjects();
    friend std::size_t LiveObjectCount(const std::wstring& kind);

    std::wstring m_kind;
    std::wstring m_label;
    const unsigned long* m_references;
};

} // namespace tessel::hostsim
