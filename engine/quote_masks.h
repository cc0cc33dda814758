#pragma once
// The masks of a window of units as the quoting walk sees them, made with SSE2 or, on
// processors that have it, with AVX-512 (BW): the walk over plain text makes one for every
// window, and with AVX-512 it takes a third of the instructions that SSE2 takes.

#include "engine/unit_blocks.h"

#include <cstdint>

#if defined(TESSEL_ENGINE_BLOCKS)
#include <immintrin.h>

// What the walks compiled for AVX-512 may use. On 64-bit Windows, GCC spills AVX registers with
// aligned moves on a stack aligned to 16 bytes only (GCC bug 54412): the engine's build has the
// assembler make those moves unaligned.
#define TESSEL_QUOTE_AVX512 __attribute__((target("avx512f,avx512bw,bmi,bmi2")))
#endif

namespace tessel
{

#if defined(TESSEL_ENGINE_BLOCKS)

struct WindowMasksOfQuote
{
    std::uint64_t stops;  // units a piece cannot run past without a look: line ends, and every
                          // unit that is not plain Latin-1 until the window is measured, then
                          // the characters that the cluster rules must measure
    std::uint64_t blanks; // U+0020
};

template <class Unit> WindowMasksOfQuote QuoteMasksOf(const Unit* at)
{
    std::uint64_t masks[2];
    WindowByteMasks(at, masks, NotLatin1PlainBytes<Unit>, BlankBytes);
    return {masks[0], masks[1]};
}

// Whether the processor has what TESSEL_QUOTE_AVX512 asks for; kQuoteWithAvx512 holds the
// answer from the program's start (before, it is false, and SSE2 gives the same masks).
bool CanQuoteWithAvx512();
extern const bool kQuoteWithAvx512;

// QuoteMasksOf with AVX-512: the window in one or two registers, and a compare for each mask
// that gives its bits at once.
template <class Unit> TESSEL_QUOTE_AVX512 WindowMasksOfQuote QuoteMasksOfAvx512(const Unit* at)
{
    PrefetchWindowAhead(at);
    constexpr unsigned kFirstPlain = kCR + 1;
    if constexpr (sizeof(Unit) == 1)
    {
        // Plain: CR + 1 to 0x7F, which less CR + 1 are the lowest unsigned numbers.
        const __m512i units = _mm512_loadu_si512(at);
        const __m512i moved = _mm512_sub_epi8(units, _mm512_set1_epi8(kFirstPlain));
        return {_mm512_cmpgt_epu8_mask(moved, _mm512_set1_epi8(kAsciiEnd - 1 - kFirstPlain)),
                _mm512_cmpeq_epi8_mask(units, _mm512_set1_epi8(kBlank))};
    }
    else
    {
        // Plain: CR + 1 to U+00FE, as UnitBytes and NotLatin1PlainBytes have it.
        const __m512i low = _mm512_loadu_si512(at), high = _mm512_loadu_si512(at + 32);
        const __m512i firstPlain = _mm512_set1_epi16(kFirstPlain);
        const __m512i lastMoved = _mm512_set1_epi16(0xFE - kFirstPlain);
        const __m512i blank = _mm512_set1_epi16(kBlank);
        const auto both = [](std::uint32_t lowMask, std::uint32_t highMask) {
            return std::uint64_t(highMask) << 32 | lowMask;
        };
        return {both(_mm512_cmpgt_epu16_mask(_mm512_sub_epi16(low, firstPlain), lastMoved),
                     _mm512_cmpgt_epu16_mask(_mm512_sub_epi16(high, firstPlain), lastMoved)),
                both(_mm512_cmpeq_epi16_mask(low, blank), _mm512_cmpeq_epi16_mask(high, blank))};
    }
}

#endif

} // namespace tessel
