#pragma once
// The client's top-level windows as the add-in looks for them: the main window and every message
// window are visible top-level windows of the class "rctrl_renwnd32" with their own titles. They
// do nothing but exist.

#include "win/unique_handle.h"

#include <string>

namespace tessel::hostsim
{

inline constexpr wchar_t kMainWindowClass[] = L"rctrl_renwnd32";

// A new window above the others, not activated; a null handle when it cannot be made.
unique_hwnd CreateClientWindow(const std::wstring& title);

} // namespace tessel::hostsim
