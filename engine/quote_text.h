#pragma once

#include "engine/quote_pieces.h"
#include "engine/text_block.h"

#include <string_view>

namespace tessel
{

// Quotes a block of text: every line is cut into pieces of at most wrapWidth display columns,
// breaking after the last blank that fits (or hard inside a word that does not, never inside a
// grapheme cluster), and each piece becomes a line of its own behind addSign. Line ends on
// input are CR LF, LF or a lone CR; on output CR LF. The result ends with CR LF followed by one
// more sign.
TextBlock QuoteText(std::u16string_view text, std::u16string_view addSign, int wrapWidth);

} // namespace tessel
