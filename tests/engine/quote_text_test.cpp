#include "engine/quote_text.h"
#include "tests/engine/quote_reference.h"
#include "tests/engine/text_block_print.h"
#include "tests/engine/utf8_form.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <random>
#include <string>

namespace tessel
{
namespace
{

// The quoted form of a list of pieces: each behind the sign and followed by CR LF, then one
// more sign.
std::u16string Quoted(std::u16string_view sign, std::initializer_list<std::u16string_view> pieces)
{
    std::u16string result;
    for (const auto piece : pieces)
        result.append(sign).append(piece).append(u"\r\n");
    return result.append(sign);
}

struct QuoteCase
{
    const char* name;
    std::u16string_view text;
    int width;
    std::initializer_list<std::u16string_view> pieces;
};

class QuoteWithGreaterThanBlank : public testing::TestWithParam<QuoteCase>
{
};

TEST_P(QuoteWithGreaterThanBlank, EmitsPieces)
{
    const QuoteCase& c = GetParam();
    EXPECT_EQ(QuoteText(c.text, u"> ", c.width), Quoted(u"> ", c.pieces));
}

const QuoteCase kWorkedExamples[] = {
    {"BreaksAtLastBlank",
     u"The quick brown fox jumps",
     10,
     {u"The quick ", u"brown fox ", u"jumps"}},
    {"HardCutsLongWord",
     u"abcdefghijklmnopqrstuvwxy",
     10,
     {u"abcdefghij", u"klmnopqrst", u"uvwxy"}},
    {"BlankRightAfterWidthIsNotSeen", u"abcdefghij klmn", 10, {u"abcdefghij", u" klmn"}},
    {"BlankAtLastIndexStaysWithPiece", u"abcdefghi klmn", 10, {u"abcdefghi ", u"klmn"}},
    {"LineOfExactlyWidthIsWhole", u"abcdefghij", 10, {u"abcdefghij"}},
    {"LeadingBlankAlone", u" abcdefghijklmno", 10, {u" ", u"abcdefghij", u"klmno"}},
    {"EmptyLineBetween", u"one\r\n\r\ntwo", 10, {u"one", u"", u"two"}},
};
INSTANTIATE_TEST_SUITE_P(WorkedExamples, QuoteWithGreaterThanBlank,
                         testing::ValuesIn(kWorkedExamples),
                         [](const auto& info) { return std::string(info.param.name); });

const QuoteCase kLineEnds[] = {
    {"EmptyText", u"", 10, {u""}},
    {"OnlyCrLf", u"\r\n", 10, {u""}},
    {"OnlyLf", u"\n", 10, {u""}},
    {"ShortLine", u"short", 10, {u"short"}},
    {"ShortLineWithCrLf", u"short\r\n", 10, {u"short"}},
    {"LoneLfBreaks", u"one\ntwo", 10, {u"one", u"two"}},
    {"LeadingLineEnd", u"\r\none", 10, {u"", u"one"}},
    {"TwoTrailingLineEnds", u"one\r\n\r\n", 10, {u"one", u""}},
    // A lone CR ends a line and the unit after it is kept.
    {"LoneCrKeepsNextChar", u"one\rtwo", 10, {u"one", u"two"}},
    {"TwoLoneCrs", u"one\r\rtwo", 10, {u"one", u"", u"two"}},
    {"CrCrLf", u"one\r\r\ntwo", 10, {u"one", u"", u"two"}},
    {"LfCr", u"one\n\rtwo", 10, {u"one", u"", u"two"}},
    {"CrAsLastUnit", u"one\r", 10, {u"one"}},
    {"LineEndRightAfterWidth", u"abcdefghij\r\nk", 10, {u"abcdefghij", u"k"}},
};
INSTANTIATE_TEST_SUITE_P(LineEnds, QuoteWithGreaterThanBlank, testing::ValuesIn(kLineEnds),
                         [](const auto& info) { return std::string(info.param.name); });

const QuoteCase kWidths[] = {
    {"FiveActsAsTen", u"abcdefghijklm", 5, {u"abcdefghij", u"klm"}},
    {"ZeroActsAsTen", u"abcdefghijklm", 0, {u"abcdefghij", u"klm"}},
    {"NegativeActsAsTen", u"abcdefghijklm", -7, {u"abcdefghij", u"klm"}},
    {"IntMinActsAsTen", u"abcdefghijklm", INT_MIN, {u"abcdefghij", u"klm"}},
    {"ElevenIsKept", u"abcdefghijklm", 11, {u"abcdefghijk", u"lm"}},
    {"IntMaxNeverWraps", u"a b c d e f g h i j k l m n", INT_MAX, {u"a b c d e f g h i j k l m n"}},
};
INSTANTIATE_TEST_SUITE_P(Widths, QuoteWithGreaterThanBlank, testing::ValuesIn(kWidths),
                         [](const auto& info) { return std::string(info.param.name); });

const QuoteCase kBlanks[] = {
    {"TwoBlanksAtBoundary", u"abcdefghi  xyz", 10, {u"abcdefghi ", u" xyz"}},
    {"OnlyBlanks", u"            ", 10, {u"          ", u"  "}},
    {"TabIsNoBreak", u"abcd\tefghijkl", 10, {u"abcd\tefghi", u"jkl"}},
    {"NoBreakSpaceIsNoBreak", u"abcd\u00A0efghijkl", 10, {u"abcd\u00A0efghi", u"jkl"}},
    {"QuotedTextGetsAnotherLevel", u"> abcdefghij", 10, {u"> ", u"abcdefghij"}},
    {"RemainderKeepsBlanksAfterCut", u"abcdefghijk   l", 10, {u"abcdefghij", u"k   l"}},
};
INSTANTIATE_TEST_SUITE_P(Blanks, QuoteWithGreaterThanBlank, testing::ValuesIn(kBlanks),
                         [](const auto& info) { return std::string(info.param.name); });

// Columns, not code units: wide characters count two, a surrogate pair is one character, and a
// hard cut takes the longest prefix that fits without splitting either.
const QuoteCase kColumns[] = {
    {"WideCharsCountTwo", u"漢字漢字漢字", 10, {u"漢字漢字漢", u"字"}},
    {"WideCharNotSplitAtOddColumn", u"a漢字漢字漢字", 10, {u"a漢字漢字", u"漢字"}},
    {"BlankBetweenWideChars", u"漢字漢字 漢字", 10, {u"漢字漢字 ", u"漢字"}},
    {"FullwidthFormsCountTwo", u"ＡＢＣＤＥＦ", 10, {u"ＡＢＣＤＥ", u"Ｆ"}},
    {"HalfwidthKatakanaCountOne", u"ｱｲｳｴｵｶｷｸｹｺｻ", 10, {u"ｱｲｳｴｵｶｷｸｹｺ", u"ｻ"}},
    {"GreekCountsOne", u"αβγδεζηθικλ", 10, {u"αβγδεζηθικ", u"λ"}},
    {"EmojiPairCountsTwo", u"😀😀😀😀😀😀", 10, {u"😀😀😀😀😀", u"😀"}},
    {"NarrowPairCountsOne", u"𐍈𐍈𐍈𐍈𐍈𐍈𐍈𐍈𐍈𐍈𐍈", 10, {u"𐍈𐍈𐍈𐍈𐍈𐍈𐍈𐍈𐍈𐍈", u"𐍈"}},
    {"PairAfterNineColumns", u"abcdefghi😀x", 10, {u"abcdefghi", u"😀x"}},
    {"LoneHighSurrogateCountsOne", u"abcdefghi\xD800x", 10, {u"abcdefghi\xD800", u"x"}},
    {"LoneHighSurrogateAtEnd", u"abc\xD800", 10, {u"abc\xD800"}},
    {"LoneLowSurrogate",
     u"\xDC00"
     u"bcdefghijk",
     10,
     {u"\xDC00"
      u"bcdefghij",
      u"k"}},
};
INSTANTIATE_TEST_SUITE_P(Columns, QuoteWithGreaterThanBlank, testing::ValuesIn(kColumns),
                         [](const auto& info) { return std::string(info.param.name); });

// A hard cut takes whole grapheme clusters: what code points alone would cut is noted beside.
// A blank that a mark joins is no place to break.
const QuoteCase kClusters[] = {
    {"ThaiToneMarkAndVowel", // cut: ...น / ้ำก
     u"กกกกกกกกกน้ำก",
     10,
     {u"กกกกกกกกกน้ำ", u"ก"}},
    {"DevanagariVirama", u"कककककककककस्त", 10, {u"कककककककककस्", u"त"}}, // ...स / ्त
    {"LetterAndCombiningAccent", u"abcdefghiéx", 10, {u"abcdefghié", u"x"}},
    {"FamilyEmoji",
     u"abcdefgh👨‍👩‍👧x",
     10,
     {u"abcdefgh👨‍👩‍👧", u"x"}},               // ...👨 / ‍👩‍👧x
    {"Flag", u"abcdefghi🇩🇪x", 10, {u"abcdefghi", u"🇩🇪x"}}, // ...🇩 / 🇪x
    {"EmojiPresentationCountsTwo", u"abcdefghi❤️", 10, {u"abcdefghi", u"❤️"}},
    {"HangulJamoSyllables", u"가가가가가가", 10, {u"가가가가가", u"가"}},
    {"BlankWithMarkIsNoBreak", u"abcd ́efghijkl", 10, {u"abcd ́efghi", u"jkl"}},
    {"BlankBeforeMarkedLetterBreaks", u"abcde éfghij", 10, {u"abcde ", u"éfghij"}},
    {"MarkAfterFullLine", u"abcdefghij́", 10, {u"abcdefghij́"}},
    {"MarkRightAfterWidth", u"abcdefghij́k", 10, {u"abcdefghij́", u"k"}},
    {"MarkAfterTab", u"	́bcdefghijk", 10, {u"	́bcdefghi", u"jk"}},
};
INSTANTIATE_TEST_SUITE_P(Clusters, QuoteWithGreaterThanBlank, testing::ValuesIn(kClusters),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QuoteText, WholeResultSpelledOut)
{
    EXPECT_EQ(QuoteText(u"", u"> ", 60), u"> \r\n> ");
    EXPECT_EQ(QuoteText(u"hi\r\nyou", u">", 60), u">hi\r\n>you\r\n>");
}

TEST(QuoteText, EmptySignOnlyWraps)
{
    EXPECT_EQ(QuoteText(u"abc\ndef", u"", 10), u"abc\r\ndef\r\n");
    EXPECT_EQ(QuoteText(u"abcdefghijkl", u"", 10), u"abcdefghij\r\nkl\r\n");
}

TEST(QuoteText, SignIsNotCountedAgainstWidth)
{
    const std::u16string sign = u">>>>>>>>>> ";
    EXPECT_EQ(QuoteText(u"abcdefghij", sign, 10), sign + u"abcdefghij\r\n" + sign);
}

TEST(QuoteText, SignIsInsertedVerbatim)
{
    // A sign holding a line end is inserted as it is, once per line; it is not expanded again.
    EXPECT_EQ(QuoteText(u"a\r\nb", u"\r\n", 10), u"\r\na\r\n\r\nb\r\n\r\n");
}

TEST(QuoteText, LongTextKeepsEveryCharacter)
{
    // A long line of words wraps into pieces whose concatenation is the line again.
    std::u16string line;
    for (int i = 0; i < 2000; ++i)
        line += (i % 7 == 0) ? u"word " : u"x";
    const std::u16string quoted = QuoteText(line, u"", 60).str();
    std::u16string joined;
    for (std::size_t pos = 0; pos < quoted.size();)
    {
        const std::size_t end = quoted.find(u"\r\n", pos);
        ASSERT_NE(end, std::u16string::npos);
        EXPECT_LE(end - pos, 60u);
        joined.append(quoted, pos, end - pos);
        pos = end + 2;
    }
    EXPECT_EQ(joined, line);
}

// Clusters of many units and few columns from the start of a text: more units than two
// windows hold fit the width, so that a piece is looked for past both.
TEST(QuoteText, ClustersOfManyUnitsFitPastTwoWindows)
{
    const std::u16string marks(15, u'\u0301');
    std::u16string skinTones;
    for (int i = 0; i < 15; ++i)
        skinTones += u"🏽";
    for (const std::u16string& cluster : {u"e" + marks, u"👍" + skinTones})
    {
        std::u16string text;
        while (text.size() < 300)
            text += cluster;
        text += u" and the words after them";
        for (const int width : {10, 62})
            EXPECT_EQ(QuoteText(text, u"> ", width), test::QuoteByClusters(text, u"> ", width))
                << width;
    }
}

// Random texts whose blanks, line ends, wide characters and marks fall at every position
// relative to the width and to the engine's blocks, quoted as UTF-16 and as UTF-8. Text
// without marks, joiners, variation selectors or flags is also cut as code points would be.
TEST(QuoteText, AgreesWithPieceByPieceQuoting)
{
    const struct
    {
        std::u16string_view alphabet;
        bool withoutMarks;
        std::size_t maxLength;
        int maxWidth;
        bool marksKeepTheirBase = false; // U+0301 is picked with the unit before it
        bool loneFirstHalves = false;    // not in UTF-8, which cannot hold them
    } alphabets[] = {
        {u"aaaaaaaaaaaabbbbbbb       \r\n\t漢é😀", true, 300, 45},
        {u"aaaaaaaaabbbbb      \r\n漢é\u0301\u0301\u200D😀\uFE0F🇩\u1100\u1161\u0E33\u0600", false,
         300, 45},
        // Long runs of prose between the line ends and the rare wider character, for the
        // scan that measures prose a window of units at a time, at widths up to past a window.
        {u"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaabbbbbbbbbbbbbbbbbbbbb               \r\n漢\u0120\u010D",
         true, 1200, 70},
        // Long runs of mixed scripts, measured a window at a time, with marks that join the
        // character before them, emoji with skin tones, and the characters that the cluster
        // rules must measure.
        {u"aaaaaaaaaaabbbbbbbbпривет漢字東京한국어😀😀👍🏽\u0301\u0301          "
         u" "
         u"\r\n\t",
         false, 1200, 70},
        {u"aaaaaaaaabbbbbb漢字ж😀👍🏽\u0301\u200D\uFE0F🇩\u1100\u1161\u0E33\u0600\U0001D400\U0001D173"
         u"    "
         u"\r\n",
         false, 1200, 70},
        // First halves of pairs alone, before a unit that is not a second half, or taking
        // one from the next pick as a pair of their own.
        {u"aaaaaaaaabbbbbb漢ж😀👍🏽\u0301      \r\n\xD800", false, 1200, 70, false, true},
        // More units than columns: pieces that run past the masks of one window.
        {u"aaaaaaaaaaaaaaaaaaaaaaab\u0301\u0301\u0301\u0301\u0301\u0301      \r\n", false, 1200, 63,
         true},
    };
    std::mt19937 random(20261208);
    for (const auto& a : alphabets)
    {
        for (int round = 0; round < 3000; ++round)
        {
            std::u16string text;
            const std::size_t length = random() % a.maxLength;
            while (text.size() < length)
            {
                std::size_t at = random() % a.alphabet.size();
                const auto isMark = [&](std::size_t i) {
                    return a.marksKeepTheirBase && i < a.alphabet.size() &&
                           a.alphabet[i] == u'\u0301';
                };
                while (isMark(at))
                    --at;
                std::size_t units =
                    at + 1 < a.alphabet.size() && IsHighSurrogate(a.alphabet[at]) ? 2 : 1;
                while (isMark(at + units))
                    ++units;
                text.append(a.alphabet.substr(at, units));
                if (IsLowSurrogate(text.back()) && !IsHighSurrogate(text[text.size() - 2]))
                    text.pop_back(); // half a pair
            }
            const int width = static_cast<int>(random() % static_cast<unsigned>(a.maxWidth));
            const TextBlock quoted = QuoteText(text, u"> ", width);
            ASSERT_EQ(quoted, test::QuoteByClusters(text, u"> ", width)) << "round " << round;
            if (a.withoutMarks)
            {
                ASSERT_EQ(quoted, test::QuoteByCodePoints(text, u"> ", width)) << "round " << round;
            }

            if (a.loneFirstHalves)
                continue;
            const std::string utf8 = test::Utf8Of(text);
            std::string quotedUtf8;
            ForEachQuotePiece(utf8.data(), utf8.data() + utf8.size(), width,
                              [&](const char* from, const char* to) {
                                  quotedUtf8.append("> ").append(from, to).append("\r\n");
                              });
            ASSERT_EQ(quotedUtf8.append("> "), test::Utf8Of(quoted)) << "round " << round;
        }
    }
}

} // namespace
} // namespace tessel
