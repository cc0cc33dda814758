#include "display_width.h"

#include <algorithm>
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
#include "east_asian_wide.inc"
};

// Nothing below the first wide range is wide; most text never reaches the table.
constexpr char32_t kFirstWide = kWideRanges[0].first;

} // namespace

int CodePointColumns(char32_t codePoint)
{
    if (codePoint < kFirstWide)
        return 1;
    const auto after =
        std::upper_bound(std::begin(kWideRanges), std::end(kWideRanges), codePoint,
                         [](char32_t cp, const CodePointRange& range) { return cp < range.first; });
    if (after == std::begin(kWideRanges))
        return 1;
    return codePoint <= std::prev(after)->last ? 2 : 1;
}

} // namespace tessel
