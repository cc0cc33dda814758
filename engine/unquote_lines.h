#pragma once
// The unquoting walk over a text of UTF-16 or UTF-8 code units: line by line, with up to
// `levels` signs taken from the start of each.

#include "engine/line_scan.h"
#include "engine/text_units.h"

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
    const Unit* pos = text;
    do
    {
        for (int removed = 0;
             removed < levels && static_cast<std::size_t>(end - pos) >= sign.size() &&
             std::basic_string_view<Unit>(pos, sign.size()) == sign;
             ++removed)
            pos += sign.size();
        const Unit* lineEnd = FindLineEndUnit(pos, end);
        if (starts == LineStarts::AfterCrLf)
        {
            while (lineEnd != end && !(*lineEnd == static_cast<Unit>(kCR) && lineEnd + 1 != end &&
                                       lineEnd[1] == static_cast<Unit>(kLF)))
                lineEnd = FindLineEndUnit(lineEnd + 1, end);
        }
        const Unit* const next = SkipLineEnd(lineEnd, end);
        line(pos, lineEnd, next);
        pos = next;
    } while (pos != end);
}

} // namespace tessel
