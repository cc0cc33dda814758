#pragma once
// Finding where the next line piece ends: the longest prefix of the rest of a line that fits
// the wrap width in display columns, and the last blank inside it.

#include <string_view>

namespace tessel
{

struct PieceScan
{
    const char16_t* end;       // first unit after the prefix
    const char16_t* lastBlank; // last blank (U+0020) inside the prefix, or null; looked for
                               // only when the line does not fit
    bool lineFits;             // the prefix is the whole rest of the line: its end is a line
                               // end (CR or LF) or the end of the text
};

// start points into text; width is at least 1.
PieceScan ScanPiece(std::u16string_view text, const char16_t* start, int width);

} // namespace tessel
