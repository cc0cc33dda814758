#pragma once

#include <string>

namespace tessel
{

// The user's choices in the Quote/Unquote dialog, as kept in the settings file.
struct QuoteOptions
{
    int mode = 0;           // 0 quote, 1 unquote
    int wrapWidth = 60;     // quote mode: wrap width in columns
    int unquoteLevels = 1;  // unquote mode: signs to remove per line
    std::string addSign;    // ANSI
    std::string removeSign; // ANSI
};

} // namespace tessel
