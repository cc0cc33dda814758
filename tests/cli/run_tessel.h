#pragma once
// Runs the built tessel program as a process, with given standard input, and collects what it
// wrote and its exit status.

#include <string>
#include <vector>

namespace tessel::test
{

struct RunResult
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

RunResult RunTessel(const std::vector<std::string>& arguments, const std::string& input = "");

// Runs a shell command line (bash) in which $TESSEL names the program; for pipes and devices.
// Collects what the command line writes to standard output and error, unless it redirects them.
RunResult RunShell(const std::string& commandLine);

std::string TempPath(const std::string& name);
void WriteFile(const std::string& path, const std::string& bytes);

} // namespace tessel::test
