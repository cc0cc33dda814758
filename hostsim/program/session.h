#pragma once
// One run of the simulated client with the add-in, from start-up to shut-down: main window,
// creation and connection, one message window, a click on the quote item, the user's answers,
// closing, releasing, and the checks that nothing is left.

#include "hostsim/program/program_options.h"

#include <string>
#include <vector>

namespace tessel::hostsim
{

enum ExitCode
{
    kExitDone = 0,
    kExitFileError = 1, // the message file, --out or --capture
    kExitUsage = 2,
    kExitNotStarted = 3, // no main window, or the add-in not created or not connected
    kExitLeftAlive = 4,  // hostsim objects alive after release, or the DLL not unloadable
};

struct SessionReport
{
    ExitCode exitCode = kExitDone;
    std::wstring error;              // why the session could not start
    std::vector<std::wstring> lines; // the transcript
    std::wstring editorText;         // after the command
    std::string dialogPicture;       // BMP file bytes; empty when none was taken
};

// Runs on the calling thread, which must not have initialised COM yet.
SessionReport RunSession(const ProgramOptions& options, const std::wstring& messageText);

} // namespace tessel::hostsim
