#pragma once
// Finding line ends and blanks fast, in UTF-16 and UTF-8 text alike. Inline: the walks call
// them once per line or piece.

#include "engine/unit_blocks.h"

namespace tessel
{

template <class Unit> struct LineSpan
{
    const Unit* end; // the line end (CR or LF) or the end of the text
    bool plain;      // every character is one column wide and a cluster of its own, so that
                     // columns are code units: ASCII, and in UTF-16 up to U+02FF
};

// The first CR or LF in [pos, end), or end.
template <class Unit> inline const Unit* FindLineEndUnit(const Unit* pos, const Unit* end)
{
#if defined(TESSEL_ENGINE_BLOCKS)
    using B = Block<Unit>;
    for (; end - pos >= B::kUnits; pos += B::kUnits)
    {
        if (const int mask = B::LineEnds(B::Load(pos)))
            return pos + B::UnitOfBit(__builtin_ctz(static_cast<unsigned>(mask)));
    }
#endif
    while (pos != end && !IsLineEndUnit(*pos))
        ++pos;
    return pos;
}

namespace detail
{

// The rest of a line from pos, where the units before it are plain.
template <class Unit> LineSpan<Unit> LineFrom(const Unit* pos, const Unit* end)
{
    for (; pos != end; ++pos)
    {
        if (!IsPlainUnit(*pos))
            return IsLineEndUnit(*pos) ? LineSpan<Unit>{pos, true}
                                       : LineSpan<Unit>{FindLineEndUnit(pos, end), false};
    }
    return {end, true};
}

} // namespace detail

// The line that starts at pos.
template <class Unit> inline LineSpan<Unit> FindLine(const Unit* pos, const Unit* end)
{
#if defined(TESSEL_ENGINE_BLOCKS)
    // Two blocks at a time: one branch for both.
    using B = Block<Unit>;
    for (; end - pos >= 2 * B::kUnits; pos += 2 * B::kUnits)
    {
        const unsigned mask = static_cast<unsigned>(B::Special(B::Load(pos))) |
                              static_cast<unsigned>(B::Special(B::Load(pos + B::kUnits))) << 16;
        if (mask != 0)
            return detail::LineFrom(pos + B::UnitOfBit(__builtin_ctz(mask)), end);
    }
#endif
    return detail::LineFrom(pos, end);
}

// The last blank (U+0020) in [from, to), or null.
template <class Unit> inline const Unit* FindLastBlank(const Unit* from, const Unit* to)
{
#if defined(TESSEL_ENGINE_BLOCKS)
    // A block at a time from the end: the distance back to the last blank varies from piece to
    // piece, and a loop that stops there would be mispredicted at every piece.
    using B = Block<Unit>;
    if (to - from >= B::kUnits)
    {
        for (const Unit* block = to - B::kUnits;; block -= B::kUnits)
        {
            if (block < from)
                block = from; // the first block overlaps the one after it
            if (const int mask = B::Equal(B::Load(block), kBlank))
                return block + B::UnitOfBit(31 - __builtin_clz(static_cast<unsigned>(mask)));
            if (block == from)
                return nullptr;
        }
    }
#endif
    while (to != from)
    {
        if (*--to == static_cast<Unit>(kBlank))
            return to;
    }
    return nullptr;
}

} // namespace tessel
