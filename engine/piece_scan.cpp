#include "engine/piece_scan.h"

#include "engine/display_width.h"
#include "engine/line_ends.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessel
{
namespace
{

constexpr char16_t kBlank = u' ';

// Below this unit every character is one column wide and none is a surrogate.
constexpr char16_t kFirstSpecialUnit = 0x1100;

// Continues a scan at pos, with `columns` already used and the last blank so far.
PieceScan ScanFrom(std::u16string_view text, const char16_t* pos, int columns,
                   const char16_t* lastBlank, int width)
{
    const char16_t* const textEnd = text.data() + text.size();
    while (pos < textEnd)
    {
        const char16_t unit = *pos;
        if (unit < kFirstSpecialUnit)
        {
            if (IsLineEndUnit(unit))
                return {pos, lastBlank, true};
            if (columns == width)
                return {pos, lastBlank, false};
            if (unit == kBlank)
                lastBlank = pos;
            ++columns;
            ++pos;
            continue;
        }
        const TextChar ch = CharAt(text, static_cast<std::size_t>(pos - text.data()));
        const int charColumns = CodePointColumns(ch.codePoint);
        if (columns + charColumns > width)
            return {pos, lastBlank, false};
        columns += charColumns;
        pos += ch.units;
    }
    return {textEnd, lastBlank, true};
}

#if defined(__SSE2__)

int HighestLane(unsigned byteMask)
{
    return (31 - __builtin_clz(byteMask)) / 2;
}
int LowestLane(unsigned byteMask)
{
    return __builtin_ctz(byteMask) / 2;
}

// Eight units at a time while they are all one column wide and no line end: the common case
// of text in Latin, Greek or Cyrillic script. The first unit that needs a closer look (a line
// end, another control character below CR, or a unit from U+1100 on) hands over to the
// unit-by-unit scan, as does the rest of the window after the last full block.
PieceScan ScanBlocks(std::u16string_view text, const char16_t* start, int width)
{
    const std::size_t left = static_cast<std::size_t>(text.data() + text.size() - start);
    const std::size_t window = std::min(left, static_cast<std::size_t>(width));
    const __m128i blank = _mm_set1_epi16(kBlank);
    const __m128i lastControl = _mm_set1_epi16(kCR);
    const __m128i lastNarrow = _mm_set1_epi16(static_cast<short>(kFirstSpecialUnit - 1));
    const __m128i zero = _mm_setzero_si128();
    const char16_t* lastBlank = nullptr;
    std::size_t offset = 0;
    for (; offset + 8 <= window; offset += 8)
    {
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(start + offset));
        // Unsigned lane tests: unit <= CR, and unit > U+10FF.
        const __m128i control = _mm_cmpeq_epi16(_mm_subs_epu16(units, lastControl), zero);
        const __m128i narrow = _mm_cmpeq_epi16(_mm_subs_epu16(units, lastNarrow), zero);
        const unsigned stopMask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(control, _mm_xor_si128(narrow, _mm_cmpeq_epi16(zero, zero)))));
        unsigned blankMask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(units, blank)));
        if (stopMask != 0)
        {
            const int stop = LowestLane(stopMask);
            blankMask &= (1u << (2 * stop)) - 1;
            if (blankMask != 0)
                lastBlank = start + offset + HighestLane(blankMask);
            return ScanFrom(text, start + offset + stop, static_cast<int>(offset) + stop, lastBlank,
                            width);
        }
        if (blankMask != 0)
            lastBlank = start + offset + HighestLane(blankMask);
    }
    return ScanFrom(text, start + offset, static_cast<int>(offset), lastBlank, width);
}

#endif

} // namespace

PieceScan ScanPiece(std::u16string_view text, const char16_t* start, int width)
{
#if defined(__SSE2__)
    return ScanBlocks(text, start, width);
#else
    return ScanFrom(text, start, 0, nullptr, width);
#endif
}

} // namespace tessel
