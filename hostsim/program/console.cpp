#include "hostsim/program/console.h"

#include "hostsim/program/text_files.h"

#include <windows.h>

namespace tessel::hostsim
{
namespace
{

void Print(DWORD stream, const std::wstring& text)
{
    const HANDLE handle = GetStdHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || text.empty())
        return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode))
    {
        WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    const std::string bytes = ToUtf8(text);
    WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

} // namespace

void PrintOut(const std::wstring& text)
{
    Print(STD_OUTPUT_HANDLE, text);
}

void PrintError(const std::wstring& text)
{
    Print(STD_ERROR_HANDLE, text);
}

} // namespace tessel::hostsim
