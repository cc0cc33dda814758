#pragma once
// A whole number on a command line, for the filter's options and hostsim.exe's alike: an
// optional sign and decimal digits, nothing else (no blanks), that fits an int.

#include <climits>
#include <string_view>

namespace tessel
{
namespace detail
{

template <class Char> bool ParseWholeNumber(std::basic_string_view<Char> text, int& value)
{
    bool negative = false;
    if (!text.empty() && (text.front() == Char('+') || text.front() == Char('-')))
    {
        negative = text.front() == Char('-');
        text.remove_prefix(1);
    }
    if (text.empty())
        return false;
    long long magnitude = 0;
    for (const Char digit : text)
    {
        if (digit < Char('0') || digit > Char('9'))
            return false;
        magnitude = magnitude * 10 + (digit - Char('0'));
        if (magnitude > -static_cast<long long>(INT_MIN)) // stops long before overflowing
            return false;
    }
    const long long parsed = negative ? -magnitude : magnitude;
    if (parsed > INT_MAX)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

} // namespace detail

// False, and value unchanged, for anything else.
inline bool ParseWholeNumber(std::string_view text, int& value)
{
    return detail::ParseWholeNumber(text, value);
}
inline bool ParseWholeNumber(std::wstring_view text, int& value)
{
    return detail::ParseWholeNumber(text, value);
}

} // namespace tessel
