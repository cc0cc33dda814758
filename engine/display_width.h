#pragma once

#include <cstddef>
#include <string_view>

namespace tessel
{

// One character of UTF-16 text: a surrogate pair is one character, a lone surrogate is one
// character of its own.
struct TextChar
{
    char32_t codePoint;
    std::size_t units; // 1 or 2
};

inline bool IsHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Reads the character that starts at pos (pos < text.size()).
inline TextChar CharAt(std::u16string_view text, std::size_t pos)
{
    const char16_t unit = text[pos];
    if (IsHighSurrogate(unit) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1]))
    {
        const char32_t cp = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[pos + 1] - 0xDC00);
        return {cp, 2};
    }
    return {unit, 1};
}

// Display columns of a code point: 2 for East Asian Width W (wide) or F (fullwidth), else 1.
int CodePointColumns(char32_t codePoint);

} // namespace tessel
