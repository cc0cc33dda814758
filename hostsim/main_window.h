#pragma once
// The client's main window as the add-in looks for it: a visible top-level window of the class
// "rctrl_renwnd32" with the given title. It does nothing but exist.

#include "win/unique_handle.h"

#include <string>

namespace tessel::hostsim
{

inline constexpr wchar_t kMainWindowClass[] = L"rctrl_renwnd32";

// A null handle when the window cannot be made.
unique_hwnd CreateMainWindow(const std::wstring& title);

} // namespace tessel::hostsim
