#include "engine/grapheme_cluster.h"
#include "tests/engine/utf8_form.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

namespace tessel
{
namespace
{

// Where each cluster ends, in code points, when the text is cut cluster by cluster.
template <class Unit> std::vector<std::size_t> ClusterEnds(std::basic_string_view<Unit> text)
{
    std::vector<std::size_t> ends;
    std::size_t codePoints = 0;
    const Unit* const end = text.data() + text.size();
    for (const Unit* pos = text.data(); pos != end;)
    {
        const Unit* const clusterEnd = NextCluster(pos, end).end;
        for (; pos != clusterEnd; pos += DecodeAt(pos, end).units)
            ++codePoints;
        ends.push_back(codePoints);
    }
    return ends;
}

// Unicode's own test cases: each line is a sequence of code points in hex with ÷ (a boundary)
// or × (none) between them, such as "÷ 0020 × 0308 ÷ 000D ÷".
TEST(NextCluster, AgreesWithUnicodeTestData)
{
    std::ifstream file(TESSEL_GRAPHEME_BREAK_TEST);
    ASSERT_TRUE(file) << "cannot read " << TESSEL_GRAPHEME_BREAK_TEST;
    int checked = 0;
    for (std::string line; std::getline(file, line);)
    {
        std::istringstream fields(line.substr(0, line.find('#')));
        std::u16string text;
        std::vector<std::size_t> expected;
        std::size_t codePoints = 0;
        for (std::string field; fields >> field;)
        {
            if (field == "\xC3\xB7") // ÷
            {
                if (codePoints != 0)
                    expected.push_back(codePoints);
            }
            else if (field != "\xC3\x97") // ×
            {
                const char32_t cp = std::stoul(field, nullptr, 16);
                if (cp >= 0x10000)
                    text += {char16_t(0xD800 + ((cp - 0x10000) >> 10)),
                             char16_t(0xDC00 + (cp & 0x3FF))};
                else
                    text += char16_t(cp);
                ++codePoints;
            }
        }
        if (codePoints == 0)
            continue;
        EXPECT_EQ(ClusterEnds<char16_t>(text), expected) << "UTF-16: " << line;
        EXPECT_EQ(ClusterEnds<char>(test::Utf8Of(text)), expected) << "UTF-8: " << line;
        ++checked;
    }
    EXPECT_GT(checked, 500);
}

TEST(NextCluster, Width)
{
    const struct
    {
        std::u16string_view text;
        int columns;
    } cases[] = {
        {u"e\u0301", 1},            // a letter and its accent
        {u"漢\u0301", 2},           // the first character decides
        {u"\u2764\uFE0F", 2},       // heart in emoji presentation
        {u"\u2764\uFE0E", 1},       // and in text presentation
        {u"🇩🇪", 2},                 // a flag: two regional indicators
        {u"🇩", 1},                  // one alone
        {u"👨‍👩‍👧", 2}, // a family joined by ZWJ
        {u"👍🏽", 2},           // an emoji with a skin tone
        {u"\u1100\u1161\u11A8", 2}, // a Hangul syllable of three jamo
        {u"\u0E19\u0E49\u0E33", 1}, // Thai: a consonant, a tone mark and a vowel
    };
    for (const auto& c : cases)
    {
        const Cluster<char16_t> cluster = NextCluster(c.text.data(), c.text.data() + c.text.size());
        EXPECT_EQ(cluster.end, c.text.data() + c.text.size()) << test::Utf8Of(c.text);
        EXPECT_EQ(cluster.columns, c.columns) << test::Utf8Of(c.text);
    }
}

} // namespace
} // namespace tessel
