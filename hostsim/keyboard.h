#pragma once
// Keys pressed as a keyboard presses them: through the system's input queue (SendInput), so the
// window with the keyboard focus gets the key messages in the order the keys go down and up,
// and GetKeyState, asked while one of them is handled, reports the modifiers held at that
// moment. The keys go to the foreground window; PressKey makes the given window foreground
// first.

#include <windows.h>

#include <string>

namespace tessel::hostsim
{

struct Key
{
    const wchar_t* name;  // as given on hostsim's command line: "shift+enter"
    const wchar_t* label; // as the transcript shows it: "Shift+Enter"
    WORD modifier;        // VK_SHIFT, VK_CONTROL or 0
    WORD virtualKey;
    bool confirms; // a dialog takes it for its default button (OK), otherwise for Cancel
};

// The keys that end a dialog: Enter, Execute and Esc, with and without Shift or Ctrl, and
// Ctrl+Break. Null when the name is none of them.
const Key* FindKey(const std::wstring& name);
// Every name FindKey knows, separated by ", ".
std::wstring KeyNames();

// Activates the window (a dialog, say), then presses the modifier, presses and releases the key,
// and releases the modifier. False when the system took not all of the input.
bool PressKey(HWND foreground, const Key& key);

} // namespace tessel::hostsim
