#include "engine/window_columns.h"

#if defined(TESSEL_ENGINE_BLOCKS)

#include "engine/char_properties.h"

#include <cstring>

namespace tessel
{
namespace
{

constexpr char32_t kEmojiPresentation = 0xFE0F;

// Combining marks are looked back over this far at most, so that a long run of them costs no
// more than its length; a mark further from its character is left to the cluster rules.
constexpr int kMostMarksBack = 16;

constexpr WindowColumns MakePlainWindowColumns()
{
    WindowColumns columns{};
    for (int i = 0; i < kWindowUnits; ++i)
        columns.ends[i] = static_cast<std::uint8_t>(i + 1);
    return columns;
}

// The character that the unit at `at` belongs to: a surrogate pair, whichever half `at` is, or
// the unit alone. Both units of a pair in the text may be read.
Decoded CharacterAt(const char16_t*& at, const char16_t* textStart)
{
    if (IsLowSurrogate(*at) && at != textStart && IsHighSurrogate(at[-1]))
        --at;
    return DecodeAt(at, at + 2);
}

// Whether the combining mark (Extend) that starts at `mark` joins a character measured on its
// own: a simple one that is neither a control nor a blank, with only marks between them.
bool JoinsSimpleCharacter(const char16_t* mark, const char16_t* textStart)
{
    for (int marks = 0; marks < kMostMarksBack && mark != textStart; ++marks)
    {
        const char16_t* before = mark - 1;
        const Decoded ch = CharacterAt(before, textStart);
        const CharProperties properties = PropertiesOf(ch.codePoint);
        if (properties.Break() != GraphemeBreak::Extend || ch.codePoint == kEmojiPresentation)
            return properties.Simple() && properties.Break() != GraphemeBreak::Control &&
                   ch.codePoint != kBlank;
        mark = before;
    }
    return false;
}

// The byte lanes of 16 at `at` that hold value, as bits.
std::uint64_t EqualBytes(const std::uint8_t* at, std::uint8_t value)
{
    const __m128i bytes = _mm_load_si128(reinterpret_cast<const __m128i*>(at));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(value)))));
}

// The byte lanes of 16 at `at` above limit (below 255), as bits.
std::uint64_t BytesAbove(const std::uint8_t* at, int limit)
{
    const __m128i bytes = _mm_load_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i least = _mm_set1_epi8(static_cast<char>(limit + 1));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(bytes, least), bytes)));
}

template <class BlockMask> std::uint64_t WindowBytes(BlockMask mask)
{
    return mask(0) | mask(16) << 16 | mask(32) << 32 | mask(48) << 48;
}

// The columns of every unit turned into the columns at which each ends, 16 at a time.
void AddUp(WindowColumns& columns)
{
    __m128i carried = _mm_setzero_si128();
    for (int i = 0; i < kWindowUnits; i += 16)
    {
        __m128i* const at = reinterpret_cast<__m128i*>(columns.ends + i);
        __m128i sums = _mm_load_si128(at);
        // Line ends and the second halves of pairs, which the table holds as not simple, count
        // no columns.
        sums = _mm_andnot_si128(_mm_cmpeq_epi8(sums, _mm_set1_epi8(kNotSimpleUnit)), sums);
        sums = _mm_add_epi8(sums, _mm_slli_si128(sums, 1));
        sums = _mm_add_epi8(sums, _mm_slli_si128(sums, 2));
        sums = _mm_add_epi8(sums, _mm_slli_si128(sums, 4));
        sums = _mm_add_epi8(sums, _mm_slli_si128(sums, 8));
        sums = _mm_add_epi8(sums, carried);
        _mm_store_si128(at, sums);
        // The last lane in every lane, for the next 16.
        const __m128i high = _mm_unpackhi_epi8(sums, sums);
        carried =
            _mm_unpackhi_epi64(_mm_shufflehi_epi16(high, 0xFF), _mm_shufflehi_epi16(high, 0xFF));
    }
}

} // namespace

constexpr WindowColumns kPlainWindowColumns = MakePlainWindowColumns();

