#include "ui/animated_cursor.h"

#include "ui/resource.h"
#include "win/this_module.h"

#include <algorithm>

namespace tessel
{
namespace
{

constexpr DWORD kChunkSize = 4096;

// Deletes the temporary file when the load ends, however it ends.
class TemporaryFile
{
  public:
    explicit TemporaryFile(const char* path) : m_path(path) {}
    ~TemporaryFile() { DeleteFileA(m_path); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

  private:
    const char* m_path;
};

// Appends the bytes in chunks, each written under a lock of its range of the file.
bool WriteInChunks(HANDLE file, const BYTE* bytes, DWORD size)
{
    for (DWORD done = 0; done < size;)
    {
        const DWORD chunk = std::min(kChunkSize, size - done);
        LARGE_INTEGER end = {};
        if (!SetFilePointerEx(file, LARGE_INTEGER{}, &end, FILE_END))
            return false;
        if (!LockFile(file, end.LowPart, static_cast<DWORD>(end.HighPart), chunk, 0))
            return false;
        DWORD written = 0;
        const BOOL wrote = WriteFile(file, bytes + done, chunk, &written, nullptr);
        UnlockFile(file, end.LowPart, static_cast<DWORD>(end.HighPart), chunk, 0);
        if (!wrote || written != chunk)
            return false;
        done += chunk;
    }
    return true;
}

} // namespace

unique_hcursor LoadAnimatedCursor(UINT resourceId)
{
    char folder[MAX_PATH];
    const DWORD folderLength = GetTempPathA(MAX_PATH, folder);
    if (folderLength == 0 || folderLength >= MAX_PATH)
        return {};
    char path[MAX_PATH];
    if (GetTempFileNameA(folder, "_", 0, path) == 0)
        return {};
    const TemporaryFile temporary(path); // GetTempFileNameA has created it

    const HMODULE module = ThisModule();
    const HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(resourceId), RT_ANICURSORS_NAME);
    if (resource == nullptr)
        return {};
    const DWORD size = SizeofResource(module, resource);
    const HGLOBAL loaded = LoadResource(module, resource);
    const auto* bytes =
        loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    if (size == 0 || bytes == nullptr)
        return {};

    {
        unique_hfile file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !WriteInChunks(file.get(), bytes, size))
            return {};
    } // closed before the platform reads it

    return unique_hcursor(LoadCursorFromFileA(path));
}

} // namespace tessel
