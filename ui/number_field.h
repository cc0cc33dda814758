#pragma once
// The whole-number edit boxes of the Quote/Unquote dialog.

#include <windows.h>

#include <string_view>

namespace tessel
{

// A signed decimal number, blanks around it allowed; 0 for any other text and for a number that
// does not fit a signed 32-bit integer.
int ParseNumberText(std::wstring_view text);

// The number in a dialog's edit box, read as ParseNumberText does.
int GetNumberField(HWND dialog, int id);
// Shows the value as an unsigned number: a negative value shows as its 32-bit two's complement.
void SetNumberField(HWND dialog, int id, int value);

} // namespace tessel
