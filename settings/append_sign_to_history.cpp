#include "settings/append_whole.h"
#include "settings/sign_history.h"

#include "win/unique_handle.h"

namespace tessel
{
namespace
{

// A file whose last line has no line end (edited by hand, say) would otherwise have the new sign
// glued to that line, losing both signs.
bool EndsInsideLine(HANDLE file)
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart == 0)
        return false;
    LARGE_INTEGER lastByte{};
    lastByte.QuadPart = -1;
    char last = 0;
    DWORD read = 0;
    if (!SetFilePointerEx(file, lastByte, nullptr, FILE_END) ||
        !ReadFile(file, &last, 1, &read, nullptr) || read != 1)
        return true; // an extra line end costs only an empty line, which loading skips
    return last != '\n' && last != '\r';
}

} // namespace

bool AppendSignToHistory(const std::string& path, const std::string& sign)
{
    if (sign.empty())
        return true;
    // Open or create, never truncate; no sharing, so nobody else writes between our look at the
    // end of the file and our write, nor reads half a line.
    const unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    const std::string line = (EndsInsideLine(file.get()) ? "\r\n" : "") + sign + "\r\n";
    return AppendWhole(file.get(), line);
}

} // namespace tessel
