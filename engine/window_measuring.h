#pragma once
// What both ways of measuring a window (window_columns.cpp with SSE2, window_columns_avx512.cpp)
// share: the ends they hold columns in, and the characters they measure one at a time once the
// columns of the window's units are looked up.

#include "engine/char_properties.h"
#include "engine/text_units.h"
#include "engine/window_columns.h"

#include <cstdint>

#if defined(TESSEL_ENGINE_BLOCKS)

namespace tessel
{

// Combining marks are looked back over this far at most, so that a long run of them costs no
// more than its length; a mark further from its character is left to the cluster rules.
constexpr int kMostMarksBack = 16;

// The character that the unit at `at` belongs to: a surrogate pair, whichever half `at` is, or
// the unit alone. Both units of a pair in the text may be read.
inline Decoded CharacterAt(const char16_t*& at, const char16_t* textStart)
{
    if (IsLowSurrogate(*at) && at != textStart && IsHighSurrogate(at[-1]))
        --at;
    return DecodeAt(at, at + 2);
}

// A combining mark (Extend) that adds no width to its cluster, which U+FE0F does.
inline bool IsNarrowMark(char32_t codePoint, CharProperties properties)
{
    return properties.Break() == GraphemeBreak::Extend && codePoint != kEmojiPresentation;
}

// Whether the narrow mark that starts at `mark` joins a character measured on its own: a
// simple one that is neither a control nor a blank, with only narrow marks between them.
inline bool JoinsSimpleCharacter(const char16_t* mark, const char16_t* textStart)
{
    for (int marks = 0; marks < kMostMarksBack && mark != textStart; ++marks)
    {
        const char16_t* before = mark - 1;
        const Decoded ch = CharacterAt(before, textStart);
        const CharProperties properties = PropertiesOf(ch.codePoint);
        if (!IsNarrowMark(ch.codePoint, properties))
            return properties.Simple() && properties.Break() != GraphemeBreak::Control &&
                   ch.codePoint != kBlank;
        mark = before;
    }
    return false;
}

// Where a unit that is not simple joins the character before it or must be left to the cluster
// rules: sets its columns in ends and returns whether the rules must measure it.
inline bool MeasureOther(const char16_t* at, int i, const char16_t* textStart, std::int8_t* ends)
{
    const char16_t* start = at + i;
    const Decoded ch = CharacterAt(start, textStart);
    const CharProperties properties = PropertiesOf(ch.codePoint);
    ends[i] = 0;
    if (properties.Simple())
    {
        if (start == at + i)
            ends[i] = static_cast<std::int8_t>(properties.Columns());
        return false;
    }
    return !IsNarrowMark(ch.codePoint, properties) || !JoinsSimpleCharacter(start, textStart);
}

// What measuring a window needs to know of a character coded as a surrogate pair, by its
// properties, in one lookup: whether it is simple or a mark (two bits, which the measuring puts
// at its two units), and its columns where it is simple. A simple control, which a mark does
// not join, is left to MeasureOther like the others.
constexpr std::uint8_t kPairSimple = 0x01, kPairMark = 0x02, kPairColumnsShift = 2;
struct PairMeasures
{
    std::uint8_t of[256];
};

constexpr PairMeasures MakePairMeasures()
{
    PairMeasures table{};
    for (unsigned bits = 0; bits < 256; ++bits)
    {
        const CharProperties properties(bits);
        if (properties.Simple() && properties.Break() != GraphemeBreak::Control)
            table.of[bits] =
                static_cast<std::uint8_t>(properties.Columns() << kPairColumnsShift) | kPairSimple;
        else if (properties.Break() == GraphemeBreak::Extend)
            table.of[bits] = kPairMark;
    }
    return table;
}

inline constexpr PairMeasures kPairMeasures = MakePairMeasures();

// The properties of the character of a surrogate pair, those of plane 1 (the emoji) looked up
// from its halves without working out the code point.
inline CharProperties PropertiesOfPair(char32_t high, char32_t low)
{
    if (high < 0xD840)
        return CharProperties(kPlane1Properties.bits[(high << 10) + low - (0xD800 << 10) - 0xDC00]);
    return PropertiesBeyondPlane1(CodePointOfPair(high, low));
}

// The characters of the window at `at` that the lookups of its units leave: its surrogate pairs
// (firstHalves holds their first halves) and its other units that are not simple, but for line
// ends. Sets their columns in ends, where the others' are, and returns the window's stops.
inline std::uint64_t MeasureCharacters(const char16_t* at, const char16_t* textStart,
                                       std::int8_t* ends, std::uint64_t firstHalves,
                                       std::uint64_t notSimple, std::uint64_t lineEnds)
{
    // Surrogate pairs (emoji, mostly), measured without a branch on what they hold: a simple
    // character, or a mark (a skin tone) that joins the simple one of the pair before it.
    // kPairSimple at a pair's first half, kPairMark at its second: for a pair that ends in the
    // next window that bit is lost, and MeasureOther measures the pair.
    std::uint64_t pairs = firstHalves, flags = 0;
    for (std::uint64_t pending = firstHalves; pending != 0; pending &= pending - 1)
    {
        const int i = __builtin_ctzll(pending);
        if (__builtin_expect(!IsLowSurrogate(at[i + 1]), 0))
        {
            pairs &= ~(std::uint64_t(1) << i); // a lone first half, one of the others below
            continue;
        }
        const std::uint8_t measures = kPairMeasures.of[PropertiesOfPair(at[i], at[i + 1]).Bits()];
        ends[i] = static_cast<std::int8_t>(measures >> kPairColumnsShift);
        flags |= std::uint64_t(measures & (kPairSimple | kPairMark)) << i;
    }
    // Bits of their first halves:
    const std::uint64_t simples = flags & pairs;    // simple characters
    const std::uint64_t marks = flags >> 1 & pairs; // marks
    // The others are measured one by one below, both halves.
    const std::uint64_t otherPairs = pairs & ~simples & ~(marks & simples << 2);
    std::uint64_t others = otherPairs | otherPairs << 1;
    // Besides: units that are not simple characters of the Basic Multilingual Plane, nor line
    // ends, nor pairs: marks and the like, a few in a window, and the second half of a pair
    // that the window before began.
    others |= notSimple & ~lineEnds & ~pairs & ~(pairs << 1);
    std::uint64_t stops = lineEnds;
    for (; others != 0; others &= others - 1)
    {
        const int i = __builtin_ctzll(others);
        if (MeasureOther(at, i, textStart, ends))
            stops |= std::uint64_t(1) << i;
    }
    return stops;
}

// Whether a measured window is plain: Latin-1, and every unit simple or a line end. Told from
// what the window was read for anyway, not from a mask of plain units of its own. A control
// keeps the window measured: it is a stop, where the plain walk would hand the window back to
// be measured.
inline bool IsPlainWindow(bool latin1, std::uint64_t notSimple, std::uint64_t lineEnds)
{
    return latin1 && (notSimple & ~lineEnds) == 0;
}

} // namespace tessel

#endif
