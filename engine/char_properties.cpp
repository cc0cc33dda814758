#include "engine/char_properties.h"

#include <algorithm>
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

struct GraphemeBreakRange
{
    char32_t first;
    char32_t last;
    GraphemeBreak value;
};

constexpr CodePointRange kWideRanges[] = {
#include "engine/east_asian_wide.inc"
};

#include "engine/grapheme_break.inc"

constexpr char32_t kBmpEnd = 0x10000;

// The properties of every code point of the Basic Multilingual Plane, one byte each (64 KiB),
// built at compile time from the tables: text asks for nearly every character it holds, and
// an index beats three searches.
struct BmpTable
{
    std::uint8_t bits[kBmpEnd];
};

template <class Range, class Set> constexpr void ForEachBmpCodePoint(const Range& ranges, Set set)
{
    for (const auto& range : ranges)
    {
        for (char32_t cp = range.first; cp <= range.last && cp < kBmpEnd; ++cp)
            set(cp, range);
    }
}

constexpr BmpTable MakeBmpTable()
{
    BmpTable table{};
    ForEachBmpCodePoint(kGraphemeBreakRanges, [&](char32_t cp, const GraphemeBreakRange& range) {
        table.bits[cp] = static_cast<std::uint8_t>(range.value); // the first property set
    });
    ForEachBmpCodePoint(kPictographicRanges, [&](char32_t cp, const CodePointRange&) {
        table.bits[cp] |= CharProperties::kPictographic;
    });
    ForEachBmpCodePoint(kWideRanges, [&](char32_t cp, const CodePointRange&) {
        table.bits[cp] |= CharProperties::kWide;
    });
    return table;
}

constexpr BmpTable kBmpTable = MakeBmpTable();

// The range that holds codePoint, or null.
template <class Range, std::size_t N>
const Range* FindRange(const Range (&ranges)[N], char32_t codePoint)
{
    const Range* after =
        std::upper_bound(std::begin(ranges), std::end(ranges), codePoint,
                         [](char32_t cp, const Range& range) { return cp < range.first; });
    if (after == std::begin(ranges) || codePoint > std::prev(after)->last)
        return nullptr;
    return std::prev(after);
}

} // namespace

CharProperties PropertiesOf(char32_t codePoint)
{
    if (codePoint < kBmpEnd)
        return CharProperties(kBmpTable.bits[codePoint]);
    const GraphemeBreakRange* breakRange = FindRange(kGraphemeBreakRanges, codePoint);
    unsigned bits = static_cast<unsigned>(breakRange ? breakRange->value : GraphemeBreak::Other);
    if (FindRange(kPictographicRanges, codePoint))
        bits |= CharProperties::kPictographic;
    if (FindRange(kWideRanges, codePoint))
        bits |= CharProperties::kWide;
    return CharProperties(bits);
}

} // namespace tessel
