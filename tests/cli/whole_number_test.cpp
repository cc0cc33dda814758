// The one whole-number reader of the filter's and hostsim.exe's options, narrow and wide.

#include "cli/whole_number.h"

#include <gtest/gtest.h>

#include <string>

namespace tessel
{
namespace
{

constexpr int kUntouched = -7;

TEST(WholeNumber, TakesSignAndDigitsThatFitAnIntAndNothingElse)
{
    const struct
    {
        const char* text;
        bool taken;
        int value;
    } cases[] = {
        {"60", true, 60},
        {"+5", true, 5},
        {"-0", true, 0},
        {"007", true, 7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, kUntouched},
        {"-2147483649", false, kUntouched},
        {"99999999999999999999999", false, kUntouched}, // would overflow a long long
        {"", false, kUntouched},
        {"+", false, kUntouched},
        {"-", false, kUntouched},
        {"+-1", false, kUntouched},
        {" 1", false, kUntouched},
        {"1 ", false, kUntouched},
        {"1e3", false, kUntouched},
        {"0x10", false, kUntouched},
    };
    for (const auto& c : cases)
    {
        int narrow = kUntouched;
        EXPECT_EQ(ParseWholeNumber(std::string(c.text), narrow), c.taken) << c.text;
        EXPECT_EQ(narrow, c.value) << c.text;
        int wide = kUntouched;
        const std::string text(c.text);
        EXPECT_EQ(ParseWholeNumber(std::wstring(text.begin(), text.end()), wide), c.taken)
            << c.text;
        EXPECT_EQ(wide, c.value) << c.text;
    }
}

} // namespace
} // namespace tessel
