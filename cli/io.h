#pragma once
// Whole-input reading and chunked output for the filter, with errors as messages.

#include <cstdio>
#include <string>
#include <string_view>

namespace tessel
{

// Reads all of a file ("" or "-": standard input). On failure returns false with a message
// that names the file.
bool ReadAllInput(const std::string& file, std::string& bytes, std::string& error);

// Writes text as UTF-8 in chunks; with lfLineEnds every CR LF is written as LF. Returns false
// with a message when the stream fails (a closed pipe, a full disk).
bool WriteUtf8(std::FILE* stream, std::u16string_view text, bool lfLineEnds, std::string& error);

} // namespace tessel
