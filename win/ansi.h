#pragma once
// Conversions between the ANSI code page and UTF-16. Characters that the code page lacks become
// its default character, as the platform's conversion does.

#include <string>
#include <string_view>

namespace tessel
{

std::string WideToAnsi(std::wstring_view text);
std::wstring AnsiToWide(std::string_view text);

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
