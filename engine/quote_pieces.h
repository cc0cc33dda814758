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

// The pieces of plain units from pos, found in bit masks of the units: a piece ends at a line
// end within reach, else after the last blank that fits or hard at the width. The masks are
// made once for every window of kWindowUnits units and held for two windows, from which those
// of the kWindowUnits units at each piece are shifted out. Returns where the rest must be
// measured otherwise: units that are not plain within reach, fewer than two windows left, or a
// width wider than a window.
template <class Unit, class PieceFn>
const Unit* QuotePlainPieces(const Unit* pos, const Unit* textEnd, int width, PieceFn& piece)
{
    if (width >= kWindowUnits - 1)
        return pos;
    const auto special = [](__m128i units) { return Block<Unit>::SpecialLanes(units); };
    const auto blank = [](__m128i units) { return Block<Unit>::EqualLanes(units, kBlank); };
    // [0]: units that are not plain, [1]: blanks; of the window at `window` and the next one.
    std::uint64_t masks[2], nextMasks[2];
    const Unit* window = pos;
    if (textEnd - window < 2 * kWindowUnits)
        return pos;
    WindowMasks(window, masks, special, blank);
    WindowMasks(window + kWindowUnits, nextMasks, special, blank);
    const std::uint64_t fitting = (std::uint64_t(1) << width) - 1;
    for (;;)
    {
        int offset = static_cast<int>(pos - window);
        if (offset >= kWindowUnits)
        {
            window += kWindowUnits;
            offset -= kWindowUnits;
            if (textEnd - window < 2 * kWindowUnits)
                return pos;
            masks[0] = nextMasks[0];
            masks[1] = nextMasks[1];
            WindowMasks(window + kWindowUnits, nextMasks, special, blank);
        }
        // The masks of the kWindowUnits units from pos (a shift by 64 is not defined, hence two).
        const auto from = [offset](std::uint64_t here, std::uint64_t next) {
            return here >> offset | (next << (kWindowUnits - 1 - offset) << 1);
        };
        const std::uint64_t notPlain = from(masks[0], nextMasks[0]);
        const int firstNotPlain = __builtin_ctzll(notPlain | std::uint64_t(1) << 63);
        const bool lineEndWithin = firstNotPlain <= width;
        if (lineEndWithin && !IsLineEndUnit(pos[firstNotPlain]))
            return pos;
        // Chosen without branches: whether a piece ends at a line end or after a blank changes
        // from piece to piece.
        const std::uint64_t blanks = from(masks[1], nextMasks[1]) & fitting;
        const int afterBlank = blanks != 0 ? kWindowUnits - __builtin_clzll(blanks) : width;
        const int length = lineEndWithin ? firstNotPlain : afterBlank;
        const int crLf =
            pos[length] == static_cast<Unit>(kCR) && pos[length + 1] == static_cast<Unit>(kLF);
        piece(pos, pos + length);
        pos += length + (lineEndWithin ? 1 + crLf : 0);
    }
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
