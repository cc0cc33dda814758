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

struct WindowSearch
{
    bool anyTitle;
    bool found;
};

BOOL CALLBACK FindAcceptedTitle(HWND window, LPARAM searchAddress)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(searchAddress);
    if (!IsHostWindow(window) || !(search.anyTitle || IsHostTitleAccepted(WindowTitle(window))))
        return TRUE;
    search.found = true;
    return FALSE;
}

constexpr wchar_t kSettingsKey[] = L"Software\\Tessel";
constexpr wchar_t kModernClientsValue[] = L"ModernClients";

} // namespace

bool FindHostMainWindow(bool anyTitle)
{
    WindowSearch search{anyTitle, false};
    EnumWindows(FindAcceptedTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
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

int ModernHostMajorVersion(const std::string& version)
{
    const std::size_t digits = version.find_first_not_of("0123456789");
    const std::string major = version.substr(0, digits);
    if (major.size() != 2 || (digits != std::string::npos && version[digits] != '.'))
        return 0;
    const int number = std::stoi(major);
    return number >= kFirstModernVersion && number <= kLastModernVersion ? number : 0;
}

bool ModernClientsOptedIn()
{
    DWORD value = 0;
    DWORD size = sizeof value;
    return RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, kModernClientsValue, RRF_RT_REG_DWORD,
                        nullptr, &value, &size) == ERROR_SUCCESS &&
           value != 0;
}

} // namespace tessel
