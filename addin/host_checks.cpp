#include "addin/host_checks.h"

#include <windows.h>

#include <initializer_list>

namespace tessel
{
namespace
{

constexpr char kMainWindowClass[] = "rctrl_renwnd32";
constexpr int kTitleBufferSize = 1024;

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

bool FindHostMainWindowTitle(std::string* title)
{
    const HWND window = FindWindowA(kMainWindowClass, nullptr);
    if (window == nullptr)
        return false;
    char buffer[kTitleBufferSize] = {};
    const int length = GetWindowTextA(window, buffer, kTitleBufferSize);
    title->assign(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
    return true;
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
