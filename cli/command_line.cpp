#include "cli/command_line.h"

#include "cli/whole_number.h"

#include <cstdio>
#include <utility>

namespace tessel
{
namespace
{

// The help text, with the numbers that come from the dialog's defaults and limits left out.
constexpr char kUsageFormat[] =
    "Usage: tessel quote   [-s|--sign SIGN] [-w|--width N]  [--crlf|--lf|--exact] [FILE]\n"
    "       tessel unquote [-s|--sign SIGN] [-n|--levels N] [--crlf|--lf|--exact] [FILE]\n"
    "       tessel --help | --version\n"
    "\n"
    "Quotes or unquotes e-mail text. Reads UTF-8 from FILE, or from standard input when FILE\n"
    "is missing or \"-\", and writes UTF-8 to standard output.\n"
    "\n"
    "  quote              put SIGN before every line; lines wider than N columns are wrapped\n"
    "                     after the last blank that fits, or cut where none does\n"
    "  unquote            remove SIGN from the start of every line, up to N times per line\n"
    "  -s, --sign SIGN    the quotation sign, default \"> \" (a trailing blank is part of it)\n"
    "  -w, --width N      wrap width in display columns, default %d; below %d counts as %d;\n"
    "                     East Asian wide characters, emoji and flags take two columns, a\n"
    "                     letter with its accents one, and no character is ever cut apart\n"
    "  -n, --levels N     levels to remove, default %d; 0 or less changes nothing\n"
    "  --crlf, --lf       write CR LF or LF line ends (by default those of the input's first\n"
    "                     line end: CR LF when it is CR LF, else LF)\n"
    "  --exact            write exactly what the mail add-in puts into a message: CR LF line\n"
    "                     ends, a quotation sign after the last one, and for unquote only\n"
    "                     CR LF starts a line\n"
    "  -h, --help         show this help\n"
    "  --version          show the version\n"
    "\n"
    "Without --exact the result is a text file: CR LF, LF and a lone CR all end a line, and it\n"
    "ends with a line end exactly when the input does; empty input gives empty output. A\n"
    "byte-order mark at the start of the input is kept at the start of the output.\n"
    "\n"
    "Exit status: 0 done, 1 unreadable input, invalid UTF-8, out of memory or a write error,\n"
    "2 usage error.\n";

} // namespace

std::string UsageText()
{
    const auto format = [](char* buffer, std::size_t size) {
        return std::snprintf(buffer, size, kUsageFormat, kDefaultWrapWidth, kWrapWidthRange.first,
                             kWrapWidthRange.first, kDefaultUnquoteLevels);
    };
    std::string text(static_cast<std::size_t>(format(nullptr, 0)), '\0');
    format(text.data(), text.size() + 1);
    return text;
}

namespace
{

const std::pair<const char*, Output> kOutputOptions[] = {
    {"--crlf", Output::TextCrLf},
    {"--lf", Output::TextLf},
    {"--exact", Output::Exact},
};

// Walks the arguments of one action; options may come before and after FILE.
class ArgumentReader
{
  public:
    ArgumentReader(int argc, const char* const* argv, Command& command, std::string& error)
        : m_argc(argc), m_argv(argv), m_command(command), m_error(error)
    {
    }

    bool ReadAll()
    {
        bool optionsEnded = false;
        bool haveFile = false;
        for (m_index = 1; m_index < m_argc; ++m_index)
        {
            const std::string argument = m_argv[m_index];
            if (!optionsEnded && argument == "--")
            {
                optionsEnded = true;
                continue;
            }
            if (optionsEnded || argument == "-" || argument.empty() || argument[0] != '-')
            {
                if (haveFile)
                    return Fail("more than one FILE: '" + argument + "'");
                m_command.file = argument;
                haveFile = true;
                continue;
            }
            if (!ReadOption(argument))
                return false;
        }
        return true;
    }

  private:
    bool ReadOption(const std::string& argument)
    {
        if (argument == "-h" || argument == "--help")
        {
            m_command.action = Action::Help;
            return true;
        }
        for (const auto& [name, output] : kOutputOptions)
        {
            if (argument == name)
                return ChooseOutput(argument, output);
        }
        std::string value;
        if (Matches(argument, "-s", "--sign", value))
            return m_command.sign = value, true;
        const bool quoting = m_command.action == Action::Quote;
        if (quoting && Matches(argument, "-w", "--width", value))
            return ReadNumber(argument, value, m_command.width);
        if (!quoting && Matches(argument, "-n", "--levels", value))
            return ReadNumber(argument, value, m_command.levels);
        if (!m_error.empty())
            return false;
        return Fail("unknown option '" + argument + "'");
    }

    // Accepts "-x VALUE", "-xVALUE", "--long VALUE" and "--long=VALUE".
    bool Matches(const std::string& argument, const char* shortName, const char* longName,
                 std::string& value)
    {
        const std::string shortOption = shortName;
        const std::string longOption = longName;
        if (argument == shortOption || argument == longOption)
        {
            if (m_index + 1 >= m_argc)
                return Fail("option '" + argument + "' needs a value");
            value = m_argv[++m_index];
            return true;
        }
        if (argument.compare(0, longOption.size() + 1, longOption + "=") == 0)
        {
            value = argument.substr(longOption.size() + 1);
            return true;
        }
        if (argument.size() > 2 && argument.compare(0, 2, shortOption) == 0)
        {
            value = argument.substr(2);
            return true;
        }
        return false;
    }

    // --crlf, --lf and --exact exclude each other; repeating one is harmless.
    bool ChooseOutput(const std::string& argument, Output output)
    {
        if (m_outputOption.empty() || m_command.output == output)
        {
            m_command.output = output;
            m_outputOption = argument;
            return true;
        }
        return Fail("'" + m_outputOption + "' and '" + argument + "' cannot go together");
    }

    bool ReadNumber(const std::string& option, const std::string& value, int& number)
    {
        if (!ParseWholeNumber(value, number))
            return Fail("option '" + option + "' needs a whole number that fits an int, not '" +
                        value + "'");
        return true;
    }

    bool Fail(std::string reason)
    {
        m_error = std::move(reason);
        return false;
    }

    int m_argc;
    const char* const* m_argv;
    Command& m_command;
    std::string& m_error;
    int m_index = 0;
    std::string m_outputOption; // the output option given so far
};

} // namespace

bool ParseCommandLine(int argc, const char* const* argv, Command& command, std::string& error)
{
    command = Command{};
    error.clear();
    if (argc < 1)
    {
        error = "missing action: quote or unquote";
        return false;
    }
    const std::string action = argv[0];
    if (action == "-h" || action == "--help")
        return command.action = Action::Help, true;
    if (action == "--version")
        return command.action = Action::Version, true;
    if (action == "quote")
        command.action = Action::Quote;
    else if (action == "unquote")
        command.action = Action::Unquote;
    else
    {
        error = "unknown action '" + action + "': use quote or unquote";
        return false;
    }
    return ArgumentReader(argc, argv, command, error).ReadAll();
}

} // namespace tessel
