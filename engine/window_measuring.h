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
// properties, in one lookup: whether it is simple (and then whether it is of two columns), or a
// mark. A simple control, which a mark does not join, is left to MeasureOther like the others.
constexpr std::uint8_t kPairSimple = 0x01, kPairWide = 0x02, kPairMark = 0x04;
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
            table.of[bits] = properties.Wide() ? kPairSimple | kPairWide : kPairSimple;
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

// The surrogate pairs of a window, in bits at their first halves.
struct WindowPairs
{
    std::uint64_t pairs;   // first halves with a second half after them
    std::uint64_t simples; // of simple characters
    std::uint64_t wide;    // of simple characters of two columns (the other simple ones: one)
    std::uint64_t marks;   // of marks (a skin tone), which join a simple pair right before them
};

// Measures the pairs whose first halves `pending` holds, by the properties of their characters,
// into found, whose pairs lose any first half without a second after it. Without a branch on
// what a pair holds. Where ends is given, the pairs' columns are set there too.
inline void MeasurePairs(const char16_t* at, std::uint64_t pending, WindowPairs& found,
                         std::int8_t* ends)
{
    for (; pending != 0; pending &= pending - 1)
    {
        const int i = __builtin_ctzll(pending);
        if (__builtin_expect(!IsLowSurrogate(at[i + 1]), 0))
        {
            found.pairs &= ~(std::uint64_t(1) << i); // a lone first half, one of the others
            continue;
        }
        const unsigned measures = kPairMeasures.of[PropertiesOfPair(at[i], at[i + 1]).Bits()];
        found.simples |= std::uint64_t(measures & kPairSimple) << i;
        found.wide |= std::uint64_t(measures / kPairWide & 1) << i;
        found.marks |= std::uint64_t(measures / kPairMark & 1) << i;
        if (ends != nullptr)
            ends[i] =
                static_cast<std::int8_t>((measures & kPairSimple) + (measures / kPairWide & 1));
    }
}

// The units of a window that are measured one by one (see MeasureOther), given its pairs: those
// of pairs that are neither simple nor marks joining a simple pair, both halves, and units that
// are not simple characters of the Basic Multilingual Plane, nor line ends, nor pairs: marks and
// the like, a few in a window, and the second half of a pair that the window before began.
inline std::uint64_t OthersOfWindow(const WindowPairs& found, std::uint64_t notSimple,
                                    std::uint64_t lineEnds)
{
    const std::uint64_t pairs = found.pairs;
    const std::uint64_t otherPairs = pairs & ~found.simples & ~(found.marks & found.simples << 2);
    return otherPairs | otherPairs << 1 | (notSimple & ~lineEnds & ~pairs & ~(pairs << 1));
}

// Measures `others` one by one, their columns set in ends, where the other units' are; returns
// the window's stops: its line ends, and those of the others that the cluster rules must
// measure.
inline std::uint64_t MeasureOthers(const char16_t* at, const char16_t* textStart, std::int8_t* ends,
                                   std::uint64_t others, std::uint64_t lineEnds)
{
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
