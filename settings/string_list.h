#pragma once
// The ordered list of strings that the sign history is loaded into: entries go to the head or
// the tail, lookups compare exactly, iteration runs from head to tail.

#include <algorithm>
#include <list>
#include <string>

namespace tessel
{

class CStringList
{
  public:
    using const_iterator = std::list<std::string>::const_iterator;

    void AddHead(const std::string& value) { m_items.push_front(value); }
    void AddTail(const std::string& value) { m_items.push_back(value); }
    void RemoveAll() { m_items.clear(); }
    // Exact, case-sensitive comparison.
    bool Contains(const std::string& value) const
    {
        return std::find(m_items.begin(), m_items.end(), value) != m_items.end();
    }
    std::size_t GetCount() const { return m_items.size(); }
    bool IsEmpty() const { return m_items.empty(); }

    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }

  private:
    std::list<std::string> m_items;
};

} // namespace tessel
