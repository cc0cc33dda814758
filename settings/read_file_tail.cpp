#include "settings/read_file_tail.h"

#include "win/unique_handle.h"

#include <algorithm>

namespace tessel
{
namespace
{

constexpr DWORD kChunkSize = 64 * 1024;

// Drops the partial line at the front of bytes read from the middle of a file. The first byte
// is the one before the wanted start: a line end there means the wanted start begins a line.
void DropCutLine(std::string& bytes)
{
    std::size_t start = bytes.find_first_of("\r\n");
    if (start == std::string::npos)
    {
        bytes.clear(); // one line longer than the tail: none of it is whole
        return;
    }
    if (bytes[start] == '\r' && start + 1 < bytes.size() && bytes[start + 1] == '\n')
        ++start;
    bytes.erase(0, start + 1);
}

} // namespace

bool ReadFileTail(const std::string& path, std::size_t maxBytes, std::string& bytes)
{
    bytes.clear();
    const unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return false;

    // A file that grows meanwhile is read only up to this size, so the bytes stay bounded.
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size))
        return true; // as an unreadable file reads: no lines
    const unsigned long long fileSize = static_cast<unsigned long long>(size.QuadPart);
    const bool fromMiddle = fileSize > maxBytes;
    if (fromMiddle)
    {
        LARGE_INTEGER start{};
        start.QuadPart = static_cast<LONGLONG>(fileSize - maxBytes - 1);
        if (!SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN))
            return true;
    }
    const std::size_t wanted = fromMiddle ? maxBytes + 1 : static_cast<std::size_t>(fileSize);

    bytes.resize(wanted);
    std::size_t filled = 0;
    while (filled < wanted)
    {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(wanted - filled, kChunkSize));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + filled, chunk, &read, nullptr) || read == 0)
            break;
        filled += read;
    }
    bytes.resize(filled);
    if (fromMiddle)
        DropCutLine(bytes);
    return true;
}

} // namespace tessel
