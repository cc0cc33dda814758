#pragma once
// The unquoting walk over a text of UTF-16 or UTF-8 code units: line by line, with up to
// `levels` signs taken from the start of each.

#include "engine/line_scan.h"
#include "engine/text_units.h"

#include <cstdint>
#include <string_view>

namespace tessel
{

enum class LineStarts
{
    AfterCrLf,       // the add-in's rule: a lone CR or LF is text inside a line
    AfterAnyLineEnd, // CR LF, LF or a lone CR
};

// Calls line(from, contentEnd, next) for every line in order: [from, contentEnd) is what is
// left of the line once up to `levels` signs are taken from its start, [contentEnd, next) its
// line end (empty for a last line without one). A line end at the very end starts no further
// line. The sign must hold no CR or LF (it could make or break line starts as it goes); an
// empty sign or levels of zero or less take nothing.
template <class Unit, class LineFn>
void ForEachUnquotedLine(const Unit* text, const Unit* end, std::basic_string_view<Unit> sign,
                         int levels, LineStarts starts, LineFn&& line)
{
    if (sign.empty())
        levels = 0;
    const SignMatcher<Unit> signAt(sign);
    const auto skipSigns = [&](const Unit* pos) {
        for (int removed = 0; removed < levels && signAt.At(pos, end); ++removed)
            pos += sign.size();
        return pos;
    };
    const Unit* pos = skipSigns(text);
#if defined(TESSEL_ENGINE_BLOCKS)
    // The line ends of a window at a time, found before the lines in it are handed out, so that
    // the scan runs ahead of the work on each line and does not stop (mispredicted) at each. The
    // signs taken hold no line end, so every line end of the window from the one at hand on lies
    // past them.
    std::uint64_t crBefore = 0; // whether the unit before the window is a CR
    for (const Unit* window = text; end - window > kWindowUnits; window += kWindowUnits)
    {
        const std::uint64_t cr = WindowMaskOf(window, kCR);
        std::uint64_t lineEnds = cr;
        if (starts == LineStarts::AfterAnyLineEnd)
            lineEnds |= WindowMaskOf(window, kLF) & ~(cr << 1 | crBefore);
        crBefore = cr >> 63;
        for (; lineEnds != 0; lineEnds &= lineEnds - 1)
        {
            const Unit* const lineEnd = window + __builtin_ctzll(lineEnds);
            if (starts == LineStarts::AfterCrLf && lineEnd[1] != static_cast<Unit>(kLF))
                continue; // a lone CR, text inside the line
            const Unit* const next = SkipLineEnd(lineEnd, end);
            line(pos, lineEnd, next);
            if (next == end)
                return;
            pos = skipSigns(next);
        }
    }
#endif
    for (;;)
    {
        const Unit* const lineEnd =
            starts == LineStarts::AfterCrLf ? FindCrLf(pos, end) : FindLineEndUnit(pos, end);
        const Unit* const next = SkipLineEnd(lineEnd, end);
        line(pos, lineEnd, next);
        if (next == end)
            return;
        pos = skipSigns(next);
    }
}

} // namespace tessel
