#include "hostsim/live_objects.h"

#include "win/ansi.h"
#include "win/unique_handle.h"

#include <algorithm>
#include <utility>

namespace tessel::hostsim
{
namespace
{

// Objects are made and freed on the test's thread, but a test may look from anywhere.
CriticalSection& RegisterLock()
{
    static CriticalSection lock;
    return lock;
}

std::vector<const LiveObjectEntry*>& Register()
{
    static std::vector<const LiveObjectEntry*> entries;
    return entries;
}

} // namespace

LiveObjectEntry::LiveObjectEntry(std::wstring kind, std::wstring label,
                                 const unsigned long* references)
    : m_kind(std::move(kind)), m_label(std::move(label)), m_references(references)
{
    CriticalSectionLock hold(RegisterLock());
    Register().push_back(this);
}

LiveObjectEntry::~LiveObjectEntry()
{
    CriticalSectionLock hold(RegisterLock());
    auto& entries = Register();
    entries.erase(std::remove(entries.begin(), entries.end(), this), entries.end());
}

void LiveObjectEntry::SetLiveLabel(std::wstring label)
{
    CriticalSectionLock hold(RegisterLock());
    m_label = std::move(label);
}

std::vector<LiveObject> LiveObjects()
{
    CriticalSectionLock hold(RegisterLock());
    std::vector<LiveObject> objects;
    for (const LiveObjectEntry* entry : Register())
        objects.push_back({entry->m_kind, entry->m_label, *entry->m_references});
    return objects;
}

std::size_t LiveObjectCount()
{
    CriticalSectionLock hold(RegisterLock());
    return Register().size();
}

std::size_t LiveObjectCount(const std::wstring& kind)
{
    CriticalSectionLock hold(RegisterLock());
    const auto& entries = Register();
    return static_cast<std::size_t>(std::count_if(
        entries.begin(), entries.end(), [&](auto* entry) { return entry->m_kind == kind; }));
}

std::string DescribeLiveObjects()
{
    std::string text;
    for (const LiveObject& object : LiveObjects())
        text += WideToAnsi(object.label) + " [" + WideToAnsi(object.kind) + "] refs " +
                std::to_string(object.references) + "\n";
    return text;
}

} // namespace tessel::hostsim
