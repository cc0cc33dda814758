// tessel: quotes and unquotes e-mail text with the add-in's own engine.

#include "cli/command_line.h"
#include "cli/filter.h"
#include "cli/io.h"
#include "cli/utf8.h"
#include "tessel_version.h"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <new>
#include <string>

namespace
{

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// A mapped input file that another program shrinks under us: the pages gone raise SIGBUS.
extern "C" void InputVanished(int)
{
    static const char kMessage[] = "tessel: the input file was cut short while it was read\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    _exit(kExitFailure);
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "tessel: %s\n", message.c_str());
    return kExitFailure;
}

int UsageError(const std::string& message)
{
    std::fprintf(stderr, "tessel: %s\n\n%s", message.c_str(), tessel::UsageText().c_str());
    return kExitUsage;
}

int Run(int argc, char** argv)
{
    tessel::Command command;
    std::string error;
    if (!tessel::ParseCommandLine(argc - 1, argv + 1, command, error))
        return UsageError(error);
    if (command.action == tessel::Action::Help)
    {
        std::fputs(tessel::UsageText().c_str(), stdout);
        tessel::FinishOutput(stdout);
        return 0;
    }
    if (command.action == tessel::Action::Version)
    {
        std::puts("tessel " TESSEL_VERSION_TEXT);
        tessel::FinishOutput(stdout);
        return 0;
    }

    const std::size_t badSign = tessel::FindInvalidUtf8(command.sign);
    if (badSign != tessel::kValidUtf8)
        return Fail("the sign is not valid UTF-8 (byte offset " + std::to_string(badSign) + ")");
    if (command.sign.find_first_of("\r\n") != std::string::npos)
        return UsageError("the sign cannot hold a line end");

    // All of the input is read and checked before anything is written: bad input leaves
    // standard output empty.
    tessel::InputBytes input;
    if (!tessel::ReadAllInput(command.file, input, error))
        return Fail(error);
    const std::size_t badByte = tessel::FindInvalidUtf8(input.View());
    if (badByte != tessel::kValidUtf8)
    {
        const std::string name =
            command.file.empty() || command.file == "-" ? "standard input" : command.file;
        return Fail(name + ": invalid UTF-8 at byte offset " + std::to_string(badByte));
    }

    tessel::StreamSink out(stdout);
    tessel::RunFilter(command, input.View(), out);
    tessel::FinishOutput(stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // A closed pipe must end in a write error and exit status 1, not in SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGBUS, InputVanished);
    try
    {
        return Run(argc, argv);
    }
    catch (const tessel::OutputError& failure)
    {
        return Fail(failure.what());
    }
    catch (const std::bad_alloc&)
    {
        return Fail("out of memory");
    }
}