std::uint64_t MeasureWindow(const char16_t* at, const char16_t* textStart, WindowColumns& columns)
{
    std::uint8_t* const ends = columns.ends;
    const std::uint8_t* const columnsOf = kBmpUnitColumns.of;
    // Eight at a time, stored as one word.
    for (int i = 0; i < kWindowUnits; i += 8)
    {
        std::uint64_t eight = 0;
        for (int j = 0; j < 8; ++j)
            eight |= std::uint64_t(columnsOf[at[i + j]]) << (8 * j);
        std::memcpy(ends + i, &eight, sizeof eight);
    }
    using B = Block<char16_t>;
    std::uint64_t masks[3];
    WindowMasks(
        at, masks, [](__m128i units) { return B::LineEndLanes(units); },
        [](__m128i units) { return B::RangeLanes(units, 0xD800, 0xDBFF); },
        [](__m128i units) { return B::RangeLanes(units, 0xDC00, 0xDFFF); });
    const std::uint64_t lineEnds = masks[0];
    const std::uint64_t lows = masks[2] >> 1 | std::uint64_t(IsLowSurrogate(at[kWindowUnits]))
                                                   << 63;
    const std::uint64_t pairs = masks[1] & lows;
    // Units that are not simple characters of the Basic Multilingual Plane, nor line ends, nor
    // surrogate pairs of a simple character: marks and the like, a few in a window, and the
    // second half of a pair that the window before began.
    std::uint64_t others =
        WindowBytes([ends](int i) { return EqualBytes(ends + i, kNotSimpleUnit); }) & ~lineEnds &
        ~pairs & ~(pairs << 1);
    // Pairs (emoji, mostly) are measured without a branch on what they hold.
    for (std::uint64_t pending = pairs; pending != 0; pending &= pending - 1)
    {
        const int i = __builtin_ctzll(pending);
        const char32_t codePoint =
            0x10000 + ((char32_t(at[i]) - 0xD800) << 10) + (char32_t(at[i + 1]) - 0xDC00);
        const CharProperties properties =
            codePoint < 0x20000 ? CharProperties(kPlane1Properties.bits[codePoint - 0x10000])
                                : PropertiesBeyondPlane1(codePoint);
        const unsigned simple = properties.Simple();
        ends[i] = static_cast<std::uint8_t>(simple * static_cast<unsigned>(properties.Columns()));
        others |= std::uint64_t(3 * (1 - simple)) << i;
    }
    std::uint64_t stops = lineEnds;
    for (; others != 0; others &= others - 1)
    {
        const int i = __builtin_ctzll(others);
        const char16_t* start = at + i;
        const Decoded ch = CharacterAt(start, textStart);
        const CharProperties properties = PropertiesOf(ch.codePoint);
        const bool secondHalf = start != at + i;
        if (properties.Simple())
            ends[i] = secondHalf ? 0 : static_cast<std::uint8_t>(properties.Columns());
        else if (properties.Break() == GraphemeBreak::Extend &&
                 ch.codePoint != kEmojiPresentation && JoinsSimpleCharacter(start, textStart))
            ends[i] = 0;
        else
        {
            ends[i] = 0;
            stops |= std::uint64_t(1) << i;
        }
    }
    AddUp(columns);
    return stops;
}

int UnitsThatFit(const WindowColumns& here, const WindowColumns& next, int offset, int width)
{
    const int limit = (offset != 0 ? here.ends[offset - 1] : 0) + width;
    // The columns end at a unit past the width from the first unit that runs past it on; the
    // units before it at `offset` and up are below it.
    if (const std::uint64_t past =
            WindowBytes([&](int i) { return BytesAbove(here.ends + i, limit); }))
        return __builtin_ctzll(past) - offset;
    const int limitNext = limit - here.ends[kWindowUnits - 1];
    if (const std::uint64_t past =
            WindowBytes([&](int i) { return BytesAbove(next.ends + i, limitNext); }))
        return kWindowUnits + __builtin_ctzll(past) - offset;
    return 2 * kWindowUnits - offset;
}

} // namespace tessel

#endif
