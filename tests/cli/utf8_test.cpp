#include "cli/utf8.h"

#include <gtest/gtest.h>

namespace tessel
{
namespace
{

TEST(Utf8, RoundTripsEveryPlane)
{
    const std::string bytes = "a\xC2\xA9\xE2\x82\xAC\xEF\xBF\xBF\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF";
    std::u16string text;
    std::size_t offset = 99;
    ASSERT_TRUE(DecodeUtf8(bytes, text, offset));
    EXPECT_EQ(text, u"a\u00A9\u20AC\uFFFF\U0001F600\U0010FFFF");
    std::string back;
    AppendUtf8(text, back);
    EXPECT_EQ(back, bytes);
}

TEST(Utf8, LoneSurrogatesEncodeAsReplacementCharacter)
{
    std::string out;
    AppendUtf8(u"\xD800"
               u"a\xDC00",
               out);
    EXPECT_EQ(out, "\xEF\xBF\xBD"
                   "a\xEF\xBF\xBD");
}

TEST(Utf8, ReportsFirstBadSequence)
{
    const struct
    {
        std::string bytes;
        std::size_t offset;
    } cases[] = {
        {"\xC1\x81", 0},
        {"ab\xF5\x80\x80\x80", 2},
        {"\xE0\x9F\xBF", 0},
        {"\xF0\x8F\xBF\xBF", 0},
        {"\xED\xBF\xBF", 0},
        {"\xC3", 0},
        {"x\xF0\x9F\x98", 1},
        {"\xF0\x9F\x98(", 0},
        // after runs of ASCII that the check takes eight bytes at a time
        {"abcdefgh\xC3", 8},
        {"abcdefghijklmnopq\xFF", 17},
        {"abcdefg\xC3\xA9hijklmno\x80", 17},
    };
    for (const auto& c : cases)
    {
        std::u16string text;
        std::size_t offset = 99;
        EXPECT_FALSE(DecodeUtf8(c.bytes, text, offset));
        EXPECT_EQ(offset, c.offset);
        EXPECT_EQ(FindInvalidUtf8(c.bytes), c.offset);
    }
    EXPECT_EQ(FindInvalidUtf8("abcdefghijklmnop\xC3\xA9\xF0\x9F\x98\x80"), kValidUtf8);
}

} // namespace
} // namespace tessel
