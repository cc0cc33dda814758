#pragma once
// SSE2 helpers for the engine's scans: 16 bytes of text at a time, UTF-16 or UTF-8.

#include "engine/text_units.h"

#include <algorithm>
#include <cstdint>
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

// What the LZCNT instruction gives for a word (not 0): the zeros above its highest bit set. It
// is BSR with a prefix that a processor without LZCNT ignores, running BSR, whose result is the
// index of that bit instead: 63 - zeros, that is, zeros ^ 63. kBsrXor is found from the word 1:
// 63 on such a processor, else 0, as it is also before it is found (a call made while the
// program starts is right wherever LZCNT is).
inline int Lzcnt(std::uint64_t word)
{
#if defined(__x86_64__)
    asm("lzcnt %0, %0" : "+r"(word));
    return static_cast<int>(word);
#else
    return __builtin_clzll(word);
#endif
}
inline const int kBsrXor = Lzcnt(1) ^ 63;

// The index of the highest bit set in `bits`, which must not be 0. __builtin_clzll gives BSR on
// every x86-64, which takes several steps on AMD's processors, where LZCNT takes one: on Zen 3
// it set the pace of the walk over plain text by 4%.
inline int HighestBit(std::uint64_t bits)
{
    return (Lzcnt(bits) ^ kBsrXor) ^ 63;
}

// 16 bytes of text and byte masks of their lanes (two bits per UTF-16 unit).
template <class Unit> struct Block
{
    static constexpr int kUnits = 16 / static_cast<int>(sizeof(Unit));

    static __m128i Load(const Unit* at)
    {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    }
    static int UnitOfBit(int bit) { return bit / static_cast<int>(sizeof(Unit)); }

    // The lanes of the functions below hold all ones where their units are what is asked for,
    // and zero elsewhere.
    static __m128i EqualLanes(__m128i units, char32_t unit)
    {
        if constexpr (sizeof(Unit) == 1)
            return _mm_cmpeq_epi8(units, _mm_set1_epi8(static_cast<char>(unit)));
        else
            return _mm_cmpeq_epi16(units, _mm_set1_epi16(static_cast<short>(unit)));
    }

    static __m128i LineEndLanes(__m128i units)
    {
        return _mm_or_si128(EqualLanes(units, kCR), EqualLanes(units, kLF));
    }

    // Units that are not plain (see IsPlainUnit). UTF-8: compared as signed numbers, the bytes
    // from 0x80 up are negative, below CR + 1. UTF-16: moved so that the plain units become
    // the lowest signed numbers, the others are above them.
    static __m128i SpecialLanes(__m128i units)
    {
        if constexpr (sizeof(Unit) == 1)
            return _mm_cmplt_epi8(units, _mm_set1_epi8(static_cast<char>(kCR + 1)));
        else
        {
            constexpr int kFirstPlain = static_cast<int>(kCR) + 1;
            constexpr int kPlainUnits = static_cast<int>(kFirstSpecial16) - kFirstPlain;
            const __m128i moved =
                _mm_add_epi16(units, _mm_set1_epi16(static_cast<short>(-0x8000 - kFirstPlain)));
            return _mm_cmpgt_epi16(moved,
                                   _mm_set1_epi16(static_cast<short>(-0x8000 + kPlainUnits - 1)));
        }
    }

    // Byte masks of the lanes (two bits per UTF-16 unit).
    static int Mask(__m128i lanes) { return _mm_movemask_epi8(lanes); }
    static int Equal(__m128i units, char32_t unit) { return Mask(EqualLanes(units, unit)); }
    static int LineEnds(__m128i units) { return Mask(LineEndLanes(units)); }
    static int Special(__m128i units) { return Mask(SpecialLanes(units)); }
};

// The first unit from pos whose lane lanes(block) sets, four blocks at a time (one branch for
// the four), then a block at a time; where none is found, the first unit of what is left,
// fewer units than a block.
template <class Unit, class LanesFn>
const Unit* FindFirstLane(const Unit* pos, const Unit* end, LanesFn lanes)
{
    using B = Block<Unit>;
    for (; end - pos >= 4 * B::kUnits; pos += 4 * B::kUnits)
    {
        const __m128i a = lanes(B::Load(pos)), b = lanes(B::Load(pos + B::kUnits)),
                      c = lanes(B::Load(pos + 2 * B::kUnits)),
                      d = lanes(B::Load(pos + 3 * B::kUnits));
        if (B::Mask(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))) != 0)
        {
            const std::uint64_t mask = static_cast<std::uint64_t>(B::Mask(a)) |
                                       static_cast<std::uint64_t>(B::Mask(b)) << 16 |
                                       static_cast<std::uint64_t>(B::Mask(c)) << 32 |
                                       static_cast<std::uint64_t>(B::Mask(d)) << 48;
            return pos + B::UnitOfBit(__builtin_ctzll(mask));
        }
    }
    for (; end - pos >= B::kUnits; pos += B::kUnits)
    {
        if (const int mask = B::Mask(lanes(B::Load(pos))))
            return pos + B::UnitOfBit(__builtin_ctz(static_cast<unsigned>(mask)));
    }
    return pos;
}

