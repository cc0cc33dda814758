#pragma once
// Conversions between the ANSI code page and UTF-16. Characters that the code page lacks become
// its default character, as the platform's conversion does.

#include <optional>
#include <string>
#include <string_view>

namespace tessel
{

std::string WideToAnsi(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);
// The text in the ANSI code page when the code page holds every character of it, so that it
// widens back to the same text; nullopt when one would be lost (replaced by the default
// character, or by a look-alike). For text that goes into files kept in the ANSI code page.
std::optional<std::string> WideToAnsiExact(std::wstring_view text);

// The engine works on char16_t; on Windows wchar_t is the same 16-bit unit.
static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t must be UTF-16 here");
inline std::u16string_view AsUtf16(std::wstring_view text)
{
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}
inline std::wstring_view AsWide(std::u16string_view text)
{
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

} // namespace tessel
