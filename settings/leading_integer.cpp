#include "settings/leading_integer.h"

#include <climits>

namespace tessel
{
namespace
{

// The C locale's white space; the value comes from a file, not from the user's locale.
bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

int ParseLeadingInteger(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsCSpace(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';

    // The magnitude is capped at the limit of its sign, so it never overflows long long.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos)
    {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > limit)
            magnitude = limit;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

} // namespace tessel
