#pragma once

#include <cstddef>
#include <string_view>

namespace tessel
{

constexpr char16_t kCR = u'\r';
constexpr char16_t kLF = u'\n';
constexpr std::u16string_view kCRLF = u"\r\n";

inline bool IsLineEndUnit(char16_t unit)
{
    return unit == kCR || unit == kLF;
}

// Position after the line end that starts at pos: CR LF counts as one line end, a lone CR or a
// lone LF as one each. At the end of the text the position stays at the end.
inline std::size_t SkipLineEnd(std::u16string_view text, std::size_t pos)
{
    if (pos >= text.size())
        return text.size();
    if (text[pos] == kCR && pos + 1 < text.size() && text[pos + 1] == kLF)
        return pos + 2;
    return pos + 1;
}

} // namespace tessel
