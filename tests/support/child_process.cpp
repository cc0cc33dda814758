#include "tests/support/child_process.h"

#include "tests/support/temp_folder.h"
#include "win/ansi.h"
#include "win/unique_handle.h"

#include <windows.h>

namespace tessel::test
{
namespace
{

constexpr DWORD kPatienceMilliseconds = 60000;

// One argument as CommandLineToArgvW reads it back: quoted, with backslashes doubled only
// where they precede a quote.
std::wstring QuoteArgument(const std::wstring& argument)
{
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : argument)
    {
        if (c == L'\\')
        {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

unique_hfile InheritableFile(const std::string& path)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return unique_hfile(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Wine fails CreateProcess with ERROR_INTERNAL_ERROR when the new process ends in Wine's own
// start-up, before the program runs and without an exit code; seen now and then in these tests.
// Windows is not known to fail so for a program that can start, so the start is tried again.
bool StartProcess(std::wstring& commandLine, STARTUPINFOW& startup, PROCESS_INFORMATION& process)
{
    constexpr int kTries = 3;
    for (int tries = 1;; ++tries)
    {
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                           &startup, &process))
            return true;
        if (GetLastError() != ERROR_INTERNAL_ERROR || tries == kTries)
            return false;
    }
}

} // namespace

ProgramRun RunProgram(const std::wstring& program, const std::vector<std::wstring>& arguments,
                      const std::string& scratchFolder)
{
    std::wstring commandLine = QuoteArgument(program);
    for (const std::wstring& argument : arguments)
        commandLine += L" " + QuoteArgument(argument);

    // Files of their own for every run: a process that the child started (Wine starts its desktop
    // process with the first program that needs one) may inherit them and keep them open.
    static unsigned runs = 0;
    const std::string number = std::to_string(++runs);
    const std::string outPath = scratchFolder + "stdout-" + number + ".txt";
    const std::string errPath = scratchFolder + "stderr-" + number + ".txt";
    ProgramRun run;
    // Why the run has no exit code, told after what the program wrote: a failure here is seldom
    // seen again when the test is run once more.
    std::string failure;
    {
        const unique_hfile out = InheritableFile(outPath);
        const unique_hfile err = InheritableFile(errPath);
        if (!out || !err)
        {
            run.err = "cannot create the files for the output in " + scratchFolder + ": error " +
                      std::to_string(GetLastError());
            return run;
        }
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = out.get();
        startup.hStdError = err.get();
        PROCESS_INFORMATION process = {};
        if (!StartProcess(commandLine, startup, process))
        {
            run.err = "cannot start the program: error " + std::to_string(GetLastError());
            return run;
        }
        const unique_handle processHandle(process.hProcess);
        const unique_handle threadHandle(process.hThread);
        DWORD exitCode = 0;
        const DWORD waited = WaitForSingleObject(processHandle.get(), kPatienceMilliseconds);
        const DWORD error = GetLastError();
        if (waited == WAIT_OBJECT_0 && GetExitCodeProcess(processHandle.get(), &exitCode))
            run.exitCode = static_cast<long>(exitCode);
        else if (waited == WAIT_OBJECT_0)
            failure = "\nno exit code: error " + std::to_string(GetLastError());
        else
        {
            failure = waited == WAIT_TIMEOUT
                          ? "\nended by the test: no end within " +
                                std::to_string(kPatienceMilliseconds / 1000) + " s"
                          : "\ncannot wait for it: error " + std::to_string(error);
            TerminateProcess(processHandle.get(), 1);
            WaitForSingleObject(processHandle.get(), kPatienceMilliseconds);
        }
    }
    run.out = ReadFileBytes(outPath);
    run.err = ReadFileBytes(errPath) + failure;
    return run;
}

std::wstring WindowsPath(const char* path)
{
    std::wstring converted = AnsiToWide(path);
    if (converted.empty() || converted[0] != L'/')
        return converted;
    for (wchar_t& c : converted)
        if (c == L'/')
            c = L'\\';
    return L"Z:" + converted;
}

} // namespace tessel::test
