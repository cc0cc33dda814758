#include "settings/sign_history.h"

#include "settings/data_paths.h"
#include "win/unique_handle.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace tessel
{
namespace
{

constexpr DWORD kReadChunkSize = 64 * 1024;

bool IsBlankOnly(std::string_view piece)
{
    return piece.find_first_not_of(" \t\v\f") == std::string_view::npos;
}

// Calls addSign for every sign in the bytes of a history file, in file order, as
// LoadSignHistory describes. The line end is never part of a piece, so CR LF cannot be split
// between two.
void ForEachHistorySign(std::string_view bytes,
                        const std::function<void(std::string_view)>& addSign)
{
    std::size_t pos = 0;
    while (pos < bytes.size())
    {
        std::size_t lineEnd = bytes.find_first_of("\r\n", pos);
        std::size_t next = lineEnd;
        if (lineEnd == std::string_view::npos)
            lineEnd = next = bytes.size();
        else if (bytes[lineEnd] == '\r' && lineEnd + 1 < bytes.size() && bytes[lineEnd + 1] == '\n')
            next += 2;
        else
            ++next;

        std::string_view line = bytes.substr(pos, lineEnd - pos);
        // The rest of the line after a NUL is ignored, as a reader of C strings would, so the
        // sign is the one the dialog shows.
        line = line.substr(0, line.find('\0'));
        for (std::size_t cut = 0; cut < line.size(); cut += kHistoryPieceSize)
        {
            const std::string_view piece = line.substr(cut, kHistoryPieceSize);
            if (!IsBlankOnly(piece))
                addSign(piece);
        }
        pos = next;
    }
}

// True when a line holding this sign loads back as this very sign. A sign that fails this
// would be skipped or cut on loading, and so never found among the loaded signs.
bool LoadsBackWhole(std::string_view sign)
{
    return !sign.empty() && sign.size() <= kHistoryPieceSize && !IsBlankOnly(sign) &&
           sign.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

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

// Reads the last maxBytes bytes of a file (all of it when it is smaller), sharing it with
// readers and writers, starting at the start of a line. False when the file cannot be opened; a
// read that fails on the way ends the bytes there, as a line reader would.
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
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(wanted - filled, kReadChunkSize));
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

// Whether the append worked is not looked at: the sign joins the list either way, so one new
// sign in both boxes is written once. A sign that loading would skip or cut is not written at
// all: it would never be found again, and be appended anew at every use.
void RememberSign(CStringList& list, const std::string& sign)
{
    if (!LoadsBackWhole(sign) || list.Contains(sign))
        return;
    AppendSignToHistory(g_strHistoryPath, sign);
    list.AddHead(sign);
}

} // namespace

bool FileExists(const std::string& path)
{
    if (path.size() < 4)
        return false;
    WIN32_FIND_DATAA entry;
    const unique_hfind find(FindFirstFileA(path.c_str(), &entry));
    return find.is_valid();
}

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

void RememberSigns(CStringList& list, const std::string& addSign, const std::string& removeSign,
                   const std::function<void()>& betweenSigns)
{
    RememberSign(list, addSign);
    if (betweenSigns)
        betweenSigns();
    RememberSign(list, removeSign);
}

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
