#include "engine/display_width.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

namespace tessel
{
namespace
{

struct CodePointRange
{
    char32_t first;
    char32_t last;
};

constexpr CodePointRange kWideRanges[] = {
#include "engine/east_asian_wide.inc"
};

// Nothing below the first wide range is wide; most text never reaches the tables.
constexpr char32_t kFirstWide = kWideRanges[0].first;

// One bit per code point of the Basic Multilingual Plane (8 KiB), built at compile time from
// the ranges: CJK text asks for nearly every character, and a bit test beats a search.
using BmpBits = std::array<std::uint64_t, 0x10000 / 64>;

constexpr BmpBits MakeBmpBits()
{
    BmpBits bits{};
    for (const CodePointRange& range : kWideRanges)
    {
        for (char32_t cp = range.first; cp <= range.last && cp < 0x10000; ++cp)
            bits[cp / 64] |= std::uint64_t{1} << (cp % 64);
    }
    return bits;
}

constexpr BmpBits kWideBmp = MakeBmpBits();

} // namespace

int CodePointColumns(char32_t codePoint)
{
    if (codePoint < kFirstWide)
        return 1;
    if (codePoint < 0x10000)
        return (kWideBmp[codePoint / 64] >> (codePoint % 64)) & 1 ? 2 : 1;
    const auto after =
        std::upper_bound(std::begin(kWideRanges), std::end(kWideRanges), codePoint,
                         [](char32_t cp, const CodePointRange& range) { return cp < range.first; });
    if (after == std::begin(kWideRanges))
        return 1;
    return codePoint <= std::prev(after)->last ? 2 : 1;
}

} // namespace tessel
