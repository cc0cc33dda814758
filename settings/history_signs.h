#pragma once

#include <functional>
#include <string_view>

namespace tessel
{

// A sign longer than this loads as several entries, one per piece, as a line reader with a
// 1024-byte buffer gives them.
constexpr std::size_t kHistoryPieceSize = 1023;

// Calls addSign for every sign in the bytes of a history file, in file order. A line ends with
// CR LF, a lone LF or a lone CR; the line end is removed and nothing else, so a sign keeps its
// trailing blanks. A NUL byte ends the line's sign: the rest of the line is ignored, as a reader
// of C strings would, so the sign is the one the dialog shows. A line longer than
// kHistoryPieceSize is cut into pieces of that size; the line end is never part of a piece, so
// CR LF cannot be split between two. Empty pieces and pieces of blanks, tabs, vertical tabs and
// form feeds only are skipped.
void ForEachHistorySign(std::string_view bytes,
                        const std::function<void(std::string_view)>& addSign);

// True when a line holding this sign loads back as this very sign: not empty, not white space
// only, no line end or NUL in it, and not longer than a piece. A sign that fails this would be
// skipped or cut on loading, and so never found among the loaded signs.
bool LoadsBackWhole(std::string_view sign);

} // namespace tessel
