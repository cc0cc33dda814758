#pragma once
// What a scripted user does to the dialogs from inside their modal loops: keys posted to the
// focused control (so they pass through the dialog's own key handling), clicks, and looks at
// controls and message boxes.

#include <windows.h>

#include <string>
#include <vector>

namespace tessel::test
{

// Wine differs from Windows in a few places; such cases are skipped under Wine.
bool RunningUnderWine();

// The test program's file name without extension: the caption of the dialogs' messages.
std::string ProgramName();

// Posts a key press (down and up) to a window, as the keyboard would to the focused control.
void PostKey(HWND target, UINT virtualKey);
// Posts a click to a dialog's button.
void PostClick(HWND dialog, int id);
// Moves the focus to a dialog's control the way the Tab key does.
void FocusControl(HWND dialog, int id);
// The id of the dialog's control that has or holds the focus (a combo box's edit field counts
// as the combo box); 0 when the focus is elsewhere.
int FocusedControlId(HWND dialog);

std::string ItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);
std::vector<std::string> ComboItems(HWND dialog, int id);

// A message box's text, and whether it shows the system's exclamation icon.
std::string MessageBoxText(HWND box);
bool ShowsExclamationIcon(HWND box);

} // namespace tessel::test
