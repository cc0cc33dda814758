#include "engine/char_properties.h"
#include "engine/text_units.h"

#include <gtest/gtest.h>

#include <string>

namespace tessel
{
namespace
{

struct WidthCase
{
    char32_t codePoint;
    int columns;
};

TEST(CodePointColumns, FollowsEastAsianWidth)
{
    const WidthCase cases[] = {
        {U'a', 1},    {0x00A1, 1},                // ambiguous counts one
        {0x0391, 1},  {0x0416, 1},                // Greek, Cyrillic
        {0x10FF, 1},  {0x1100, 2},                // first wide range starts
        {0x115F, 2},  {0x1160, 1},                // and ends
        {0x3000, 2},  {0x3042, 2},                // ideographic space (F), hiragana
        {0x3400, 2},  {0x4E00, 2},   {0x9FFF, 2}, // CJK, unassigned ones default wide
        {0xAC00, 2},  {0xE000, 1},                // hangul syllable, private use (ambiguous)
        {0xFF01, 2},  {0xFF61, 1},                // fullwidth and halfwidth forms
        {0x10348, 1}, {0x1F600, 2},               // Gothic letter, emoji
        {0x20000, 2}, {0x2FFFD, 2},  {0x2FFFE, 1}, {0x30000, 2},
        {0x3FFFD, 2}, {0x10FFFF, 1}, {0xD800, 1}, // lone surrogate value
    };
    for (const WidthCase& c : cases)
        EXPECT_EQ(CodePointColumns(c.codePoint), c.columns) << std::hex << uint32_t(c.codePoint);
}

TEST(DecodeAt, ReadsSurrogatePairsAsOneCharacter)
{
    const std::u16string_view text = u"a😀\xD800"
                                     u"b\xDC00";
    const char16_t* const end = text.data() + text.size();
    EXPECT_EQ(DecodeAt(text.data(), end).codePoint, U'a');
    EXPECT_EQ(DecodeAt(text.data() + 1, end).codePoint, 0x1F600u);
    EXPECT_EQ(DecodeAt(text.data() + 1, end).units, 2u);
    EXPECT_EQ(DecodeAt(text.data() + 3, end).codePoint, 0xD800u); // high before a non-surrogate
    EXPECT_EQ(DecodeAt(text.data() + 3, end).units, 1u);
    EXPECT_EQ(DecodeAt(text.data() + 5, end).codePoint, 0xDC00u);    // lone low at the end
    EXPECT_EQ(DecodeAt(text.data() + 1, text.data() + 2).units, 1u); // pair cut by the end
}

// UTF-8 bytes that start no valid sequence are one character each, never more, and never one
// that reaches past the end.
TEST(DecodeAt, ReadsInvalidUtf8ByteByByte)
{
    const struct
    {
        std::string bytes;
        char32_t codePoint;
        std::size_t units;
    } cases[] = {
        {"\xC3\xA9", 0xE9, 2},
        {"\xE2\x82\xAC", 0x20AC, 3},
        {"\xF0\x9F\x98\x80", 0x1F600, 4},
        {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
        {"\xC0\xAF", 0xDCC0, 1},
        {"\xE0\x9F\xBF", 0xDCE0, 1}, // overlong
        {"\xED\xA0\x80", 0xDCED, 1},
        {"\xF4\x90\x80\x80", 0xDCF4, 1}, // surrogate, too high
        {"\xE2\x82", 0xDCE2, 1},
        {"\x80", 0xDC80, 1}, // cut short, stray
    };
    for (const auto& c : cases)
    {
        const Decoded ch = DecodeAt(c.bytes.data(), c.bytes.data() + c.bytes.size());
        EXPECT_EQ(ch.codePoint, c.codePoint) << c.bytes;
        EXPECT_EQ(ch.units, c.units) << c.bytes;
    }
}

} // namespace
} // namespace tessel
