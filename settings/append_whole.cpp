#include "settings/append_whole.h"

namespace tessel
{

bool AppendWhole(HANDLE file, std::string_view bytes, WriteFileFunction write)
{
    if (bytes.size() > MAXDWORD)
        return false;
    const LARGE_INTEGER noMove{};
    LARGE_INTEGER formerEnd{};
    if (!SetFilePointerEx(file, noMove, &formerEnd, FILE_END))
        return false;

    const DWORD size = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (write(file, bytes.data(), size, &written, nullptr) && written == size)
        return true;

    SetFilePointerEx(file, formerEnd, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    return false;
}

} // namespace tessel
