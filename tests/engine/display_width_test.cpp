#include "engine/display_width.h"

#include <gtest/gtest.h>

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

TEST(CharAt, ReadsSurrogatePairsAsOneCharacter)
{
    const std::u16string_view text = u"a😀\xD800"
                                     u"b\xDC00";
    EXPECT_EQ(CharAt(text, 0).codePoint, U'a');
    EXPECT_EQ(CharAt(text, 1).codePoint, 0x1F600u);
    EXPECT_EQ(CharAt(text, 1).units, 2u);
    EXPECT_EQ(CharAt(text, 3).codePoint, 0xD800u); // high surrogate before a non-surrogate
    EXPECT_EQ(CharAt(text, 3).units, 1u);
    EXPECT_EQ(CharAt(text, 5).codePoint, 0xDC00u); // lone low surrogate at the end
}

} // namespace
} // namespace tessel
