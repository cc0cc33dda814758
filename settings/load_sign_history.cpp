#include "settings/history_signs.h"
#include "settings/read_whole_file.h"
#include "settings/sign_history.h"

namespace tessel
{

void LoadSignHistory(const std::string& path, CStringList& list)
{
    if (!FileExists(path))
        return;
    list.RemoveAll();
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return;
    ForEachHistorySign(bytes, [&list](std::string_view sign) { list.AddHead(std::string(sign)); });
}

} // namespace tessel
