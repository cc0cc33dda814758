#pragma once
// UTF-8 checks and conversions. Decoding is strict: overlong forms, surrogate code points,
// code points above U+10FFFF and truncated sequences are errors.

#include <cstddef>
#include <string>
#include <string_view>

namespace tessel
{

constexpr std::size_t kValidUtf8 = std::string_view::npos;

// The offset of the first byte of the first invalid sequence, or kValidUtf8.
std::size_t FindInvalidUtf8(std::string_view bytes);

// Appends the decoded text. On invalid input returns false and sets errorOffset to the offset
// of the first byte of the offending sequence; `text` then holds what came before it.
bool DecodeUtf8(std::string_view bytes, std::u16string& text, std::size_t& errorOffset);

// Appends the UTF-8 form of text. A lone surrogate, which decoded input never holds, is written
// as U+FFFD.
void AppendUtf8(std::u16string_view text, std::string& out);

} // namespace tessel
