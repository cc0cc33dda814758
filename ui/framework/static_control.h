#pragma once
// A static control seen through its window handle.

#include <windows.h>

namespace tessel
{

class CStatic
{
  public:
    void Attach(HWND window) { m_hWnd = window; }

    // Shows a cursor (animated ones animate by themselves) in an icon control; the control does
    // not take ownership. Returns the image shown before.
    HCURSOR SetCursor(HCURSOR cursor)
    {
        return reinterpret_cast<HCURSOR>(
            SendMessageW(m_hWnd, STM_SETIMAGE, IMAGE_CURSOR, reinterpret_cast<LPARAM>(cursor)));
    }

  private:
    HWND m_hWnd = nullptr;
};

} // namespace tessel
