#pragma once
// The filter's command line:
//   tessel quote   [-s|--sign SIGN] [-w|--width N]  [--lf] [FILE]
//   tessel unquote [-s|--sign SIGN] [-n|--levels N] [--lf] [FILE]
//   tessel --help | --version

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

struct Command
{
    Action action = Action::Help;
    std::string sign = "> "; // UTF-8, as given
    int width = 60;
    int levels = 1;
    bool lfLineEnds = false;
    std::string file; // empty or "-": standard input
};

// Parses the arguments after the program name. On a usage error returns false and sets error
// to a one-line reason.
bool ParseCommandLine(int argc, const char* const* argv, Command& command, std::string& error);

extern const char* const kUsage;

} // namespace tessel
