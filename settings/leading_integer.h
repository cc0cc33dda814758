#pragma once

#include <string_view>

namespace tessel
{

// The number at the start of a text: white space skipped, an optional + or -, then decimal
// digits up to the first other character. No digits give 0. A number beyond the range of int
// saturates at INT_MAX or INT_MIN, so an absurd stored width stays absurd instead of wrapping
// round into a plausible one.
int ParseLeadingInteger(std::string_view text);

} // namespace tessel
