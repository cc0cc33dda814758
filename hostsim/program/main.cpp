// hostsim: the simulated mail client as a program. Loads the add-in, runs one quote command in
// one message window and prints what happened; see hostsim/README.md.

#include "hostsim/program/console.h"
#include "hostsim/program/program_options.h"
#include "hostsim/program/session.h"
#include "hostsim/program/text_files.h"
#include "win/this_module.h"

#include <windows.h>
#include <shellapi.h>

#include <csignal>
#include <cwchar>
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

// The file name of the module that holds the address, or "" when none does.
std::wstring ModuleNameAt(const void* address)
{
    HMODULE module = nullptr;
    wchar_t path[MAX_PATH] = {};
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &module) ||
        GetModuleFileNameW(module, path, MAX_PATH) == 0)
        return {};
    const std::wstring full = path;
    return full.substr(full.find_last_of(L"\\/") + 1);
}

// A crash (an access violation, say) that nothing handled. The transcript so far is out
// already; this says what happened and where, and ends the process at once, touching nothing of
// the add-in.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    const std::wstring module = ModuleNameAt(record.ExceptionAddress);
    const bool ours = module == ModuleNameAt(tessel::ThisModule());
    wchar_t code[16];
    std::swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(record.ExceptionCode));
    PrintError(std::wstring(ours ? L"hostsim: crashed" : L"hostsim: the add-in failed") +
               L": exception " + code + L" in " + (module.empty() ? L"unknown code" : module) +
               L"\n");
    TerminateProcess(GetCurrentProcess(), ours ? kExitCrashed : kExitAddinFailed);
    return EXCEPTION_EXECUTE_HANDLER;
}

// Every module has a C++ runtime of its own, and an exception cannot be caught safely in
// another module than the one that threw it; hostsim does not try. A C++ exception that leaves
// the add-in finds no handler there, so the add-in's runtime ends the process (terminate, then
// abort in the C library that both share), and this reports it. hostsim's own uncaught
// exceptions end in its own terminate handler before that.
void ReportAbort(int)
{
    PrintError(L"hostsim: the add-in failed: it aborted the process (a C++ exception that "
               L"nobody caught, or another fatal error)\n");
    TerminateProcess(GetCurrentProcess(), kExitAddinFailed);
}

void ReportOwnTermination()
{
    PrintError(L"hostsim: crashed: an exception that nobody caught\n");
    TerminateProcess(GetCurrentProcess(), kExitCrashed);
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
    if (report.exitCode == kExitNotStarted)
        return Fail(kExitNotStarted, report.error);

    const ExitCode written = WriteOutputs(options, report);
    return written != kExitDone ? written : report.exitCode;
}

} // namespace

int main()
{
    SetUnhandledExceptionFilter(ReportCrash);
    std::signal(SIGABRT, ReportAbort);
    std::set_terminate(ReportOwnTermination);
    return Run();
}
