#pragma once
// The quoting walk over a text of UTF-16 or UTF-8 code units: lines, and the pieces that
// wrapping cuts them into, handed out one by one.

#include "engine/line_scan.h"
#include "engine/piece_scan.h"
#include "engine/quote_limits.h"
#include "engine/quote_masks.h"
#include "engine/text_units.h"
#include "engine/window_fit.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace tessel
{

// The narrowest wrap width, the dialog's least; smaller widths (zero and negative ones
// included) are raised to it.
constexpr int kMinWrapWidth = kWrapWidthRange.first;

#if defined(TESSEL_ENGINE_BLOCKS)

// The bits below `units` (up to a window's).
inline std::uint64_t BitsBelow(int units)
{
    return units >= kWindowUnits ? ~std::uint64_t(0) : (std::uint64_t(1) << units) - 1;
}

// A piece that more units fit than the masks from its start show (marks add no columns): its
// first stop and the units up to its last blank, looked for in both windows from `offset` in
// the first (no stop in them counts as one right after them).
inline void FindLongPieceEnds(const WindowMasksOfQuote& here, const WindowMasksOfQuote& next,
                              int offset, int fitting, int& firstStop, int& afterBlank)
{
    const std::uint64_t stopsHere = here.stops & ~BitsBelow(offset);
    firstStop = (stopsHere != 0    ? __builtin_ctzll(stopsHere)
                 : next.stops != 0 ? kWindowUnits + __builtin_ctzll(next.stops)
                                   : 2 * kWindowUnits) -
                offset;
    const int end = offset + fitting;
    const std::uint64_t blanksNext =
        end > kWindowUnits ? next.blanks & BitsBelow(end - kWindowUnits) : 0;
    const std::uint64_t blanksHere = here.blanks & ~BitsBelow(offset) & BitsBelow(end);
    const int lastBlank = blanksNext != 0   ? kWindowUnits + HighestBit(blanksNext)
                          : blanksHere != 0 ? HighestBit(blanksHere)
                                            : -1;
    afterBlank = lastBlank >= 0 ? lastBlank + 1 - offset : fitting;
}

// The first stop from `offset` in two windows, or 63 where none is within a window's units.
inline int FirstStop(const WindowMasksOfQuote& here, const WindowMasksOfQuote& next, int offset)
{
    return __builtin_ctzll(MaskFrom(offset, here.stops, next.stops) | std::uint64_t(1) << 63);
}

// The units up to and with the last blank among the `fitting` from `offset` in two windows
// (fewer than a window's, given as their bits too, which the plain walk makes once), or all of
// them where none is a blank.
inline int AfterLastBlank(const WindowMasksOfQuote& here, const WindowMasksOfQuote& next,
                          int offset, std::uint64_t fittingBits, int fitting)
{
    const std::uint64_t blanks = MaskFrom(offset, here.blanks, next.blanks) & fittingBits;
    return blanks != 0 ? HighestBit(blanks) + 1 : fitting;
}

// The masks of two windows of units from `first`, in the first of which the walk's pieces start.
template <class Unit> struct QuoteWindows
{
    const Unit* first;
    WindowMasksOfQuote here, next;

    explicit QuoteWindows(const Unit* at)
        : first(at), here(QuoteMasksOf(at)), next(QuoteMasksOf(at + kWindowUnits))
    {
    }

    // On by a window, leaving the masks of the one coming in to the caller; false where two
    // windows or fewer would be left.
    bool Slide(const Unit* textEnd)
    {
        first += kWindowUnits;
        if (textEnd - first <= 2 * kWindowUnits)
            return false;
        here = next;
        return true;
    }

    // On by a window, with the masks of the one coming in.
    bool MoveOn(const Unit* textEnd)
    {
        if (!Slide(textEnd))
            return false;
        next = QuoteMasksOf(first + kWindowUnits);
        return true;
    }
};

// Where the piece from pos ends: at the stop firstStop units on where stopWithin (a line end,
// which the next piece starts past), else after afterBlank units. SkipLineEnd without its
// branches, which the walks can afford: the two units from the stop lie inside their windows.
// Whether a piece ends at a line end or after a blank changes from piece to piece, and a branch
// on it would often be guessed wrong: the choice is made in arithmetic. The walks move on by
// the step before they hand the piece out: after it, the values it comes from would be held in
// memory across the writer's copy, and the walk would wait for them to come back.
struct PieceCut
{
    int length; // of the piece
    int step;   // to where the next piece starts
};

template <class Unit>
PieceCut CutPiece(const Unit* pos, int firstStop, int afterBlank, bool stopWithin)
{
    const int crLf =
        (pos[firstStop] == static_cast<Unit>(kCR)) & (pos[firstStop + 1] == static_cast<Unit>(kLF));
    const int within = -static_cast<int>(stopWithin); // all ones where stopWithin
    const int length = afterBlank ^ ((afterBlank ^ firstStop) & within);
    return {length, length + ((1 + crLf) & within)};
}

// The pieces from pos while both windows are plain (every unit a column, the first `width`
// fit): most text is walked here, in a loop of its own without the checks of measured windows
// and long pieces. The walk's place is held as an offset in the first window, which a piece
// moves on by adding and no more: the steps from a pointer back to it would lie on the path
// from piece to piece. Ends where two windows or fewer are left (more is false), or at a piece
// that reaches a unit that is not plain, which is then at pos.
template <class Unit> struct PlainWalkEnd
{
    QuoteWindows<Unit> windows;
    const Unit* pos;
    bool more;
};

template <class Unit, class PieceFn, class MasksFn>
__attribute__((always_inline)) inline PlainWalkEnd<Unit> WalkPlainWindows(
    QuoteWindows<Unit> windowsAt, const Unit* pos, const Unit* textEnd, int width, PieceFn& piece,
    MasksFn masksOf)
{
    const Unit* window = windowsAt.first;
    WindowMasksOfQuote here = windowsAt.here, next = windowsAt.next;
    const std::uint64_t fittingBits = BitsBelow(width);
    int offset = static_cast<int>(pos - window);
    bool more = true;
    for (;;)
    {
        if (offset >= kWindowUnits) // as QuoteWindows::MoveOn
        {
            window += kWindowUnits;
            offset -= kWindowUnits;
            if (textEnd - window <= 2 * kWindowUnits)
            {
                more = false;
                break;
            }
            here = next;
            next = masksOf(window + kWindowUnits);
        }
        const Unit* const at = window + offset;
        // Chosen without branches: whether a piece ends at a line end or after a blank changes
        // from piece to piece.
        const int firstStop = FirstStop(here, next, offset);
        const bool stopWithin = firstStop <= width;
        if (stopWithin & !IsLineEndUnit(at[firstStop]))
            break;
        const int afterBlank = AfterLastBlank(here, next, offset, fittingBits, width);
        const PieceCut cut = CutPiece(at, firstStop, afterBlank, stopWithin);
        offset += cut.step;
        piece(at, at + cut.length);
    }
    windowsAt.first = window;
    windowsAt.here = here;
    windowsAt.next = next;
    return {windowsAt, window + offset, more};
}

// WalkPlainWindows with the masks of SSE2 and of AVX-512. Not inlined, where they would share
// the registers of the measured walk; the windows are held in locals, which measured faster
// than in QuoteWindows. They take and give back the walk's state by value: a state whose
// address the caller gave away would be held in memory there, and read back at every piece.
template <class Unit, class PieceFn>
__attribute__((noinline)) PlainWalkEnd<Unit> PlainWindowPieces(QuoteWindows<Unit> windowsAt,
                                                               const Unit* pos, const Unit* textEnd,
                                                               int width, PieceFn piece)
{
    return WalkPlainWindows(windowsAt, pos, textEnd, width, piece, QuoteMasksOf<Unit>);
}

template <class Unit, class PieceFn>
__attribute__((noinline)) TESSEL_QUOTE_AVX512 PlainWalkEnd<Unit> PlainWindowPiecesAvx512(
    QuoteWindows<Unit> windowsAt, const Unit* pos, const Unit* textEnd, int width, PieceFn piece)
{
    return WalkPlainWindows(windowsAt, pos, textEnd, width, piece, QuoteMasksOfAvx512<Unit>);
}

// How a walk over measured windows ended: both windows are plain again, or the rest must be
// walked otherwise (see QuoteWindowPieces), or the cluster rules must measure the line.
enum class MeasuredWalkStop
{
    Plain,
    Elsewhere,
    Rules,
};

struct MeasuredWalkEnd
{
    QuoteWindows<char16_t> windows;
    const char16_t* pos;
    MeasuredWalkStop stop;
};

// The pieces from pos, where the plain walk stopped at a piece that reaches a unit that is not
// plain: a UTF-16 window that holds such units is measured (see MeasureWindow), and the columns
// decide where pieces end. Ends where both windows are plain again, or as QuoteWindowPieces
// says the rest must be walked otherwise, or at a line that the cluster rules must measure.
template <class PieceFn, class FitFn>
__attribute__((always_inline)) inline MeasuredWalkEnd WalkMeasuredWindows(
    QuoteWindows<char16_t> windows, const char16_t* pos, const char16_t* textStart,
    const char16_t* textEnd, int width, PieceFn& piece, FitFn unitsThatFit)
{
    const WindowColumns* const plain = &kPlainWindowColumns;
    // The columns of the two windows and of the one after them, once measured: their slots
    // change places as the windows slide.
    WindowColumns slots[3];
    WindowColumns *hereSlot = &slots[0], *nextSlot = &slots[1], *afterSlot = &slots[2];
    const WindowColumns* hereColumns = plain;
    const WindowColumns* nextColumns = plain;
    // Where windows are measured, the window after the two is measured a window ahead (see
    // below); where it is, after holds what was found.
    bool afterMeasured = false;
    MeasuredWindow after{};
    for (;;)
    {
        int offset = static_cast<int>(pos - windows.first);
        if (offset >= kWindowUnits)
        {
            offset -= kWindowUnits;
            hereColumns = nextColumns;
            std::swap(hereSlot, nextSlot);
            std::swap(nextSlot, afterSlot);
            nextColumns = plain;
            // A window found plain keeps the plain columns: with both plain, the plain walk
            // goes on.
            if (hereColumns == plain)
            {
                const bool more = windows.MoveOn(textEnd);
                return {windows, pos, more ? MeasuredWalkStop::Plain : MeasuredWalkStop::Elsewhere};
            }
            if (!windows.Slide(textEnd))
                return {windows, pos, MeasuredWalkStop::Elsewhere};
            // Text that needed measuring mostly goes on needing it: after a measured window, the
            // one coming in is measured (a window ahead, see below), which finds its masks too,
            // rather than once a piece reaches a unit that is not plain, when that piece would
            // have to be found again.
            const MeasuredWindow incoming =
                afterMeasured ? after
                              : MeasureWindow(windows.first + kWindowUnits, textStart, *nextSlot);
            windows.next = {incoming.stops, incoming.blanks};
            if (!incoming.plain)
                nextColumns = nextSlot;
            // The window after is measured now, a window before the walk needs it: the walk's
            // next pieces wait on nothing it finds, and the processor measures beside them.
            // Measured as the window comes in, the pieces that reach it would wait for it.
            afterMeasured = !incoming.plain && textEnd - windows.first > 3 * kWindowUnits;
            if (afterMeasured)
                after = MeasureWindow(windows.first + 2 * kWindowUnits, textStart, *afterSlot);
        }
        // At least one window holds units that are not plain, or the piece reaches one: the
        // columns decide.
        const int fitting = unitsThatFit(*hereColumns, *nextColumns, offset, width);
        int firstStop, afterBlank;
        if (fitting < kWindowUnits - 1)
        {
            firstStop = FirstStop(windows.here, windows.next, offset);
            afterBlank =
                AfterLastBlank(windows.here, windows.next, offset, BitsBelow(fitting), fitting);
        }
        else
        {
            FindLongPieceEnds(windows.here, windows.next, offset, fitting, firstStop, afterBlank);
            // The piece and its line end must end inside the two windows.
            if (offset + std::min(firstStop, fitting) >= 2 * kWindowUnits - 2)
                return {windows, pos, MeasuredWalkStop::Elsewhere};
            // A stop past the piece is as good one unit past it, where it may be read.
            firstStop = std::min(firstStop, fitting + 1);
        }
        const bool stopWithin = firstStop <= fitting;
        if (stopWithin & !IsLineEndUnit(pos[firstStop]))
        {
            if (hereColumns != plain && nextColumns != plain)
                return {windows, pos, MeasuredWalkStop::Rules};
            if (hereColumns == plain)
            {
                windows.here.stops = MeasureWindow(windows.first, textStart, *hereSlot).stops;
                hereColumns = hereSlot;
            }
            if (nextColumns == plain)
            {
                windows.next.stops =
                    MeasureWindow(windows.first + kWindowUnits, textStart, *nextSlot).stops;
                nextColumns = nextSlot;
            }
            continue;
        }
        const PieceCut cut = CutPiece(pos, firstStop, afterBlank, stopWithin);
        const char16_t* const from = pos;
        pos += cut.step;
        piece(from, from + cut.length);
    }
}

// WalkMeasuredWindows with UnitsThatFit of SSE2 and of AVX-512. Not inlined, as the plain walks
// are not: what the walk holds from piece to piece then stays in registers, where the caller's
// other paths would have it kept in memory.
template <class PieceFn>
__attribute__((noinline)) MeasuredWalkEnd MeasuredWindowPieces(QuoteWindows<char16_t> windows,
                                                               const char16_t* pos,
                                                               const char16_t* textStart,
                                                               const char16_t* textEnd, int width,
                                                               PieceFn piece)
{
    return WalkMeasuredWindows(windows, pos, textStart, textEnd, width, piece, UnitsThatFit);
}

template <class PieceFn>
__attribute__((noinline)) TESSEL_QUOTE_AVX512 MeasuredWalkEnd MeasuredWindowPiecesAvx512(
    QuoteWindows<char16_t> windows, const char16_t* pos, const char16_t* textStart,
    const char16_t* textEnd, int width, PieceFn piece)
{
    return WalkMeasuredWindows(windows, pos, textStart, textEnd, width, piece, UnitsThatFitAvx512);
}

// The pieces from pos, found in bit masks of windows of units: a piece ends at a line end
// within reach, else after the last blank that fits or hard at the width. The masks are made
// once for every window and held for two windows, from which those of the kWindowUnits units
// at each piece are shifted out. Plain units of Latin-1 are one column each; a UTF-16 window
// that holds others is measured (see MeasuredWindowPieces), and a piece that reaches a
// character the cluster rules must measure is left to them. Returns where the rest must be
// walked otherwise: a line that holds such characters within reach, UTF-8 that is not plain
// within reach, a piece that would run past both windows, two windows or fewer left, or a
// width wider than a window.
template <class Unit, class PieceFn>
const Unit* QuoteWindowPieces(const Unit* textStart, const Unit* pos, const Unit* textEnd,
                              int width, PieceFn& piece, bool& needsRules)
{
    if (width >= kWindowUnits - 1 || textEnd - pos <= 2 * kWindowUnits)
        return pos;
    QuoteWindows<Unit> windows(pos);
    for (;;)
    {
        const PlainWalkEnd<Unit> walked =
            kQuoteWithAvx512 ? PlainWindowPiecesAvx512(windows, pos, textEnd, width, piece)
                             : PlainWindowPieces(windows, pos, textEnd, width, piece);
        if (!walked.more)
            return walked.pos;
        if constexpr (sizeof(Unit) == 1)
            return walked.pos; // UTF-8 that is not plain
        else
        {
            const MeasuredWalkEnd measured =
                kQuoteWithAvx512 ? MeasuredWindowPiecesAvx512(walked.windows, walked.pos, textStart,
                                                              textEnd, width, piece)
                                 : MeasuredWindowPieces(walked.windows, walked.pos, textStart,
                                                        textEnd, width, piece);
            windows = measured.windows;
            pos = measured.pos;
            if (measured.stop != MeasuredWalkStop::Plain)
            {
                needsRules = measured.stop == MeasuredWalkStop::Rules;
                return pos;
            }
        }
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
#if defined(TESSEL_ENGINE_BLOCKS)
    constexpr int kLinesForTheRules = 8;
    int linesForTheRules = 0;
#endif
    for (;;)
    {
#if defined(TESSEL_ENGINE_BLOCKS)
        // Text that needs the cluster rules (Indic scripts, say) is seldom worth measuring
        // for a while after a line that did.
        if (linesForTheRules == 0)
        {
            bool needsRules = false;
            pos = QuoteWindowPieces(text, pos, textEnd, width, piece, needsRules);
            linesForTheRules = needsRules ? kLinesForTheRules : 0;
        }
        else
            --linesForTheRules;
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
