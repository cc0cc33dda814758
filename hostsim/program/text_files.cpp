#include "hostsim/program/text_files.h"

#include "cli/utf8.h"
#include "win/ansi.h"
#include "win/unique_handle.h"

#include <windows.h>

namespace tessel::hostsim
{
namespace
{

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kWriteChunk = 1 << 20;

std::wstring SystemMessage(DWORD code)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text =
        length != 0 ? std::wstring(buffer, length) : L"error " + std::to_wstring(code);
    LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ' ||
                             text.back() == L'.'))
        text.pop_back();
    return text;
}

bool Fail(const std::wstring& what, const std::wstring& path, std::wstring& error)
{
    error = what + L" " + path + L": " + SystemMessage(GetLastError());
    return false;
}

} // namespace

bool ReadUtf8File(const std::wstring& path, std::wstring& text, std::wstring& error)
{
    const unique_hfile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return Fail(L"cannot open", path, error);
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (true)
    {
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr))
            return Fail(L"cannot read", path, error);
        if (got == 0)
            break;
        bytes.append(chunk, got);
    }

    const std::size_t start = bytes.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
    std::u16string decoded;
    std::size_t errorOffset = 0;
    if (!DecodeUtf8(std::string_view(bytes).substr(start), decoded, errorOffset))
    {
        error = path + L": invalid UTF-8 at byte " + std::to_wstring(start + errorOffset);
        return false;
    }
    text.assign(AsWide(decoded));
    return true;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes, std::wstring& error)
{
    const unique_hfile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return Fail(L"cannot create", path, error);
    std::size_t done = 0;
    while (done < bytes.size())
    {
        const std::size_t left = bytes.size() - done;
        const DWORD part = static_cast<DWORD>(left < kWriteChunk ? left : kWriteChunk);
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + done, part, &written, nullptr) || written == 0)
            return Fail(L"cannot write", path, error);
        done += written;
    }
    return true;
}

std::string ToUtf8(const std::wstring& text)
{
    std::string bytes;
    AppendUtf8(AsUtf16(text), bytes);
    return bytes;
}

} // namespace tessel::hostsim
