#pragma once
// One run of the simulated client with the add-in, from start-up to shut-down: main window,
// creation and connection, the message windows, a click on the quote item, the user's answers,
// closing, disconnecting, releasing, and the checks that nothing is left. The transcript goes to
// standard output as it happens.

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
    kExitNotStarted = 3,  // no main window, or the add-in not created or not connected
    kExitLeftAlive = 4,   // the client stayed running, hostsim objects alive after release, or
                          // the DLL not unloadable
    kExitAddinFailed = 5, // an exception or a crash inside the add-in
    kExitCrashed = 6,     // an exception or a crash inside hostsim itself
};

struct SessionReport
{
    ExitCode exitCode = kExitDone;
    std::wstring error;        // why the session could not start
    std::wstring editorText;   // after the command
    std::string dialogPicture; // BMP file bytes; empty when none was taken
};

// Runs on the calling thread, which must not have initialised COM yet. An exception or a crash
// that comes out of the add-in is not caught here: the program's last-chance handler reports it.
SessionReport RunSession(const ProgramOptions& options, const std::wstring& messageText);

} // namespace tessel::hostsim
