#pragma once
// SSE2 helpers for the engine's scans: 16 bytes of text at a time, UTF-16 or UTF-8.

#include "engine/text_units.h"

#include <type_traits>

// The block paths need SSE2 (every x86-64, not every x86); TESSEL_ENGINE_SCALAR turns them off
// so that the unit-by-unit paths are tested on machines that have it.
#if defined(__SSE2__) && !defined(TESSEL_ENGINE_SCALAR)
#define TESSEL_ENGINE_BLOCKS 1
#include <emmintrin.h>
#endif

namespace tessel
{

// The first unit past the plain ones: a code unit from U+000E up to it is one column wide and a
// cluster of its own unless a mark follows (the first combining marks start at U+0300).
constexpr unsigned kFirstSpecial16 = 0x300;

template <class Unit> bool IsPlainUnit(Unit unit)
{
    const auto value = static_cast<std::make_unsigned_t<Unit>>(unit);
    return value > kCR && value < (sizeof(Unit) == 1 ? kAsciiEnd : kFirstSpecial16);
}

#if defined(TESSEL_ENGINE_BLOCKS)

// 16 bytes of text and byte masks of their lanes (two bits per UTF-16 unit).
template <class Unit> struct Block
{
    static constexpr int kUnits = 16 / static_cast<int>(sizeof(Unit));

    static __m128i Load(const Unit* at)
    {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    }
    static int UnitOfBit(int bit) { return bit / static_cast<int>(sizeof(Unit)); }

    static int Equal(__m128i units, char32_t unit)
    {
        if constexpr (sizeof(Unit) == 1)
            return _mm_movemask_epi8(_mm_cmpeq_epi8(units, _mm_set1_epi8(static_cast<char>(unit))));
        else
            return _mm_movemask_epi8(
                _mm_cmpeq_epi16(units, _mm_set1_epi16(static_cast<short>(unit))));
    }

    static int LineEnds(__m128i units) { return Equal(units, kCR) | Equal(units, kLF); }

    // Lanes that are not plain (see IsPlainUnit): the unit minus U+000E, with wrap-around, is
    // at least the number of plain units.
    static int Special(__m128i units)
    {
        if constexpr (sizeof(Unit) == 1)
        {
            const __m128i shifted = _mm_sub_epi8(units, _mm_set1_epi8(static_cast<char>(kCR + 1)));
            const __m128i plain = _mm_cmpeq_epi8(
                _mm_subs_epu8(shifted, _mm_set1_epi8(kAsciiEnd - kCR - 2)), _mm_setzero_si128());
            return ~_mm_movemask_epi8(plain) & 0xFFFF;
        }
        else
        {
            const __m128i shifted =
                _mm_sub_epi16(units, _mm_set1_epi16(static_cast<short>(kCR + 1)));
            const __m128i plain =
                _mm_cmpeq_epi16(_mm_subs_epu16(shifted, _mm_set1_epi16(kFirstSpecial16 - kCR - 2)),
                                _mm_setzero_si128());
            return ~_mm_movemask_epi8(plain) & 0xFFFF;
        }
    }
};

#endif

} // namespace tessel
