#include "engine/window_columns.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#if defined(TESSEL_ENGINE_BLOCKS)

namespace tessel
{
namespace
{

// The two ways of measuring a window give the same columns, stops, blanks and plainness: on a
// processor with AVX-512 the end-to-end tests reach only that one.
TEST(MeasureWindow, WithAvx512AgreesWithSse2)
{
    if (!CanMeasureWithAvx512())
        GTEST_SKIP() << "this processor has no AVX-512 (BW and VBMI)";
    const std::u16string kana = u"あいがとう\u3099\u3040ヴ";
    const std::u16string marksAndPairs =
        u"e\u0301\u0483ж\u0300 \r\n\u200d\ufe0f😀👍🏽🇩🇪\U00020000ก\u0e33";
    const std::u16string loneHalves = {0xD800, 0xDC00, 0xDBFF, u'a', 0xDFFF, u' '};
    // Halves that pair into any code point of the emoji blocks and just past them, the skin
    // tones' edges among them.
    std::u16string emojiHalves = {0xD83B, 0xD83F, 0xDFFA, 0xDFFB, 0xDFFF, u' '};
    for (char16_t second = 0xDC00; second <= 0xDFFF; second += 7)
        emojiHalves += {0xD83C, 0xD83D, 0xD83E, second};
    struct Case
    {
        const char* name;
        std::u16string pool; // empty: any unit of the Basic Multilingual Plane
        int pickAnyUnitOneIn;
    };
    const Case cases[] = {
        {"any unit", u"", 1},
        {"kana among others", kana + marksAndPairs, 4},
        {"marks and pairs", marksAndPairs, 0},
        {"lone halves among pairs", loneHalves + marksAndPairs, 0},
        {"emoji blocks", emojiHalves, 0},
        {"Latin-1 and line ends", u"abc \r\n\u00e9\u00ff\t", 0},
    };
    std::mt19937 random(7);
    for (const Case& c : cases)
    {
        for (int round = 0; round < 20000; ++round)
        {
            char16_t text[2 * kWindowUnits];
            for (char16_t& unit : text)
            {
                const bool anyUnit = c.pickAnyUnitOneIn != 0 && random() % c.pickAnyUnitOneIn == 0;
                unit = anyUnit ? static_cast<char16_t>(random()) : c.pool[random() % c.pool.size()];
            }
            const char16_t* const at = text + 1 + random() % (kWindowUnits / 2);
            WindowColumns sse2, avx512;
            const MeasuredWindow bySse2 = MeasureWindowSse2(at, text, sse2);
            const MeasuredWindow byAvx512 = MeasureWindowAvx512(at, text, avx512);
            ASSERT_EQ(bySse2.stops, byAvx512.stops) << c.name << ", round " << round;
            ASSERT_EQ(bySse2.blanks, byAvx512.blanks) << c.name << ", round " << round;
            ASSERT_EQ(bySse2.plain, byAvx512.plain) << c.name << ", round " << round;
            ASSERT_EQ(0, std::memcmp(sse2.ends, avx512.ends, sizeof sse2.ends))
                << c.name << ", round " << round;
        }
    }
}

} // namespace
} // namespace tessel

#endif
