#pragma once
// What the engine needs to know of a code point: its display width and how it joins its
// neighbours into extended grapheme clusters (Unicode's UAX #29).

#include <cstdint>

namespace tessel
{

// U+FE0F, the emoji presentation selector: a mark that makes its cluster two columns wide.
constexpr char32_t kEmojiPresentation = 0xFE0F;

// Grapheme_Cluster_Break property values.
enum class GraphemeBreak : std::uint8_t
{
    Other,
    CR,
    LF,
    Control,
    Extend,
    ZWJ,
    RegionalIndicator,
    Prepend,
    SpacingMark,
    L,
    V,
    T,
    LV,
    LVT,
};

class CharProperties
{
  public:
    static constexpr unsigned kBreakMask = 0x0F;
    static constexpr unsigned kPictographic = 0x10;
    static constexpr unsigned kWide = 0x20;
    static constexpr unsigned kSimple = 0x40;

    // bits: the GraphemeBreak value, kPictographic, kWide and kSimple (see Simple()).
    constexpr explicit CharProperties(unsigned bits) : m_bits(static_cast<std::uint8_t>(bits)) {}

    constexpr GraphemeBreak Break() const
    {
        return static_cast<GraphemeBreak>(m_bits & kBreakMask);
    }
    // Extended_Pictographic: emoji and the like, which a ZWJ joins into one cluster.
    constexpr bool Pictographic() const { return (m_bits & kPictographic) != 0; }
    // East Asian Width W or F.
    constexpr bool Wide() const { return (m_bits & kWide) != 0; }
    constexpr int Columns() const { return Wide() ? 2 : 1; }
    // A simple character (Other or Control, or a Hangul syllable of type LV or LVT, and no
    // surrogate) is a cluster of its own unless a mark or a jamo follows it: no rule joins
    // two simple characters, so text of them is measured without the cluster rules.
    constexpr bool Simple() const { return (m_bits & kSimple) != 0; }
    constexpr unsigned Bits() const { return m_bits; }
    static constexpr bool IsSimple(GraphemeBreak value, char32_t codePoint)
    {
        return (value == GraphemeBreak::Other || value == GraphemeBreak::Control ||
                value == GraphemeBreak::LV || value == GraphemeBreak::LVT) &&
               !(codePoint >= 0xD800 && codePoint <= 0xDFFF);
    }
    // Extend, ZWJ and SpacingMark join whatever comes before them except a control.
    constexpr bool ExtendsCluster() const
    {
        const GraphemeBreak breakClass = Break();
        return breakClass == GraphemeBreak::Extend || breakClass == GraphemeBreak::ZWJ ||
               breakClass == GraphemeBreak::SpacingMark;
    }

  private:
    std::uint8_t m_bits;
};

// The properties of the code points of a plane, one byte each: those of the Basic
// Multilingual Plane and of the plane of the emoji, and a lookup for the code points beyond.
struct PlaneProperties
{
    std::uint8_t bits[0x10000];
};
extern const PlaneProperties kBmpProperties;
extern const PlaneProperties kPlane1Properties;
CharProperties PropertiesBeyondPlane1(char32_t codePoint);

inline CharProperties PropertiesOf(char32_t codePoint)
{
    if (codePoint < 0x10000)
        return CharProperties(kBmpProperties.bits[codePoint]);
    if (codePoint < 0x20000)
        return CharProperties(kPlane1Properties.bits[codePoint - 0x10000]);
    return PropertiesBeyondPlane1(codePoint);
}

// The columns of every UTF-16 code unit that is a simple character (1 or 2), and
// kNotSimpleUnit for the others (surrogates among them): a run of simple units is measured by
// adding these up, and a sum of up to eight that reaches kNotSimpleUnit holds another.
constexpr std::uint8_t kNotSimpleUnit = 0x20;
struct UnitColumns
{
    std::uint8_t of[0x10000 + 1]; // one to spare, so that every entry can be read as a word
};
extern const UnitColumns kBmpUnitColumns;

// kBmpUnitColumns in two smaller steps, for lookups 64 units at a time: the columns that all
// 256 units of a page (units with the same high byte) share, else kMixedPage with the page's
// number among the mixed ones (below 64); by that number and the top two bits of the low byte,
// the columns that all 64 units of a quarter of such a page share, else kMixedPage. CR and LF
// count as the other controls here, so that the page of ASCII is not mixed: whoever looks up
// finds them apart.
constexpr std::uint8_t kMixedPage = 0x80;
struct PageColumns
{
    alignas(64) std::uint8_t pages[256];
    alignas(64) std::uint8_t quarters[256];
};
extern const PageColumns kBmpPageColumns;

// The emoji blocks of plane 1, U+1F000 to U+1FBFF, whose surrogate pairs start with D83C to
// D83E: a bit for each code point that is a simple character of two columns (not a control), as
// nearly all emoji are, for lookups 64 units at a time. The only marks there are the skin tones,
// U+1F3FB to U+1F3FF.
constexpr char32_t kEmojiBlocksFirst = 0x1F000, kEmojiBlocksEnd = 0x1FC00;
constexpr char32_t kFirstSkinTone = 0x1F3FB, kLastSkinTone = 0x1F3FF;
struct EmojiBits
{
    alignas(64) std::uint8_t wideSimple[(kEmojiBlocksEnd - kEmojiBlocksFirst) / 8];
};
extern const EmojiBits kEmojiBits;

// Display columns of a code point: 2 for East Asian Width W (wide) or F (fullwidth), else 1.
inline int CodePointColumns(char32_t codePoint)
{
    return PropertiesOf(codePoint).Columns();
}

} // namespace tessel
