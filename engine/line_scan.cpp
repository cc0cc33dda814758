#include "engine/line_scan.h"

#include "engine/unit_blocks.h"

namespace tessel
{

template <class Unit> const Unit* FindLineEndUnit(const Unit* pos, const Unit* end)
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

template <class Unit> LineSpan<Unit> FindLine(const Unit* pos, const Unit* end)
{
#if defined(TESSEL_ENGINE_BLOCKS)
    using B = Block<Unit>;
    for (; end - pos >= B::kUnits; pos += B::kUnits)
    {
        if (const int mask = B::Special(B::Load(pos)))
        {
            pos += B::UnitOfBit(__builtin_ctz(static_cast<unsigned>(mask)));
            if (IsLineEndUnit(*pos))
                return {pos, true};
            return {FindLineEndUnit(pos, end), false};
        }
    }
#endif
    for (; pos != end; ++pos)
    {
        if (!IsPlainUnit(*pos))
            return IsLineEndUnit(*pos) ? LineSpan<Unit>{pos, true}
                                       : LineSpan<Unit>{FindLineEndUnit(pos, end), false};
    }
    return {end, true};
}

template <class Unit> const Unit* FindLastBlank(const Unit* from, const Unit* to)
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

#define TESSEL_LINE_SCAN(Unit)                                                                     \
    template const Unit* FindLineEndUnit(const Unit*, const Unit*);                                \
    template LineSpan<Unit> FindLine(const Unit*, const Unit*);                                    \
    template const Unit* FindLastBlank(const Unit*, const Unit*);
TESSEL_LINE_SCAN(char)
TESSEL_LINE_SCAN(char16_t)

} // namespace tessel
