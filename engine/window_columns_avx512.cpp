// Measuring a window with AVX-512 (BW and VBMI), for processors that have it: the 64 units are
// looked up in registers, by table lookups of 128 bytes (VPERMI2B), instead of one by one, and
// so are the surrogate pairs of the emoji.
// Only the functions marked TESSEL_AVX512 use it, so that nothing else in the program does.

#include "engine/window_columns.h"

#if defined(TESSEL_ENGINE_BLOCKS)

#include "engine/char_properties.h"
#include "engine/window_measuring.h"

#include <immintrin.h>

#define TESSEL_AVX512 __attribute__((target("avx512f,avx512bw,avx512vbmi,bmi")))

namespace tessel
{
namespace
{

// The bytes of two registers of UTF-16 units, taken apart: their low bytes and their high ones.
struct UnitByteIndexes
{
    alignas(64) std::uint8_t low[64];
    alignas(64) std::uint8_t high[64];
};

constexpr UnitByteIndexes MakeUnitByteIndexes()
{
    UnitByteIndexes indexes{};
    for (int i = 0; i < 64; ++i)
    {
        indexes.low[i] = static_cast<std::uint8_t>(2 * i);
        indexes.high[i] = static_cast<std::uint8_t>(2 * i + 1);
    }
    return indexes;
}

constexpr UnitByteIndexes kUnitByteIndexes = MakeUnitByteIndexes();

TESSEL_AVX512 inline __m512i Load64(const void* at)
{
    return _mm512_loadu_si512(at);
}

// The low and the high bytes of the 64 units from `at`.
struct BytesOfUnits
{
    __m512i low, high;
};

TESSEL_AVX512 inline BytesOfUnits BytesOfUnitsAt(const char16_t* at)
{
    const __m512i first = Load64(at), second = Load64(at + 32);
    return {_mm512_permutex2var_epi8(first, Load64(kUnitByteIndexes.low), second),
            _mm512_permutex2var_epi8(first, Load64(kUnitByteIndexes.high), second)};
}

TESSEL_AVX512 inline __m512i Bytes(std::uint8_t byte)
{
    return _mm512_set1_epi8(static_cast<char>(byte));
}

// Looks up a table of 256 bytes by every byte of index.
TESSEL_AVX512 inline __m512i LookUp256(const std::uint8_t* table, __m512i index)
{
    const __m512i below = _mm512_permutex2var_epi8(Load64(table), index, Load64(table + 64));
    const __m512i above = _mm512_permutex2var_epi8(Load64(table + 128), index, Load64(table + 192));
    return _mm512_mask_blend_epi8(_mm512_movepi8_mask(index), below, above);
}

// The columns of the units in `mixed` whose high byte is `page`, from their low bytes: sets
// them in columns and returns the rest of mixed.
TESSEL_AVX512 inline __mmask64 LookUpPage(__m512i& columns, __m512i low, __m512i high,
                                          __mmask64 mixed, unsigned page)
{
    const __mmask64 onPage =
        _mm512_mask_cmpeq_epi8_mask(mixed, high, Bytes(static_cast<std::uint8_t>(page)));
    columns =
        _mm512_mask_mov_epi8(columns, onPage, LookUp256(kBmpUnitColumns.of + 256 * page, low));
    return mixed & ~onPage;
}

// 16-byte lanes moved up by one or two, zeros coming in: a rotation, the lanes that wrap
// cleared.
TESSEL_AVX512 inline __m512i LanesUp1(__m512i lanes)
{
    return _mm512_maskz_alignr_epi64(0xFC, lanes, lanes, 6);
}
TESSEL_AVX512 inline __m512i LanesUp2(__m512i lanes)
{
    return _mm512_maskz_alignr_epi64(0xF0, lanes, lanes, 4);
}

// The bit of each number from 0 to 7, a byte each, in every 16-byte lane: for looking up a bit
// of each byte by VPSHUFB.
struct BitsOfNumbers
{
    alignas(64) std::uint8_t of[64];
};

constexpr BitsOfNumbers MakeBitsOfNumbers()
{
    BitsOfNumbers bits{};
    for (int i = 0; i < 64; ++i)
        bits.of[i] = static_cast<std::uint8_t>(i % 16 < 8 ? 1u << i % 16 : 0u);
    return bits;
}

constexpr BitsOfNumbers kBitsOfNumbers = MakeBitsOfNumbers();

// The surrogate pairs of the window at `at` (firstHalves holds its first halves; low and high
// are its units' bytes) in found, those of the emoji blocks measured in registers (see
// kEmojiBits): the simple ones of two columns, and the skin tones. Returns the first halves of
// the other pairs, to be measured one by one: mostly none.
TESSEL_AVX512 std::uint64_t MeasureEmojiPairs(const char16_t* at, __m512i low, __m512i high,
                                              std::uint64_t firstHalves, WindowPairs& found)
{
    // The bytes of the unit after each unit: the window's last is followed by the one after it.
    const BytesOfUnits after = BytesOfUnitsAt(at + 1);
    const __m512i lowAfter = after.low, highAfter = after.high;
    const std::uint64_t pairs =
        firstHalves & _mm512_cmpeq_epi8_mask(_mm512_and_si512(highAfter, Bytes(0xFC)), Bytes(0xDC));
    // First halves D83C to D83E: the block of 1,024 code points is low - 0x3C, and a code
    // point's bit is bit lowAfter & 7 of byte (highAfter & 3) << 5 | lowAfter >> 3 of the
    // block's 128.
    const __m512i block = _mm512_sub_epi8(low, Bytes(0x3C));
    const std::uint64_t inBlocks =
        pairs & _mm512_cmpeq_epi8_mask(high, Bytes(0xD8)) & _mm512_cmplt_epu8_mask(block, Bytes(3));
    const __m512i byteOfBlock = _mm512_ternarylogic_epi32( // a | (b & c)
        _mm512_slli_epi16(_mm512_and_si512(highAfter, Bytes(0x03)), 5),
        _mm512_srli_epi16(lowAfter, 3), Bytes(0x1F), 0xF8);
    const auto blockBytes = [byteOfBlock](int n) TESSEL_AVX512 {
        const std::uint8_t* const bits = kEmojiBits.wideSimple + 128 * n;
        return _mm512_permutex2var_epi8(Load64(bits), byteOfBlock, Load64(bits + 64));
    };
    __m512i bytes = blockBytes(0);
    bytes = _mm512_mask_mov_epi8(bytes, _mm512_cmpeq_epi8_mask(block, Bytes(1)), blockBytes(1));
    bytes = _mm512_mask_mov_epi8(bytes, _mm512_cmpeq_epi8_mask(block, Bytes(2)), blockBytes(2));
    const __m512i bitOfByte =
        _mm512_shuffle_epi8(Load64(kBitsOfNumbers.of), _mm512_and_si512(lowAfter, Bytes(0x07)));
    const std::uint64_t wide = inBlocks & _mm512_test_epi8_mask(bytes, bitOfByte);
    // U+1F3FB to U+1F3FF: D83C, then DFFB to DFFF.
    const std::uint64_t skinTones = inBlocks & _mm512_cmpeq_epi8_mask(low, Bytes(0x3C)) &
                                    _mm512_cmpeq_epi8_mask(highAfter, Bytes(0xDF)) &
                                    _mm512_cmpge_epu8_mask(lowAfter, Bytes(0xFB));
    found = {pairs, wide, wide, skinTones};
    return pairs & ~(wide | skinTones);
}

} // namespace

bool CanMeasureWithAvx512()
{
    __builtin_cpu_init(); // may be called before the program's constructors have run
    return __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi") &&
           __builtin_cpu_supports("bmi");
}

TESSEL_AVX512 MeasuredWindow MeasureWindowAvx512(const char16_t* at, const char16_t* textStart,
                                                 WindowColumns& columns)
{
    PrefetchWindowAhead(at);
    const BytesOfUnits split = BytesOfUnitsAt(at);
    const __m512i low = split.low, high = split.high;
    const __mmask64 latin1 = _mm512_testn_epi8_mask(high, high);
    const std::uint64_t firstHalves =
        _mm512_cmpeq_epi8_mask(_mm512_and_si512(high, Bytes(0xFC)), Bytes(0xD8));
    const std::uint64_t blanks = _mm512_mask_cmpeq_epi8_mask(latin1, low, Bytes(kBlank));
    const std::uint64_t lineEnds = _mm512_mask_cmpeq_epi8_mask(latin1, low, Bytes(kCR)) |
                                   _mm512_mask_cmpeq_epi8_mask(latin1, low, Bytes(kLF));

    // The columns of each unit's page, else of its quarter of the page, else of the unit itself
    // (see PageColumns).
    const __m512i pages = LookUp256(kBmpPageColumns.pages, high);
    const __m512i quarter = _mm512_ternarylogic_epi32( // (page number << 2) | low >> 6
        _mm512_slli_epi16(_mm512_and_si512(pages, Bytes(0x3F)), 2), _mm512_srli_epi16(low, 6),
        Bytes(0x03), 0xF8);
    __m512i units = _mm512_mask_mov_epi8(pages, _mm512_movepi8_mask(pages),
                                         LookUp256(kBmpPageColumns.quarters, quarter));
    // Units whose quarter is mixed too are nearly always of one page (kana, say): that page is
    // looked up without a branch (a window without them reads the unit after it, and changes
    // nothing), any others in a loop.
    __mmask64 mixed = _mm512_movepi8_mask(units);
    const int firstMixed = mixed != 0 ? __builtin_ctzll(mixed) : kWindowUnits; // one TZCNT
    mixed = LookUpPage(units, low, high, mixed, static_cast<unsigned>(at[firstMixed]) >> 8);
    while (__builtin_expect(mixed != 0, 0))
        mixed = LookUpPage(units, low, high, mixed,
                           static_cast<unsigned>(at[__builtin_ctzll(mixed)]) >> 8);
    units = _mm512_mask_mov_epi8(units, lineEnds, Bytes(kNotSimpleUnit));

    // Units that are not simple count no columns unless they are measured: the pairs, mostly in
    // registers, and the others one by one, in ends. Where there are none, as in most windows,
    // the columns stay in a register: single stores to ends would hold up loading them all.
    const std::uint64_t notSimple = _mm512_cmpeq_epi8_mask(units, Bytes(kNotSimpleUnit));
    WindowPairs pairs{0, 0, 0, 0};
    if (firstHalves != 0)
        MeasurePairs(at, MeasureEmojiPairs(at, low, high, firstHalves, pairs), pairs, nullptr);
    units = _mm512_maskz_mov_epi8(~notSimple, units);
    units = _mm512_mask_mov_epi8(units, pairs.simples, Bytes(1));
    units = _mm512_mask_mov_epi8(units, pairs.wide, Bytes(2));
    const std::uint64_t others = OthersOfWindow(pairs, notSimple, lineEnds);
    std::int8_t* const ends = columns.ends;
    std::uint64_t stops = lineEnds;
    if (others != 0)
    {
        _mm512_storeu_si512(ends, units);
        stops = MeasureOthers(at, textStart, ends, others, lineEnds);
        units = Load64(ends);
    }

    // The columns at which each unit ends: added up within each 16-byte lane, then the sums of
    // the lanes before it added.
    __m512i sums = units;
    sums = _mm512_add_epi8(sums, _mm512_bslli_epi128(sums, 1));
    sums = _mm512_add_epi8(sums, _mm512_bslli_epi128(sums, 2));
    sums = _mm512_add_epi8(sums, _mm512_bslli_epi128(sums, 4));
    sums = _mm512_add_epi8(sums, _mm512_bslli_epi128(sums, 8));
    __m512i lanes = _mm512_shuffle_epi8(sums, Bytes(15)); // each lane's sum, in all its bytes
    lanes = _mm512_add_epi8(lanes, LanesUp1(lanes));
    lanes = _mm512_add_epi8(lanes, LanesUp2(lanes));
    sums = _mm512_add_epi8(sums, LanesUp1(lanes));
    _mm512_storeu_si512(ends,
                        _mm512_add_epi8(sums, Bytes(static_cast<std::uint8_t>(EndOfColumns(0)))));
    return {stops, blanks, IsPlainWindow(latin1 == ~__mmask64(0), notSimple, lineEnds)};
}

} // namespace tessel

#endif
