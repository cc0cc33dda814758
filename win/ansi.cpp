#include "ansi.h"

#include <windows.h>

#include <climits>

namespace tessel
{

std::string WideToAnsi(std::wstring_view text)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(text.size());
    const int size =
        WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

std::optional<std::string> WideToAnsiExact(std::wstring_view text)
{
    if (text.empty())
        return std::string();
    if (text.size() > INT_MAX)
        return std::nullopt;
    const int length = static_cast<int>(text.size());
    // No best fit: a character the code page lacks must not come out as a look-alike. UTF-8,
    // which Windows allows as the ANSI code page, refuses the default-character flag; there only
    // a lone surrogate can be lost.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* const usedDefaultFlag = utf8 ? nullptr : &usedDefault;
    const int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr,
                                         usedDefaultFlag);
    if (size <= 0 || usedDefault)
        return std::nullopt;
    std::string ansi(static_cast<std::size_t>(size), '\0');
    if (WideCharToMultiByte(CP_ACP, flags, text.data(), length, ansi.data(), size, nullptr,
                            usedDefaultFlag) != size ||
        usedDefault)
        return std::nullopt;
    // The last word has what the files would give back.
    if (AnsiToWide(ansi) != text)
        return std::nullopt;
    return ansi;
}

std::wstring AnsiToWide(std::string_view text)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), size);
    return wide;
}

} // namespace tessel
