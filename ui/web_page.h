#pragma once
// Opening a web page in the user's browser, maximized. The shell call goes through a
// replaceable function so that tests can watch it without starting a browser.

#include <windows.h>

#include <string>

namespace tessel
{

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND window, LPCSTR verb, LPCSTR file,
                                                LPCSTR parameters, LPCSTR folder, INT show);

// Returns the function used before.
ShellExecuteFunction SetShellExecuteFunction(ShellExecuteFunction function);

// Whether a browser opened is not looked at: there is nothing the user could be told to do.
void OpenWebPage(const std::string& address);

} // namespace tessel
