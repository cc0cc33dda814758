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

unique_hwnd CreateMainWindow(const std::wstring& title)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterMainWindowClass(instance))
        return unique_hwnd();
    unique_hwnd window(CreateWindowExW(0, kMainWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, 0,
                                       0, 640, 480, nullptr, nullptr, instance, nullptr));
    if (window)
        ShowWindow(window.get(), SW_SHOWNOACTIVATE);
    return window;
}

} // namespace tessel::hostsim
