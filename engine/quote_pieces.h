#pragma once
// The quoting walk over a text of UTF-16 or UTF-8 code units: lines, and the pieces that
// wrapping cuts them into, handed out one by one.

#include "engine/line_scan.h"
#include "engine/piece_scan.h"
#include "engine/quote_limits.h"
#include "engine/text_units.h"

#include <algorithm>
#include <cstdint>

namespace tessel
{

// The narrowest wrap width, the dialog's least; smaller widths (zero and negative ones
// included) are raised to it.
constexpr int kMinWrapWidth = kWrapWidthRange.first;

#if defined(TESSEL_ENGINE_BLOCKS)

// The pieces of plain units from pos, found in the masks of one window of units at a time: a
// piece ends at a line end within reach, else after the last blank that fits or hard at the
// width. Returns where the rest must be measured otherwise (units that are not plain within
// reach, fewer units left than a window, or a width wider than a window), or textEnd after a
// line end at the end.
template <class Unit, class PieceFn>
const Unit* QuotePlainPieces(const Unit* pos, const Unit* textEnd, int width, PieceFn& piece)
{
    if (width >= kWindowUnits - 1)
        return pos;
    while (textEnd - pos >= kWindowUnits)
    {
        const std::uint64_t special = WindowMask(pos, Block<Unit>::SpecialLanes);
        const int firstSpecial = __builtin_ctzll(special | std::uint64_t(1) << 63);
        if (firstSpecial <= width)
        {
            if (!IsLineEndUnit(pos[firstSpecial]))
                return pos;
            piece(pos, pos + firstSpecial);
            pos = SkipLineEnd(pos + firstSpecial, textEnd);
            if (pos == textEnd)
                return pos;
            continue;
        }
        const std::uint64_t blanks = WindowMaskOf(pos, kBlank) & ((std::uint64_t(1) << width) - 1);
        const Unit* const cut =
            blanks != 0 ? pos + kWindowUnits - __builtin_clzll(blanks) : pos + width;
        piece(pos, cut);
        pos = cut;
    }
    return pos;
}

#endif

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
#if defined(TESSEL_ENGINE_BLOCKS)
        pos = QuotePlainPieces(pos, textEnd, width, piece);
        if (pos == textEnd && pos != text)
            return;
#endif
        const LineSpan<Unit> line = FindLine(pos, textEnd);
        if (line.plain)
        {
            // Columns are code units: the first width units fit.
            while (line.end - pos > width)
            {
                const Unit* const blank = FindLastBlank(pos, pos + width);
                const Unit* const cut = blank != nullptr ? blank + 1 : pos + width;
                piece(pos, cut);
                pos = cut;
            }
        }
        else
        {
            for (PieceScan<Unit> scan; !(scan = ScanPiece(pos, line.end, width)).lineFits;)
            {
                // After the last blank that fits, which stays at the end of the piece, or a hard
                // cut inside a word.
                const Unit* const cut = scan.lastBlank != nullptr ? scan.lastBlank + 1 : scan.end;
                piece(pos, cut);
                pos = cut;
            }
        }
        piece(pos, line.end);
        pos = SkipLineEnd(line.end, textEnd);
        if (pos == textEnd)
            return;
    }
}

} // namespace tessel
