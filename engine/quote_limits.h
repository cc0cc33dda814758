#pragma once
// What the Quote/Unquote dialog offers and accepts, for the dialog, the settings and the
// engine alike: the two modes (their values are the ones the settings file keeps), the values of
// a first run, and the ranges of the two numbers.

namespace tessel
{

enum QuoteMode : int
{
    kQuoteMode = 0,
    kUnquoteMode = 1,
};

// A closed range of whole numbers.
struct IntRange
{
    int first;
    int last;

    constexpr bool Contains(int value) const { return value >= first && value <= last; }
};

// Quote mode: the wrap width, in display columns.
constexpr int kDefaultWrapWidth = 60;
constexpr IntRange kWrapWidthRange = {10, 110};

// Unquote mode: how many signs to remove from each line.
constexpr int kDefaultUnquoteLevels = 1;
constexpr IntRange kUnquoteLevelsRange = {1, 50};

} // namespace tessel
