#include "engine/window_columns.h"

#if defined(TESSEL_ENGINE_BLOCKS)

#include "engine/char_properties.h"
#include "engine/window_measuring.h"

#include <cstring>
#include <utility>

namespace tessel
{
namespace
{

constexpr WindowColumns MakePlainWindowColumns()
{
    WindowColumns columns{};
    for (int i = 0; i < kWindowUnits; ++i)
        columns.ends[i] = EndOfColumns(i + 1);
    return columns;
}

// The columns of eight units from the table, a 16-bit lane each: every entry is read as a word
// whose low byte it is, and put in its lane, in fewer steps than bytes shifted into place.
template <int... Lanes> __m128i ColumnsOf8(const char16_t* at, std::integer_sequence<int, Lanes...>)
{
    const auto entry = [at](int i) {
        std::uint16_t word;
        std::memcpy(&word, kBmpUnitColumns.of + at[i], sizeof word);
        return word;
    };
    __m128i lanes = _mm_setzero_si128();
    ((lanes = _mm_insert_epi16(lanes, entry(Lanes), Lanes)), ...);
    return _mm_and_si128(lanes, _mm_set1_epi16(0xFF));
}

// The columns of 16 units from the table, held in a block.
__m128i ColumnsOf16(const char16_t* at)
{
    constexpr auto kLanes = std::make_integer_sequence<int, 8>();
    return _mm_packus_epi16(ColumnsOf8(at, kLanes), ColumnsOf8(at + 8, kLanes));
}

// The columns of 16 units turned into the columns at which each ends, carried on from the ones
// before (carried holds that in every lane, and is brought up to date).
__m128i AddUp16(__m128i columns, __m128i& carried)
{
    columns = _mm_add_epi8(columns, _mm_slli_si128(columns, 1));
    columns = _mm_add_epi8(columns, _mm_slli_si128(columns, 2));
    columns = _mm_add_epi8(columns, _mm_slli_si128(columns, 4));
    columns = _mm_add_epi8(columns, _mm_slli_si128(columns, 8));
    columns = _mm_add_epi8(columns, carried);
    const __m128i high = _mm_shufflehi_epi16(_mm_unpackhi_epi8(columns, columns), 0xFF);
    carried = _mm_unpackhi_epi64(high, high);
    return columns;
}

} // namespace

constexpr WindowColumns kPlainWindowColumns = MakePlainWindowColumns();

MeasuredWindow MeasureWindowSse2(const char16_t* at, const char16_t* textStart,
                                 WindowColumns& columns)
{
    constexpr int kBlocks = kWindowUnits / 16;
    // The first halves of surrogate pairs first: the loop over the pairs below learns from them
    // how many turns it takes, and its last, which is mostly guessed wrong, is then found out at
    // once, not after the lookups. A first half is told by its high byte alone, 0xD8 to 0xDB;
    // the loop checks the unit after it, which a mask of second halves would cost every window.
    std::uint64_t firstHalves;
    __m128i highBytesSeen = _mm_setzero_si128(); // ORed, for whether the window is Latin-1
    WindowMasksOfBytes(
        at,
        [&highBytesSeen](const char16_t* units) {
            const __m128i highBytes =
                _mm_packus_epi16(_mm_srli_epi16(Block<char16_t>::Load(units), 8),
                                 _mm_srli_epi16(Block<char16_t>::Load(units + 8), 8));
            highBytesSeen = _mm_or_si128(highBytesSeen, highBytes);
            return _mm_and_si128(highBytes, _mm_set1_epi8(static_cast<char>(0xFC)));
        },
        &firstHalves,
        [](__m128i kinds) {
            return _mm_cmpeq_epi8(kinds, _mm_set1_epi8(static_cast<char>(0xD8)));
        });
    // The masks that the quoting walk keeps of every window (see QuoteMasksOf), and its line
    // ends: a window that the walk measures is then read for them here, not once more there.
    // After the first halves, which come first (see above).
    std::uint64_t byteMasks[2];
    WindowByteMasks(at, byteMasks, BlankBytes, LineEndBytes);
    const std::uint64_t blanks = byteMasks[0], lineEnds = byteMasks[1];
    __m128i blocks[kBlocks];
    std::uint64_t notSimple = 0;
    for (int b = 0; b < kBlocks; ++b)
    {
        const __m128i units = ColumnsOf16(at + 16 * b);
        const __m128i notSimpleLanes = _mm_cmpeq_epi8(units, _mm_set1_epi8(kNotSimpleUnit));
        notSimple |=
            static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(notSimpleLanes)))
            << (16 * b);
        // Units that are not simple count no columns unless they are measured below.
        blocks[b] = _mm_andnot_si128(notSimpleLanes, units);
    }

    // Stored once all lookups are done: a store to ends may hold text as far as the compiler
    // knows, and the reads of the text after it would have to wait for it.
    std::int8_t* const ends = columns.ends;
    for (int b = 0; b < kBlocks; ++b)
        _mm_store_si128(reinterpret_cast<__m128i*>(ends + 16 * b), blocks[b]);
    WindowPairs pairs{firstHalves, 0, 0, 0};
    MeasurePairs(at, firstHalves, pairs, ends);
    const std::uint64_t stops =
        MeasureOthers(at, textStart, ends, OthersOfWindow(pairs, notSimple, lineEnds), lineEnds);
    __m128i carried = _mm_set1_epi8(EndOfColumns(0)); // every end held less 128
    for (int b = 0; b < kBlocks; ++b)
    {
        __m128i* const block = reinterpret_cast<__m128i*>(ends + 16 * b);
        _mm_store_si128(block, AddUp16(_mm_load_si128(block), carried));
    }
    const bool latin1 =
        _mm_movemask_epi8(_mm_cmpeq_epi8(highBytesSeen, _mm_setzero_si128())) == 0xFFFF;
    return {stops, blanks, IsPlainWindow(latin1, notSimple, lineEnds)};
}

// Chosen as the program starts, without the guard of a local static, which would cost every
// window a call more. A window measured before (by another static initialiser) is measured
// with SSE2, which gives the same.
const bool kMeasureWithAvx512 = CanMeasureWithAvx512();

} // namespace tessel

#endif
