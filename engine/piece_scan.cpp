#include "engine/piece_scan.h"

#include "engine/char_properties.h"
#include "engine/grapheme_cluster.h"
#include "engine/text_units.h"

#include <algorithm>
#include <cstring>

// The block paths need SSE2 (every x86-64, not every x86); TESSEL_ENGINE_SCALAR turns them off
// so that the unit-by-unit path is tested on machines that have it.
#if defined(__SSE2__) && !defined(TESSEL_ENGINE_SCALAR)
#define TESSEL_ENGINE_BLOCKS 1
#include <emmintrin.h>
#endif

namespace tessel
{
namespace
{

// Whether a piece may end right after the blank at `blank`: the blank must end its cluster,
// which it does unless a mark follows that joins it.
template <class Unit> bool BlankEndsCluster(const Unit* blank, const Unit* end)
{
    const Unit* const after = blank + 1;
    if (after == end || IsAsciiUnit(*after))
        return true;
    return !PropertiesOf(DecodeAt(after, end).codePoint).ExtendsCluster();
}

template <class Unit> const Unit* LastBlankByUnits(const Unit* from, const Unit* to)
{
    while (to != from)
    {
        if (*--to == static_cast<Unit>(kBlank))
            return to;
    }
    return nullptr;
}

#if defined(TESSEL_ENGINE_BLOCKS)

// One SSE2 register of code units, and the byte mask of the lanes that hold a given unit.
template <class Unit> struct Block;

template <> struct Block<char16_t>
{
    static constexpr int kUnits = 8;
    // Below this unit every character is one column wide and a cluster of its own (the first
    // combining marks start here).
    static constexpr char16_t kFirstSpecial = 0x300;

    static __m128i Load(const char16_t* at)
    {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    }
    static int Equal(__m128i units, char16_t unit)
    {
        return _mm_movemask_epi8(_mm_cmpeq_epi16(units, _mm_set1_epi16(static_cast<short>(unit))));
    }
    // Lanes that need a closer look than "one column, a cluster of its own, no line end": a
    // control character up to CR, or a unit from U+0300 on. Two mask bits per unit.
    static int Special(const char16_t* at)
    {
        const __m128i units = Load(at);
        const __m128i zero = _mm_setzero_si128();
        // Unsigned lane tests: unit <= CR, and unit < kFirstSpecial.
        const __m128i control =
            _mm_cmpeq_epi16(_mm_subs_epu16(units, _mm_set1_epi16(static_cast<short>(kCR))), zero);
        const __m128i plain = _mm_cmpeq_epi16(
            _mm_subs_epu16(units, _mm_set1_epi16(static_cast<short>(kFirstSpecial - 1))), zero);
        return _mm_movemask_epi8(_mm_or_si128(control, _mm_andnot_si128(plain, Everything())));
    }
    static __m128i Everything() { return _mm_set1_epi32(-1); }
    static int UnitOfBit(int bit) { return bit / 2; }
};

template <> struct Block<char>
{
    static constexpr int kUnits = 16;

    static __m128i Load(const char* at)
    {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    }
    static int Equal(__m128i units, char unit)
    {
        return _mm_movemask_epi8(_mm_cmpeq_epi8(units, _mm_set1_epi8(unit)));
    }
    // Bytes that need a closer look: a control character up to CR, or any byte of a character
    // beyond ASCII (its top bit is set).
    static int Special(const char* at)
    {
        const __m128i units = Load(at);
        const __m128i control = _mm_cmpeq_epi8(
            _mm_subs_epu8(units, _mm_set1_epi8(static_cast<char>(kCR))), _mm_setzero_si128());
        return _mm_movemask_epi8(_mm_or_si128(control, units));
    }
    static int UnitOfBit(int bit) { return bit; }
};

// The last blank in [from, to), or null; a block at a time from the end where there is room: the
// distance back to the last blank varies from piece to piece, and a loop that stops there
// would be mispredicted at every piece.
template <class Unit> const Unit* LastBlankIn(const Unit* from, const Unit* to)
{
    using B = Block<Unit>;
    if (to - from < B::kUnits)
        return LastBlankByUnits(from, to);
    for (const Unit* block = to - B::kUnits;; block -= B::kUnits)
    {
        if (block < from)
            block = from; // the first block overlaps the one after it
        const int mask = B::Equal(B::Load(block), static_cast<Unit>(kBlank));
        if (mask != 0)
            return block + B::UnitOfBit(31 - __builtin_clz(static_cast<unsigned>(mask)));
        if (block == from)
            return nullptr;
    }
}

#else

template <class Unit> const Unit* LastBlankIn(const Unit* from, const Unit* to)
{
    return LastBlankByUnits(from, to);
}

#endif

// The last blank in [start, end) that ends its cluster, or null.
template <class Unit> const Unit* LastBreakingBlank(const Unit* start, const Unit* end)
{
    for (const Unit* to = end; to != start;)
    {
        const Unit* const blank = LastBlankIn(start, to);
        if (blank == nullptr || BlankEndsCluster(blank, end))
            return blank;
        to = blank;
    }
    return nullptr;
}

// The scan cluster by cluster, continued at pos with `columns` used by the clusters from start
// on. `plain` is the start of the cluster just before pos when that was taken as a single
// character that a mark at pos could still join; pos is then re-read from there.
template <class Unit>
PieceScan<Unit> ScanClusters(const Unit* start, const Unit* pos, const Unit* textEnd, int columns,
                             const Unit* plain, int width)
{
    const auto overflow = [&](const Unit* end) {
        return PieceScan<Unit>{end, LastBreakingBlank(start, end), false};
    };
    int plainColumns = 1;
    while (pos != textEnd)
    {
        const Unit unit = *pos;
        if (IsAsciiUnit(unit))
        {
            if (IsLineEndUnit(unit))
                return {pos, nullptr, true};
            if (columns == width)
                return overflow(pos);
            ++columns;
            plain = pos++;
            plainColumns = 1;
            continue;
        }
        const Decoded ch = DecodeAt(pos, textEnd);
        const CharProperties properties = PropertiesOf(ch.codePoint);
        if (properties.StandsAlone())
        {
            const int charColumns = properties.Columns();
            if (columns + charColumns > width)
                return overflow(pos);
            columns += charColumns;
            plain = pos;
            plainColumns = charColumns;
            pos += ch.units;
            continue;
        }
        if (plain != nullptr)
        {
            // The character before may belong to this one's cluster.
            pos = plain;
            columns -= plainColumns;
            plain = nullptr;
        }
        const Cluster<Unit> cluster = NextCluster(pos, textEnd);
        if (columns + cluster.columns > width)
            return overflow(pos);
        columns += cluster.columns;
        pos = cluster.end;
    }
    return {textEnd, nullptr, true};
}

#if defined(TESSEL_ENGINE_BLOCKS)

// A block at a time while the units are all one column wide, each a cluster of its own and no
// line end: the common case of text in Latin script. Within the width, the first special unit
// hands over to the cluster-by-cluster scan; a window without one ends the piece at the width
// unless what follows it joins its last cluster.
template <class Unit> PieceScan<Unit> ScanBlocks(const Unit* start, const Unit* textEnd, int width)
{
    using B = Block<Unit>;
    const std::size_t window =
        std::min(static_cast<std::size_t>(textEnd - start), static_cast<std::size_t>(width));
    if (window < static_cast<std::size_t>(B::kUnits))
        return ScanClusters(start, start, textEnd, 0, static_cast<const Unit*>(nullptr), width);
    const auto atSpecial = [&](std::size_t at) {
        return ScanClusters(start, start + at, textEnd, static_cast<int>(at),
                            at == 0 ? nullptr : start + at - 1, width);
    };
    std::size_t offset = 0;
    for (; offset + B::kUnits <= window; offset += B::kUnits)
    {
        if (const int mask = B::Special(start + offset))
            return atSpecial(offset + static_cast<std::size_t>(B::UnitOfBit(__builtin_ctz(mask))));
    }
    if (offset < window)
    {
        // The last units of the window, in a block that overlaps the one before.
        const std::size_t last = window - B::kUnits;
        const int unseen = B::Special(start + last) >> ((offset - last) * sizeof(Unit));
        if (unseen != 0)
            return atSpecial(offset +
                             static_cast<std::size_t>(B::UnitOfBit(__builtin_ctz(unseen))));
    }
    return atSpecial(window);
}

#endif

} // namespace

template <class Unit> PieceScan<Unit> ScanPiece(const Unit* start, const Unit* textEnd, int width)
{
#if defined(TESSEL_ENGINE_BLOCKS)
    return ScanBlocks(start, textEnd, width);
#else
    return ScanClusters(start, start, textEnd, 0, static_cast<const Unit*>(nullptr), width);
#endif
}

template PieceScan<char> ScanPiece(const char*, const char*, int);
template PieceScan<char16_t> ScanPiece(const char16_t*, const char16_t*, int);

} // namespace tessel