// A window of units, whose lanes are described by 64-bit masks, bit i for unit i.
constexpr int kWindowUnits = 64;

// The masks of the kWindowUnits units from `offset` in the first of two windows (a shift by 64
// is not defined, hence two).
inline std::uint64_t MaskFrom(int offset, std::uint64_t inHere, std::uint64_t inNext)
{
    return inHere >> offset | (inNext << (kWindowUnits - 1 - offset) << 1);
}

// A unit of 16 as a byte each: UTF-8 as it is; UTF-16 saturated, so that units from U+0100 to
// U+7FFF are 0xFF and those from U+8000 up are 0, which keeps line ends, blanks and Latin-1
// apart from the others.
template <class Unit> __m128i UnitBytes(const Unit* at)
{
    using B = Block<Unit>;
    if constexpr (sizeof(Unit) == 1)
        return B::Load(at);
    else
        return _mm_packus_epi16(B::Load(at), B::Load(at + B::kUnits));
}

// The lanes of UnitBytes that are not plain units of Latin-1 (see IsPlainUnit): up to CR, and
// from 0x80 (UTF-8) or 0xFF (UTF-16) up.
template <class Unit> __m128i NotLatin1PlainBytes(__m128i bytes)
{
    if constexpr (sizeof(Unit) == 1)
        return Block<Unit>::SpecialLanes(bytes);
    else
    {
        // Moved so that the plain bytes, CR + 1 to 0xFE, become the lowest signed numbers.
        constexpr int kMove = 0x80 - static_cast<int>(kCR + 1);
        const __m128i moved = _mm_add_epi8(bytes, _mm_set1_epi8(static_cast<char>(kMove)));
        return _mm_cmpgt_epi8(moved, _mm_set1_epi8(static_cast<char>(0xFE + kMove - 0x100)));
    }
}

// The masks of the lanes that each of lanes(bytesOf(units))... sets in the window at `at`,
// where bytesOf gives 16 units as a byte each: the window is read once for all of them.
template <class Unit, class BytesFn, class... LanesFn>
void WindowMasksOfBytes(const Unit* at, BytesFn bytesOf, std::uint64_t* masks, LanesFn... lanes)
{
    std::fill(masks, masks + sizeof...(LanesFn), std::uint64_t(0));
    for (int i = 0; i < kWindowUnits; i += 16)
    {
        const __m128i bytes = bytesOf(at + i);
        std::uint64_t* mask = masks;
        ((*mask++ |=
          static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(lanes(bytes)))) << i),
         ...);
    }
}

// Text is read this far ahead of the windows: the scans between them keep too few reads in
// flight for memory to keep up on its own.
constexpr int kPrefetchBytesAhead = 1024;

// Reads ahead the cache lines of the window at `at` (one for UTF-8, two for UTF-16), for the
// ways that load a window in 64-byte registers.
template <class Unit> void PrefetchWindowAhead(const Unit* at)
{
    const char* const ahead = reinterpret_cast<const char*>(at) + kPrefetchBytesAhead;
    for (int line = 0; line < kWindowUnits * static_cast<int>(sizeof(Unit)); line += 64)
        _mm_prefetch(ahead + line, _MM_HINT_T0);
}

// The masks of the lanes that each of lanes(UnitBytes)... sets in the window at `at`, which
// the walks read first.
template <class Unit, class... LanesFn>
void WindowByteMasks(const Unit* at, std::uint64_t* masks, LanesFn... lanes)
{
    const auto bytesOf = [](const Unit* units) {
        _mm_prefetch(reinterpret_cast<const char*>(units) + kPrefetchBytesAhead, _MM_HINT_T0);
        return UnitBytes(units);
    };
    WindowMasksOfBytes(at, bytesOf, masks, lanes...);
}

template <class Unit> std::uint64_t WindowMaskOf(const Unit* at, char32_t unit)
{
    std::uint64_t mask;
    WindowByteMasks(at, &mask, [unit](__m128i bytes) {
        return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(unit)));
    });
    return mask;
}

// The lanes of UnitBytes that are blanks.
inline __m128i BlankBytes(__m128i bytes)
{
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(kBlank)));
}

// The lanes of UnitBytes that are line ends (CR and LF).
inline __m128i LineEndBytes(__m128i bytes)
{
    return _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(kCR))),
                        _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(kLF))));
}

#endif

} // namespace tessel
