#pragma once
// The quoting walk over a text of UTF-16 or UTF-8 code units: lines, and the pieces that
// wrapping cuts them into, handed out one by one.

#include "engine/piece_scan.h"
#include "engine/text_units.h"

#include <algorithm>

namespace tessel
{

// The narrowest wrap width; smaller widths (zero and negative ones included) are raised to it.
constexpr int kMinWrapWidth = 10;

// Calls piece(from, to) for every piece, in order. Lines end at CR LF, LF or a lone CR; there
// is always at least one line, and a line end at the very end starts no further line. A line
// wider than the width is cut after the last blank that fits, or else hard after the last
// whole grapheme cluster that fits.
template <class Unit, class PieceFn>
void ForEachQuotePiece(const Unit* text, const Unit* textEnd, int wrapWidth, PieceFn&& piece)
{
    const int width = std::max(wrapWidth, kMinWrapWidth);
    const Unit* pos = text;
    for (;;)
    {
        const PieceScan<Unit> scan = ScanPiece(pos, textEnd, width);
        if (scan.lineFits)
        {
            piece(pos, scan.end);
            pos = SkipLineEnd(scan.end, textEnd);
            if (pos == textEnd)
                return;
        }
        else if (scan.lastBlank != nullptr)
        {
            // The blank stays at the end of the piece; the rest starts right after it.
            piece(pos, scan.lastBlank + 1);
            pos = scan.lastBlank + 1;
        }
        else
        {
            piece(pos, scan.end); // hard cut inside a word
            pos = scan.end;
        }
    }
}

} // namespace tessel
