#include "engine/quote_text.h"
#include "engine/unquote_text.h"
#include "tests/engine/text_block_print.h"
#include "tests/engine/unquote_reference.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <string>

namespace tessel
{
namespace
{

struct UnquoteCase
{
    const char* name;
    std::u16string_view text;
    std::u16string_view sign;
    int levels;
    std::u16string_view expected;
};

class Unquote : public testing::TestWithParam<UnquoteCase>
{
};

TEST_P(Unquote, Removes)
{
    const UnquoteCase& c = GetParam();
    EXPECT_EQ(UnquoteText(c.text, c.sign, c.levels), c.expected);
}

const UnquoteCase kCases[] = {
    {"WorkedExampleOneLevel", u"> > a\r\n> > b\r\n> ", u"> ", 1, u"> a\r\n> b\r\n"},
    {"WorkedExampleTwoLevels", u"> > a\r\n> > b\r\n> ", u"> ", 2, u"a\r\nb\r\n"},
    {"ZeroLevels", u"> a", u"> ", 0, u"> a"},
    {"NegativeLevels", u"> a", u"> ", -3, u"> a"},
    {"IntMinLevels", u"> a", u"> ", INT_MIN, u"> a"},
    {"EmptySign", u"> a\r\n> b", u"", 5, u"> a\r\n> b"},
    {"GreaterThanWithoutBlankStays", u">a\r\n>\r\n> b", u"> ", 1, u">a\r\n>\r\nb"},
    {"LineAfterLoneLfKeepsSign", u"> a\n> b", u"> ", 1, u"a\n> b"},
    {"LineAfterLoneCrKeepsSign", u"> a\r> b", u"> ", 1, u"a\r> b"},
    {"TextEqualToSign", u"> ", u"> ", 1, u""},
    {"TextShorterThanSign", u">", u"> ", 1, u">"},
    {"SignAfterBlanksStays", u" > a\r\n> b", u"> ", 1, u" > a\r\nb"},
    {"SignInsideLineStays", u"a > b", u"> ", 1, u"a > b"},
    {"EmptyLineDoesNotHideNext", u"> a\r\n\r\n> b", u"> ", 1, u"a\r\n\r\nb"},
    {"ConsecutiveQuotedLines", u"> a\r\n> b\r\n> c", u"> ", 1, u"a\r\nb\r\nc"},
    {"FewerSignsThanLevels", u"> > > a\r\n> b", u"> ", 2, u"> a\r\nb"},
    {"FiftyLevelsOnOnceQuoted", u"> a\r\n> b\r\n> ", u"> ", 50, u"a\r\nb\r\n"},
    {"IntMaxLevels", u"> > a\r\n> b", u"> ", INT_MAX, u"a\r\nb"},
    {"CaseSensitive", u"A: x\r\na: y", u"a: ", 1, u"A: x\r\ny"},
    {"LeadingCrLf", u"\r\n> a", u"> ", 1, u"\r\na"},
    {"WideSign", u"》 a\r\n》 》 b", u"》 ", 1, u"a\r\n》 b"},
    {"EmojiSign", u"😀a\r\n😀😀b", u"😀", 5, u"a\r\nb"},
    {"HalfSurrogatePairIsNoMatch",
     u"\xD83D"
     u"a\r\n😀b",
     u"\xD83D", 1,
     u"a\r\n\xDE00"
     u"b"},
    // Signs that hold line-end characters work pass by pass.
    {"SignWithLf", u"\r\n\nx\r\n\ny", u"\n", 1, u"\r\nx\r\ny"},
    {"SignEndingInCrLf", u"\r\nx\r\nx\r\ny", u"x\r\n", 1, u"\r\nx\r\ny"},
    {"SignEndingInCrLfTwoLevels", u"\r\nx\r\nx\r\ny", u"x\r\n", 2, u"\r\ny"},
    {"SignOfOnlyLfsManyLevels", u"\r\n\n\n\n\n", u"\n", INT_MAX, u"\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Cases, Unquote, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UnquoteText, UndoesQuoteOfOneShortLine)
{
    EXPECT_EQ(UnquoteText(QuoteText(u"hello", u"> ", 60), u"> ", 1), u"hello\r\n");
}

// Random texts and signs over a small alphabet that makes matches, line ends and partial
// matches frequent; the engine's one-walk and stop-early paths must agree with the passes.
// Every other text is long enough for the scan a window at a time, and units whose low byte is
// a CR or an LF must not pass for one.
TEST(UnquoteText, AgreesWithPassByPassRemoval)
{
    std::mt19937 random(20261208);
    const std::u16string alphabet = u">> \r\n\na\u010D\uFF0A";
    const auto randomString = [&](std::size_t maxLength) {
        std::u16string s(random() % (maxLength + 1), u' ');
        for (auto& unit : s)
            unit = alphabet[random() % alphabet.size()];
        return s;
    };
    for (int round = 0; round < 20000; ++round)
    {
        const std::u16string text = randomString(round % 2 == 0 ? 24 : 300);
        const std::u16string sign = randomString(3);
        const int levels = static_cast<int>(random() % 5);
        ASSERT_EQ(UnquoteText(text, sign, levels), test::UnquoteByPasses(text, sign, levels))
            << "round " << round;
    }
}

} // namespace
} // namespace tessel
