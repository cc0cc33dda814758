#include "hostsim/main_window.h"

namespace tessel::hostsim
{
namespace
{

bool RegisterMainWindowClass(HINSTANCE instance)
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, kMainWindowClass, &existing))
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kMainWindowClass;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

} // namespace

unique_hwnd CreateClientWindow(const std::wstring& title)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterMainWindowClass(instance))
        return unique_hwnd();
    unique_hwnd window(CreateWindowExW(0, kMainWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, 0,
                                       0, 640, 480, nullptr, nullptr, instance, nullptr));
    if (window)
    {
        ShowWindow(window.get(), SW_SHOWNOACTIVATE);
        SetWindowPos(window.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return window;
}

} // namespace tessel::hostsim
