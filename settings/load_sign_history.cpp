#include "settings/history_signs.h"
#include "settings/read_file_tail.h"
#include "settings/sign_history.h"

#include <unordered_set>
#include <vector>

namespace tessel
{

void LoadSignHistory(const std::string& path, CStringList& list)
{
    if (!FileExists(path))
        return;
    list.RemoveAll();
    std::string bytes;
    if (!ReadFileTail(path, kHistoryReadLimit, bytes))
        return;
    std::vector<std::string_view> signs;
    ForEachHistorySign(bytes, [&signs](std::string_view sign) { signs.push_back(sign); });

    // Newest first, each sign once: where a sign was used several times, its newest use counts.
    std::unordered_set<std::string_view> listed;
    listed.reserve(signs.size());
    for (auto sign = signs.rbegin(); sign != signs.rend(); ++sign)
    {
        if (listed.insert(*sign).second)
            list.AddTail(std::string(*sign));
    }
}

} // namespace tessel
