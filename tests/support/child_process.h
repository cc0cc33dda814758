#pragma once
// Runs a program as a child process, as a user would from a command prompt, and keeps its exit
// code and what it wrote to standard output and standard error.

#include <string>
#include <vector>

namespace tessel::test
{

struct ProgramRun
{
    long exitCode = -1; // -1: it could not be started, or did not end in time (err says which)
    std::string out;    // the bytes written to standard output
    std::string err;
};

// The program's output goes through files in scratchFolder (ANSI, ending in a backslash).
ProgramRun RunProgram(const std::wstring& program, const std::vector<std::wstring>& arguments,
                      const std::string& scratchFolder);

// A path that the build gave as a Unix path, as Wine sees it (drive Z: is the Unix root).
std::wstring WindowsPath(const char* path);

} // namespace tessel::test
