#pragma once
// Finding line ends and blanks fast, in UTF-16 and UTF-8 text alike. Inline: the walks call
// them once per line or piece.

#include "engine/unit_blocks.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

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
    pos = FindFirstLane(pos, end, Block<Unit>::LineEndLanes);
#endif
    while (pos != end && !IsLineEndUnit(*pos))
        ++pos;
    return pos;
}

// The first CR LF in [pos, end) (a lone CR or LF is passed over), or end.
template <class Unit> inline const Unit* FindCrLf(const Unit* pos, const Unit* end)
{
    for (;; ++pos)
    {
#if defined(TESSEL_ENGINE_BLOCKS)
        pos = FindFirstLane(pos, end,
                            [](__m128i units) { return Block<Unit>::EqualLanes(units, kCR); });
#endif
        while (pos != end && *pos != static_cast<Unit>(kCR))
            ++pos;
        if (pos == end || (pos + 1 != end && pos[1] == static_cast<Unit>(kLF)))
            return pos;
    }
}

// A sign looked for at line starts: one of up to eight bytes is compared as a single word where
// eight bytes can be read (the same bytes of the sign and of the text are kept, whatever the
// byte order), a longer one unit by unit.
template <class Unit> class SignMatcher
{
  public:
    explicit SignMatcher(std::basic_string_view<Unit> sign) : m_sign(sign)
    {
        const std::size_t bytes = sign.size() * sizeof(Unit);
        if (bytes <= sizeof(std::uint64_t))
        {
            unsigned char mask[sizeof(std::uint64_t)] = {};
            std::memset(mask, 0xFF, bytes);
            std::memcpy(&m_mask, mask, sizeof mask);
            std::memcpy(&m_word, sign.data(), bytes);
        }
    }

    // Whether the units at pos start with the sign.
    bool At(const Unit* pos, const Unit* end) const
    {
        if (m_mask != 0 && end - pos >= kWordUnits)
        {
            std::uint64_t word;
            std::memcpy(&word, pos, sizeof word);
            return (word & m_mask) == m_word;
        }
        return static_cast<std::size_t>(end - pos) >= m_sign.size() &&
               std::equal(m_sign.begin(), m_sign.end(), pos);
    }

  private:
    static constexpr std::ptrdiff_t kWordUnits = sizeof(std::uint64_t) / sizeof(Unit);

    std::basic_string_view<Unit> m_sign;
    std::uint64_t m_word = 0;
    std::uint64_t m_mask = 0; // zero for a sign longer than a word
};

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
    pos = FindFirstLane(pos, end, Block<Unit>::SpecialLanes);
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
                return block + B::UnitOfBit(HighestBit(static_cast<unsigned>(mask)));
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
