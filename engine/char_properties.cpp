#include "engine/char_properties.h"

#include "engine/text_units.h"

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

constexpr char32_t kPlaneSize = 0x10000;

template <class Range, class Set>
constexpr void ForEachCodePointOfPlane(const Range& ranges, char32_t plane, Set set)
{
    const char32_t first = plane * kPlaneSize, last = first + kPlaneSize - 1;
    for (const auto& range : ranges)
    {
        for (char32_t cp = std::max(range.first, first); cp <= range.last && cp <= last; ++cp)
            set(cp - first, range);
    }
}

// The properties of every code point of a plane, one byte each (64 KiB), built at compile time
// from the tables: text asks for nearly every character it holds, and an index beats three
// searches. Plane 0 holds nearly all of today's scripts, plane 1 the emoji.
constexpr PlaneProperties MakePlaneProperties(char32_t plane)
{
    PlaneProperties table{};
    ForEachCodePointOfPlane(kGraphemeBreakRanges, plane,
                            [&](char32_t at, const GraphemeBreakRange& range) {
                                table.bits[at] = static_cast<std::uint8_t>(range.value);
                            });
    ForEachCodePointOfPlane(kPictographicRanges, plane, [&](char32_t at, const CodePointRange&) {
        table.bits[at] |= CharProperties::kPictographic;
    });
    ForEachCodePointOfPlane(kWideRanges, plane, [&](char32_t at, const CodePointRange&) {
        table.bits[at] |= CharProperties::kWide;
    });
    for (char32_t at = 0; at < kPlaneSize; ++at)
    {
        const auto value = static_cast<GraphemeBreak>(table.bits[at] & CharProperties::kBreakMask);
        if (CharProperties::IsSimple(value, plane * kPlaneSize + at))
            table.bits[at] |= CharProperties::kSimple;
    }
    return table;
}

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

constexpr PlaneProperties kBmpProperties = MakePlaneProperties(0);
constexpr PlaneProperties kPlane1Properties = MakePlaneProperties(1);

namespace
{

constexpr UnitColumns MakeUnitColumns()
{
    UnitColumns table{};
    for (char32_t unit = 0; unit < kPlaneSize; ++unit)
    {
        const CharProperties properties(kBmpProperties.bits[unit]);
        table.of[unit] =
            properties.Simple() ? static_cast<std::uint8_t>(properties.Columns()) : kNotSimpleUnit;
    }
    return table;
}

} // namespace

constexpr UnitColumns kBmpUnitColumns = MakeUnitColumns();

namespace
{
// The columns that units from `first` on, `count` of them, share, else kMixedPage.
constexpr std::uint8_t SharedColumns(unsigned first, unsigned count)
{
    const auto columns = [](unsigned unit) {
        return unit == kCR || unit == kLF ? std::uint8_t(1) : kBmpUnitColumns.of[unit];
    };
    for (unsigned unit = first + 1; unit < first + count; ++unit)
    {
        if (columns(unit) != columns(first))
            return kMixedPage;
    }
    return columns(first);
}

constexpr PageColumns MakePageColumns()
{
    PageColumns table{};
    unsigned mixed = 0;
    for (unsigned page = 0; page < 256; ++page)
    {
        table.pages[page] = SharedColumns(256 * page, 256);
        if (table.pages[page] != kMixedPage)
            continue;
        table.pages[page] = static_cast<std::uint8_t>(kMixedPage | mixed);
        for (unsigned quarter = 0; quarter < 4; ++quarter)
            table.quarters[4 * mixed + quarter] = SharedColumns(256 * page + 64 * quarter, 64);
        ++mixed;
    }
    return mixed <= 64 ? table : throw "more mixed pages than the quarters' table holds";
}
} // namespace

constexpr PageColumns kBmpPageColumns = MakePageColumns();

namespace
{
constexpr EmojiBits MakeEmojiBits()
{
    EmojiBits table{};
    for (char32_t codePoint = kEmojiBlocksFirst; codePoint < kEmojiBlocksEnd; ++codePoint)
    {
        const CharProperties properties(kPlane1Properties.bits[codePoint - 0x10000]);
        const unsigned at = codePoint - kEmojiBlocksFirst;
        if (properties.Simple() && properties.Break() != GraphemeBreak::Control &&
            properties.Wide())
            table.wideSimple[at / 8] |= static_cast<std::uint8_t>(1u << at % 8);
        const bool skinTone = codePoint >= kFirstSkinTone && codePoint <= kLastSkinTone;
        if ((properties.Break() == GraphemeBreak::Extend) != skinTone)
            throw "a mark of the emoji blocks that is not a skin tone, or the other way round";
    }
    return table;
}
} // namespace

constexpr EmojiBits kEmojiBits = MakeEmojiBits();

CharProperties PropertiesBeyondPlane1(char32_t codePoint)
{
    const GraphemeBreakRange* breakRange = FindRange(kGraphemeBreakRanges, codePoint);
    const GraphemeBreak value = breakRange ? breakRange->value : GraphemeBreak::Other;
    unsigned bits = static_cast<unsigned>(value);
    if (CharProperties::IsSimple(value, codePoint))
        bits |= CharProperties::kSimple;
    if (FindRange(kPictographicRanges, codePoint))
        bits |= CharProperties::kPictographic;
    if (FindRange(kWideRanges, codePoint))
        bits |= CharProperties::kWide;
    return CharProperties(bits);
}

} // namespace tessel
