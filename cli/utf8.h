#pragma once
// UTF-8 <-> UTF-16 for the filter. Decoding is strict: overlong forms, surrogate code points,
// code points above U+10FFFF and truncated sequences are errors.

#include <cstddef>
#include <string>
#include <string_view>

namespace tessel
{

// Appends the decoded text. On invalid input returns false and sets errorOffset to the offset
// of the first byte of the offending sequence; `text` then holds what came before it.
bool DecodeUtf8(std::string_view bytes, std::u16string& text, std::size_t& errorOffset);

// Appends the UTF-8 form of text. A lone surrogate, which decoded input never holds, is written
// as U+FFFD.
void AppendUtf8(std::u16string_view text, std::string& out);

} // namespace tessel
