#pragma once
// The engine works on UTF-16 (the add-in's text) and on UTF-8 (the filter's) with the same
// code: these are the few things that differ between the two, one overload for each.

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace tessel
{

constexpr char32_t kCR = U'\r';
constexpr char32_t kLF = U'\n';
constexpr char32_t kBlank = U' ';

template <class Unit> bool IsLineEndUnit(Unit unit)
{
    return unit == static_cast<Unit>(kCR) || unit == static_cast<Unit>(kLF);
}

// Position after the line end at pos: CR LF is one line end, a lone CR or a lone LF one each.
template <class Unit> const Unit* SkipLineEnd(const Unit* pos, const Unit* end)
{
    if (pos == end)
        return end;
    if (*pos == static_cast<Unit>(kCR) && pos + 1 != end && pos[1] == static_cast<Unit>(kLF))
        return pos + 2;
    return pos + 1;
}

// Below this code unit every character is ASCII, in UTF-8 and UTF-16 alike.
constexpr unsigned kAsciiEnd = 0x80;

template <class Unit> bool IsAsciiUnit(Unit unit)
{
    return static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<Unit>>(unit)) < kAsciiEnd;
}

// One character of the text: its code point and how many code units it takes.
struct Decoded
{
    char32_t codePoint;
    std::size_t units;
};

inline bool IsHighSurrogate(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLowSurrogate(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The code point of a surrogate pair.
inline char32_t CodePointOfPair(char32_t high, char32_t low)
{
    return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// UTF-16: a surrogate pair is one character; a lone surrogate is a character of its own.
inline Decoded DecodeAt(const char16_t* pos, const char16_t* end)
{
    const char32_t unit = *pos;
    if (IsHighSurrogate(unit) && pos + 1 != end && IsLowSurrogate(pos[1]))
        return {CodePointOfPair(unit, pos[1]), 2};
    return {unit, 1};
}

// UTF-8, strictly (no overlong forms, surrogates or code points above U+10FFFF). A byte that
// does not start a valid sequence is a character of its own, U+DC80 to U+DCFF like a lone
// surrogate of UTF-16, so that nothing past the end is ever read and nothing is skipped.
inline Decoded DecodeAt(const char* pos, const char* end)
{
    const auto lead = static_cast<unsigned char>(*pos);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    char32_t codePoint;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, codePoint = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
    {
        length = 3, codePoint = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;  // not overlong
        high = lead == 0xED ? 0x9F : 0xBF; // not a surrogate
    }
    else if (lead >= 0xF0 && lead <= 0xF4)
    {
        length = 4, codePoint = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;  // not overlong
        high = lead == 0xF4 ? 0x8F : 0xBF; // not above U+10FFFF
    }
    else
        return {0xDC00u | lead, 1};
    if (static_cast<std::size_t>(end - pos) < length)
        return {0xDC00u | lead, 1};
    for (std::size_t i = 1; i < length; ++i)
    {
        const auto byte = static_cast<unsigned char>(pos[i]);
        if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF))
            return {0xDC00u | lead, 1};
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    return {codePoint, length};
}

// Whether the bytes at pos start a valid UTF-8 sequence.
inline bool IsValidUtf8At(const char* pos, const char* end)
{
    return DecodeAt(pos, end).units > 1 || IsAsciiUnit(*pos);
}

} // namespace tessel
