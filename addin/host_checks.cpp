#include "addin/host_checks.h"

#include <windows.h>

#include <initializer_list>

namespace tessel
{
namespace
{

constexpr char kMainWindowClass[] = "rctrl_renwnd32";
constexpr int kTitleBufferSize = 1024;
constexpr int kClassBufferSize = 64;

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool IsHostWindow(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId())
        return false;
    char className[kClassBufferSize] = {};
    return GetClassNameA(window, className, kClassBufferSize) > 0 &&
           lstrcmpA(className, kMainWindowClass) == 0;
}

std::string WindowTitle(HWND window)
{
    char buffer[kTitleBufferSize] = {};
    const int length = GetWindowTextA(window, buffer, kTitleBufferSize);
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

BOOL CALLBACK FindAcceptedTitle(HWND window, LPARAM found)
{
    if (!IsHostWindow(window) || !IsHostTitleAccepted(WindowTitle(window)))
        return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

} // namespace

bool FindHostMainWindow()
{
    bool found = false;
    EnumWindows(FindAcceptedTitle, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool IsHostTitleAccepted(const std::string& title)
{
    return EndsWith(title, "Microsoft Outlook") || EndsWith(title, "Microsoft Office Outlook");
}

int HostMajorVersion(const std::string& version)
{
    if (version.compare(0, 1, "9") == 0)
        return 9;
    for (const int major : {10, 11})
    {
        if (version.compare(0, 2, std::to_string(major)) == 0)
            return major;
    }
    return 0;
}

} // namespace tessel
