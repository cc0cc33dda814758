#pragma once
// The filter's command line:
//   tessel quote   [-s|--sign SIGN] [-w|--width N]  [--crlf|--lf|--exact] [FILE]
//   tessel unquote [-s|--sign SIGN] [-n|--levels N] [--crlf|--lf|--exact] [FILE]
//   tessel --help | --version

#include "engine/quote_limits.h"

#include <string>

namespace tessel
{

enum class Action
{
    Quote,
    Unquote,
    Help,
    Version,
};

// How the result is written.
enum class Output
{
    Text,     // as a text file: every line end ends a line, line ends like the input's first
    TextCrLf, // the same with CR LF line ends
    TextLf,   // the same with LF line ends
    Exact,    // the engine's result byte for byte, as the add-in writes it into a message
};

struct Command
{
    Action action = Action::Help;
    std::string sign = "> "; // UTF-8, as given
    int width = kDefaultWrapWidth;
    int levels = kDefaultUnquoteLevels;
    Output output = Output::Text;
    std::string file; // empty or "-": standard input
};

// Parses the arguments after the program name. On a usage error returns false and sets error
// to a one-line reason.
bool ParseCommandLine(int argc, const char* const* argv, Command& command, std::string& error);

// The --help text.
std::string UsageText();

} // namespace tessel
