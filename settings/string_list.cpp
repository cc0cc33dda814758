#include "settings/string_list.h"

#include <algorithm>

namespace tessel
{

bool CStringList::Contains(const std::string& value) const
{
    return std::find(m_items.begin(), m_items.end(), value) != m_items.end();
}

} // namespace tessel
