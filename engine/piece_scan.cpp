#include "engine/piece_scan.h"

#include "engine/display_width.h"
#include "engine/line_ends.h"

#include <algorithm>

// The eight-unit path needs SSE2 (every x86-64, not every x86); TESSEL_ENGINE_SCALAR turns it off
// so that the unit-by-unit path is tested on machines that have it.
#if defined(__SSE2__) && !defined(TESSEL_ENGINE_SCALAR)
#define TESSEL_ENGINE_BLOCKS 1
#include <emmintrin.h>
#endif

namespace tessel
{
namespace
{

constexpr char16_t kBlank = u' ';

// Below this unit every character is one column wide and none is a surrogate.
constexpr char16_t kFirstSpecialUnit = 0x1100;

// The last blank in [from, to), or null.
const char16_t* LastBlankIn(const char16_t* from, const char16_t* to)
{
    while (to != from)
    {
        if (*--to == kBlank)
            return to;
    }
    return nullptr;
}

// The unit-by-unit scan, continued at pos with `columns` already used by the units from
// pieceStart on (all of them one column wide and without a line end). Blanks before pos are
// only looked for when the piece turns out to need a break.
PieceScan ScanFrom(std::u16string_view text, const char16_t* pieceStart, const char16_t* pos,
                   int columns, int width)
{
    const char16_t* const textEnd = text.data() + text.size();
    const char16_t* const scanStart = pos;
    const char16_t* lastBlank = nullptr;
    const auto overflow = [&](const char16_t* end) {
        return PieceScan{end, lastBlank ? lastBlank : LastBlankIn(pieceStart, scanStart), false};
    };
    while (pos < textEnd)
    {
        const char16_t unit = *pos;
        if (unit < kFirstSpecialUnit)
        {
            if (IsLineEndUnit(unit))
                return {pos, nullptr, true};
            if (columns == width)
                return overflow(pos);
            if (unit == kBlank)
                lastBlank = pos;
            ++columns;
            ++pos;
            continue;
        }
        const TextChar ch = CharAt(text, static_cast<std::size_t>(pos - text.data()));
        const int charColumns = CodePointColumns(ch.codePoint);
        if (columns + charColumns > width)
            return overflow(pos);
        columns += charColumns;
        pos += ch.units;
    }
    return {textEnd, nullptr, true};
}

#if defined(TESSEL_ENGINE_BLOCKS)

// Byte mask (two bits per unit) of the units that need a closer look than "one column, no line
// end": a line end or another control character up to CR, or a unit from U+1100 on.
int SpecialUnitMask(const char16_t* at)
{
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i zero = _mm_setzero_si128();
    // Unsigned lane tests: unit <= CR, and unit > U+10FF.
    const __m128i control = _mm_cmpeq_epi16(_mm_subs_epu16(units, _mm_set1_epi16(kCR)), zero);
    const __m128i narrow = _mm_cmpeq_epi16(
        _mm_subs_epu16(units, _mm_set1_epi16(static_cast<short>(kFirstSpecialUnit - 1))), zero);
    return _mm_movemask_epi8(
        _mm_or_si128(control, _mm_andnot_si128(narrow, _mm_cmpeq_epi16(zero, zero))));
}

// The last blank in [from, to), where to - from >= 8, eight units at a time from the end: the
// distance back to the last blank varies from piece to piece, and a loop that stops there
// would be mispredicted at every piece.
const char16_t* LastBlankInBlocks(const char16_t* from, const char16_t* to)
{
    const __m128i blank = _mm_set1_epi16(kBlank);
    for (const char16_t* block = to - 8;; block -= 8)
    {
        if (block < from)
            block = from; // the first block overlaps the one after it
        const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block));
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi16(units, blank));
        if (mask != 0)
            return block + (31 - __builtin_clz(static_cast<unsigned>(mask))) / 2;
        if (block == from)
            return nullptr;
    }
}

// Eight units at a time while they are all one column wide and no line end: the common case
// of text in Latin, Greek or Cyrillic script. Within the width, the first special unit either
// ends the line (CR or LF) or hands over to the unit-by-unit scan; a window without one ends
// the piece at the width, where the last blank is then looked for backwards.
PieceScan ScanBlocks(std::u16string_view text, const char16_t* start, int width)
{
    const char16_t* const textEnd = text.data() + text.size();
    const std::size_t window =
        std::min(static_cast<std::size_t>(textEnd - start), static_cast<std::size_t>(width));
    if (window < 8)
        return ScanFrom(text, start, start, 0, width);
    const auto atSpecial = [&](std::size_t at) {
        if (IsLineEndUnit(start[at]))
            return PieceScan{start + at, nullptr, true};
        return ScanFrom(text, start, start + at, static_cast<int>(at), width);
    };
    std::size_t offset = 0;
    for (; offset + 8 <= window; offset += 8)
    {
        if (const int mask = SpecialUnitMask(start + offset))
            return atSpecial(offset + static_cast<std::size_t>(__builtin_ctz(mask)) / 2);
    }
    if (offset < window)
    {
        // The last units of the window, in a block that overlaps the one before.
        const std::size_t last = window - 8;
        const int unseen = SpecialUnitMask(start + last) >> (2 * (offset - last));
        if (unseen != 0)
            return atSpecial(offset + static_cast<std::size_t>(__builtin_ctz(unseen)) / 2);
    }
    const char16_t* const end = start + window;
    if (end == textEnd || IsLineEndUnit(*end))
        return {end, nullptr, true};
    return {end, LastBlankInBlocks(start, end), false};
}

#endif

} // namespace

PieceScan ScanPiece(std::u16string_view text, const char16_t* start, int width)
{
#if defined(TESSEL_ENGINE_BLOCKS)
    return ScanBlocks(text, start, width);
#else
    return ScanFrom(text, start, start, 0, width);
#endif
}

} // namespace tessel
