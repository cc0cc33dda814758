#pragma once
// A picture of a window as it is on the screen, frame included, as the bytes of a 24-bit BMP
// file.

#include <windows.h>

#include <string>

namespace tessel
{

// Paints the window and its children first; empty when the window cannot be copied.
std::string WindowBitmapFile(HWND window);

} // namespace tessel
