#include "settings/sign_history.h"

#include "win/unique_handle.h"

namespace tessel
{

bool FileExists(const std::string& path)
{
    if (path.size() < 4)
        return false;
    WIN32_FIND_DATAA entry;
    const unique_hfind find(FindFirstFileA(path.c_str(), &entry));
    return find.is_valid();
}

} // namespace tessel
