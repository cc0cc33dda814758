#include "engine/quote_masks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#if defined(TESSEL_ENGINE_BLOCKS)

namespace tessel
{
namespace
{

// The two ways of making a window's masks give the same bits: on a processor with AVX-512 the
// end-to-end tests reach only that one. The units are drawn mostly from the edges of the plain
// range, where a compare that is off by one or signed for unsigned would show.
template <class Unit> void ExpectMasksAgree(const std::u32string& edges, unsigned unitRange)
{
    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round)
    {
        Unit text[kWindowUnits + 1];
        for (Unit& unit : text)
            unit = static_cast<Unit>(random() % 2 == 0 ? edges[random() % edges.size()]
                                                       : random() % unitRange);
        const Unit* const at = text + random() % 2; // aligned or not
        const WindowMasksOfQuote bySse2 = QuoteMasksOf(at);
        const WindowMasksOfQuote byAvx512 = QuoteMasksOfAvx512(at);
        ASSERT_EQ(bySse2.stops, byAvx512.stops)
            << "units of " << sizeof(Unit) << ", round " << round;
        ASSERT_EQ(bySse2.blanks, byAvx512.blanks)
            << "units of " << sizeof(Unit) << ", round " << round;
    }
}

TEST(QuoteMasks, WithAvx512AgreeWithSse2)
{
    if (!CanQuoteWithAvx512())
        GTEST_SKIP() << "this processor has no AVX-512 (BW)";
    using namespace std::string_literals; // the edges start with U+0000
    ExpectMasksAgree<char16_t>(U"\x00\r\x0e \x7f\x80\xfe\xff\u0100\u7fff\u8000\uffff\n"s, 0x10000);
    ExpectMasksAgree<char>(U"\x00\r\x0e \x7f\x80\xfe\xff\n"s, 0x100);
}

} // namespace
} // namespace tessel

#endif
