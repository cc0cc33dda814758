#pragma once
// The filter's work on UTF-8 text: the engine's quoting and unquoting, written out as a text
// file or exactly as the add-in writes it, as the command says.

#include "cli/command_line.h"

#include <cstddef>
#include <string_view>

namespace tessel
{

// Where the output goes, a buffer at a time.
class ByteSink
{
  public:
    virtual void Write(const char* bytes, std::size_t count) = 0;

  protected:
    ~ByteSink() = default;
};

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Writes the result of command (Quote or Unquote) on input to out. input must be valid UTF-8
// and command.sign valid UTF-8 without CR or LF. A byte-order mark at the start of the input is
// written first and takes no part in the work.
void RunFilter(const Command& command, std::string_view input, ByteSink& out);

} // namespace tessel
