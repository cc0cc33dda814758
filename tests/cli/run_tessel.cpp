#include "tests/cli/run_tessel.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace tessel::test
{
namespace
{

std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int ExitCode(int status)
{
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

} // namespace

std::string TempPath(const std::string& name)
{
    const char* base = std::getenv("TMPDIR");
    return std::string(base ? base : "/tmp") + "/tessel-cli-test-" + std::to_string(getpid()) +
           "-" + name;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs a command line with standard output and error going to files.
RunResult RunCollecting(const std::string& commandLine)
{
    const std::string out = TempPath("out"), err = TempPath("err");
    RunResult result;
    result.exitCode = ExitCode(std::system((commandLine + " >" + out + " 2>" + err).c_str()));
    result.out = ReadFile(out);
    result.err = ReadFile(err);
    for (const std::string& path : {out, err})
        std::remove(path.c_str());
    return result;
}

RunResult RunTessel(const std::vector<std::string>& arguments, const std::string& input)
{
    const std::string in = TempPath("in");
    WriteFile(in, input);
    std::string commandLine = ShellQuote(TESSEL_PATH);
    for (const std::string& argument : arguments)
        commandLine += " " + ShellQuote(argument);
    RunResult result = RunCollecting(commandLine + " <" + in);
    std::remove(in.c_str());
    return result;
}

RunResult RunShell(const std::string& commandLine)
{
    return RunCollecting("TESSEL=" + ShellQuote(TESSEL_PATH) + " bash -c " +
                         ShellQuote(commandLine));
}

} // namespace tessel::test
