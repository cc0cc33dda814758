#include "settings/read_whole_file.h"

#include "win/unique_handle.h"

namespace tessel
{
namespace
{

constexpr DWORD kChunkSize = 64 * 1024;

} // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes)
{
    bytes.clear();
    const unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return false;

    // The size is only a hint: reading goes on to the real end of the file.
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 &&
        static_cast<unsigned long long>(size.QuadPart) < bytes.max_size() - kChunkSize)
        bytes.reserve(static_cast<std::size_t>(size.QuadPart) + kChunkSize);

    for (;;)
    {
        const std::size_t filled = bytes.size();
        bytes.resize(filled + kChunkSize);
        DWORD read = 0;
        const BOOL ok = ReadFile(file.get(), bytes.data() + filled, kChunkSize, &read, nullptr);
        bytes.resize(filled + (ok ? read : 0));
        if (!ok || read == 0)
            return true;
    }
}

} // namespace tessel
