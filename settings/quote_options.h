#pragma once

#include "engine/quote_limits.h"

#include <string>

namespace tessel
{

// The user's choices in the Quote/Unquote dialog, as kept in the settings file.
struct QuoteOptions
{
    QuoteMode mode = kQuoteMode;
    int wrapWidth = kDefaultWrapWidth;         // quote mode
    int unquoteLevels = kDefaultUnquoteLevels; // unquote mode
    std::string addSign;                       // ANSI
    std::string removeSign;                    // ANSI
};

} // namespace tessel
