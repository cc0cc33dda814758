#pragma once
// What the engine needs to know of a code point: its display width and how it joins its
// neighbours into extended grapheme clusters (Unicode's UAX #29).

#include <cstdint>

namespace tessel
{

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

    // bits: the GraphemeBreak value, kPictographic and kWide.
    constexpr explicit CharProperties(unsigned bits) : m_bits(static_cast<std::uint8_t>(bits)) {}

    GraphemeBreak Break() const { return static_cast<GraphemeBreak>(m_bits & kBreakMask); }
    // Extended_Pictographic: emoji and the like, which a ZWJ joins into one cluster.
    bool Pictographic() const { return (m_bits & kPictographic) != 0; }
    // East Asian Width W or F.
    bool Wide() const { return (m_bits & kWide) != 0; }
    int Columns() const { return Wide() ? 2 : 1; }
    // Other and Control characters are a cluster of their own unless a mark follows them: no
    // rule joins them to what comes before.
    bool StandsAlone() const
    {
        const GraphemeBreak breakClass = Break();
        return breakClass == GraphemeBreak::Other || breakClass == GraphemeBreak::Control;
    }
    // Extend, ZWJ and SpacingMark join whatever comes before them except a control.
    bool ExtendsCluster() const
    {
        const GraphemeBreak breakClass = Break();
        return breakClass == GraphemeBreak::Extend || breakClass == GraphemeBreak::ZWJ ||
               breakClass == GraphemeBreak::SpacingMark;
    }

  private:
    std::uint8_t m_bits;
};

CharProperties PropertiesOf(char32_t codePoint);

// Display columns of a code point: 2 for East Asian Width W (wide) or F (fullwidth), else 1.
inline int CodePointColumns(char32_t codePoint)
{
    return PropertiesOf(codePoint).Columns();
}

} // namespace tessel
