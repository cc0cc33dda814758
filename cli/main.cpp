// tessel: quotes and unquotes e-mail text with the add-in's own engine.

#include "cli/command_line.h"
#include "cli/io.h"
#include "cli/utf8.h"
#include "engine/quote_text.h"
#include "engine/unquote_text.h"
#include "tessel_version.h"

#include <csignal>
#include <cstdio>
#include <string>

namespace
{

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

int Fail(const std::string& message)
{
    std::fprintf(stderr, "tessel: %s\n", message.c_str());
    return kExitFailure;
}

// With --lf a lone LF ends a line for unquoting too: it becomes CR LF before the engine runs.
std::u16string LfToCrLf(std::u16string_view text)
{
    std::u16string converted;
    converted.reserve(text.size() + text.size() / 16);
    for (std::size_t pos = 0; pos < text.size(); ++pos)
    {
        if (text[pos] == u'\n' && (pos == 0 || text[pos - 1] != u'\r'))
            converted.push_back(u'\r');
        converted.push_back(text[pos]);
    }
    return converted;
}

std::u16string Transform(const tessel::Command& command, std::u16string& text,
                         std::u16string_view sign)
{
    if (command.action == tessel::Action::Quote)
        return tessel::QuoteText(text, sign, command.width);
    if (command.lfLineEnds)
        text = LfToCrLf(text);
    return tessel::UnquoteText(text, sign, command.levels);
}

} // namespace

int main(int argc, char** argv)
{
    // A closed pipe must end in a write error and exit status 1, not in SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);

    tessel::Command command;
    std::string error;
    if (!tessel::ParseCommandLine(argc - 1, argv + 1, command, error))
    {
        std::fprintf(stderr, "tessel: %s\n\n%s", error.c_str(), tessel::kUsage);
        return kExitUsage;
    }
    if (command.action == tessel::Action::Help)
    {
        std::fputs(tessel::kUsage, stdout);
        return std::fflush(stdout) == 0 ? 0 : kExitFailure;
    }
    if (command.action == tessel::Action::Version)
    {
        std::puts("tessel " TESSEL_VERSION_TEXT);
        return std::fflush(stdout) == 0 ? 0 : kExitFailure;
    }

    std::u16string sign;
    std::size_t offset = 0;
    if (!tessel::DecodeUtf8(command.sign, sign, offset))
        return Fail("the sign is not valid UTF-8 (byte offset " + std::to_string(offset) + ")");
    if (sign.find_first_of(u"\r\n") != std::u16string::npos)
    {
        std::fprintf(stderr, "tessel: the sign cannot hold a line end\n\n%s", tessel::kUsage);
        return kExitUsage;
    }

    std::u16string text;
    {
        std::string bytes;
        if (!tessel::ReadAllInput(command.file, bytes, error))
            return Fail(error);
        if (!tessel::DecodeUtf8(bytes, text, offset))
        {
            const std::string name =
                command.file.empty() || command.file == "-" ? "standard input" : command.file;
            return Fail(name + ": invalid UTF-8 at byte offset " + std::to_string(offset));
        }
    }

    const std::u16string result = Transform(command, text, sign);
    std::u16string().swap(text);
    if (!tessel::WriteUtf8(stdout, result, command.lfLineEnds, error))
        return Fail(error);
    return 0;
}
