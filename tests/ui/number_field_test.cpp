#include "ui/number_field.h"

#include <gtest/gtest.h>

#include <climits>

namespace tessel
{
namespace
{

TEST(ParseNumberText, ReadsSignedDecimalsAndGivesZeroForAnythingElse)
{
    const struct
    {
        const wchar_t* text;
        int expected;
    } cases[] = {
        {L"60", 60},
        {L"  42 ", 42},
        {L"-5", -5},
        {L"+7", 7},
        {L"007", 7},
        {L"2147483647", INT_MAX},
        {L"-2147483648", INT_MIN},
        {L"2147483648", 0},           // does not fit
        {L"-2147483649", 0},          // does not fit
        {L"4294967291", 0},           // a negative width as the box shows it
        {L"99999999999999999999", 0}, // far beyond, without overflowing the reader
        {L"", 0},
        {L"   ", 0},
        {L"-", 0},
        {L"12a", 0},
        {L"1 2", 0},
        {L"\x0661\x0662", 0}, // digits of other scripts are not decimal digits here
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseNumberText(c.text), c.expected)
            << "text: \"" << testing::PrintToString(std::wstring(c.text)) << "\"";
}

} // namespace
} // namespace tessel
