#pragma once
// How many units of two measured windows fit the width from a place in the first: the question
// the quoting walk asks at every piece of text that is measured, answered by comparing the
// columns of one window with a limit, with SSE2 or, on processors that have it, AVX-512 (BW).

#include "engine/quote_masks.h"
#include "engine/window_columns.h"

#include <cstdint>

namespace tessel
{

#if defined(TESSEL_ENGINE_BLOCKS)

// The window whose ends the units that fit end before, and the limit they are compared with.
// The ends only grow, so every unit past the limit comes after all that fit: they start in the
// first window where its last unit is past the limit, else in the second, and only that window
// is compared.
struct FitLimit
{
    const std::int8_t* ends; // of the window compared
    std::int8_t limitEnd;    // the ends past it are the units that do not fit
    int endsStart;           // units of the first window before `ends`
};

inline FitLimit FitLimitOf(const WindowColumns& hereColumns, const WindowColumns& nextColumns,
                           int offset, int width)
{
    const std::int8_t* const here = hereColumns.ends;
    const int limit = (offset != 0 ? ColumnsOfEnd(here[offset - 1]) : 0) + width;
    const int hereColumnsInAll = ColumnsOfEnd(here[kWindowUnits - 1]);
    const bool inHere = hereColumnsInAll > limit;
    return {inHere ? here : nextColumns.ends,
            EndOfColumns(inHere ? limit : limit - hereColumnsInAll), inHere ? 0 : kWindowUnits};
}

// The units from `offset` that fit, from the mask of the compared window's ends past the limit.
// None past it in the second window either: more units than a window's fit (marks, say), all
// of both.
inline int UnitsThatFitOf(const FitLimit& fit, std::uint64_t past, int offset)
{
    return (past != 0 ? fit.endsStart + __builtin_ctzll(past) : 2 * kWindowUnits) - offset;
}

// How many units from `offset` in the window `here` fit `width` columns, the columns of the
// window `next` carried on from those of `here` (at most what both windows hold).
inline int UnitsThatFit(const WindowColumns& here, const WindowColumns& next, int offset, int width)
{
    const FitLimit fit = FitLimitOf(here, next, offset, width);
    const auto load = [](const std::int8_t* at) {
        return _mm_load_si128(reinterpret_cast<const __m128i*>(at));
    };
    std::uint64_t past;
    WindowMasksOfBytes(fit.ends, load, &past, [&fit](__m128i block) {
        return _mm_cmpgt_epi8(block, _mm_set1_epi8(fit.limitEnd));
    });
    return UnitsThatFitOf(fit, past, offset);
}

// UnitsThatFit with AVX-512: the window's ends compared in one step.
TESSEL_QUOTE_AVX512 inline int UnitsThatFitAvx512(const WindowColumns& here,
                                                  const WindowColumns& next, int offset, int width)
{
    const FitLimit fit = FitLimitOf(here, next, offset, width);
    const std::uint64_t past =
        _mm512_cmpgt_epi8_mask(_mm512_loadu_si512(fit.ends), _mm512_set1_epi8(fit.limitEnd));
    return UnitsThatFitOf(fit, past, offset);
}

#endif

} // namespace tessel
