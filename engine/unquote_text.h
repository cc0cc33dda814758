#pragma once

#include "engine/text_block.h"

#include <string_view>

namespace tessel
{

// Removes removeSign from the start of the text and of every line that follows a CR LF, up to
// unquoteLevels times per line. A level count of zero or less, or an empty sign, returns the
// text unchanged.
TextBlock UnquoteText(std::u16string_view text, std::u16string_view removeSign, int unquoteLevels);

} // namespace tessel
