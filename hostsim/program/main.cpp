// hostsim: the simulated mail client as a program. Loads the add-in, runs one quote command in
// one message window and prints what happened; see hostsim/README.md.

#include "hostsim/program/console.h"
#include "hostsim/program/program_options.h"
#include "hostsim/program/session.h"
#include "hostsim/program/text_files.h"
#include "win/ansi.h"

#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

namespace
{

using namespace tessel::hostsim;

std::vector<std::wstring> ProgramArguments()
{
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> list;
    if (arguments == nullptr)
        return list;
    for (int i = 1; i < count; ++i)
        list.emplace_back(arguments[i]);
    LocalFree(arguments);
    return list;
}

int Fail(ExitCode code, const std::wstring& message)
{
    PrintError(L"hostsim: " + message + L"\n");
    return code;
}

// Writes what the session produced; the first failure decides.
ExitCode WriteOutputs(const ProgramOptions& options, const SessionReport& report)
{
    ExitCode result = kExitDone;
    std::wstring error;
    if (!options.outFile.empty() &&
        !WriteFileBytes(options.outFile, ToUtf8(report.editorText), error))
    {
        Fail(kExitFileError, error);
        result = kExitFileError;
    }
    if (!options.captureFile.empty())
    {
        if (report.dialogPicture.empty())
            error = L"no picture of the Quote/Unquote dialog for " + options.captureFile;
        if (report.dialogPicture.empty() ||
            !WriteFileBytes(options.captureFile, report.dialogPicture, error))
        {
            Fail(kExitFileError, error);
            result = kExitFileError;
        }
    }
    return result;
}

int Run()
{
    ProgramOptions options;
    std::wstring error;
    if (!ParseProgramOptions(ProgramArguments(), options, error))
        return Fail(kExitUsage, error + L"\nTry 'hostsim --help'.");
    if (options.help)
    {
        PrintOut(kProgramUsage);
        return kExitDone;
    }

    std::wstring message;
    if (!ReadUtf8File(options.messageFile, message, error))
        return Fail(kExitFileError, error);

    const SessionReport report = RunSession(options, message);
    std::wstring transcript;
    for (const std::wstring& line : report.lines)
        transcript += line + L"\n";
    PrintOut(transcript);
    if (report.exitCode == kExitNotStarted)
        return Fail(kExitNotStarted, report.error);

    const ExitCode written = WriteOutputs(options, report);
    return written != kExitDone ? written : report.exitCode;
}

} // namespace

int main()
{
    try
    {
        return Run();
    }
    catch (const std::exception& e)
    {
        return Fail(kExitNotStarted, tessel::AnsiToWide(e.what()));
    }
}
