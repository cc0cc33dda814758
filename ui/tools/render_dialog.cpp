// Opens one of the add-in's dialogs, copies what it shows into a 24-bit BMP file and closes it.
// For looking at the layout, not a test: scripts/render-dialog runs it under Wine and turns
// the picture into a PNG.
//
// Usage: tessel_render_dialog quote|about OUTPUT.bmp

#include "settings/data_paths.h"
#include "ui/about_dlg.h"
#include "ui/quote_dlg.h"
#include "win/unique_handle.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace
{

std::string g_output;
bool g_written = false;
int g_ticks = 0;

BOOL CALLBACK FindShownDialog(HWND window, LPARAM found)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (IsWindowVisible(window) && lstrcmpA(className, "#32770") == 0)
    {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

bool WriteBitmap(HWND window, const std::string& path)
{
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height; // bottom-up, as BMP files keep their rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;

    const HDC windowDc = GetWindowDC(window);
    const HDC memoryDc = CreateCompatibleDC(windowDc);
    void* bits = nullptr;
    tessel::unique_hgdiobj bitmap(
        CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    bool copied = false;
    if (bitmap && bits != nullptr)
    {
        const HGDIOBJ previous = SelectObject(memoryDc, bitmap.get());
        copied = BitBlt(memoryDc, 0, 0, width, height, windowDc, 0, 0, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memoryDc, previous);
    }
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
    if (!copied)
        return false;

    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;

    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    out.write(static_cast<const char*>(bits), imageSize);
    return static_cast<bool>(out);
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindShownDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr)
        return;
    // A few ticks after it shows, so that every control has painted itself.
    if (++g_ticks < 3)
        return;
    g_written = WriteBitmap(dialog, g_output);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); // both dialogs end on the standard cancel
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: tessel_render_dialog quote|about OUTPUT.bmp\n");
        return 2;
    }
    const std::string which = argv[1];
    g_output = argv[2];

    // Files that do not exist: the dialog opens with its defaults.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    g_strIniPath = std::string(temp) + "tessel-render-none\\Tessel.ini";
    g_strHistoryPath = std::string(temp) + "tessel-render-none\\TesselHistory.lst";

    const UINT_PTR timer = SetTimer(nullptr, 0, 50, OnTimer);
    if (which == "quote")
    {
        tessel::CQuoteDlg dialog;
        dialog.DoModal();
    }
    else if (which == "about")
    {
        tessel::CAboutDlg dialog;
        dialog.DoModal();
    }
    else
    {
        std::fprintf(stderr, "unknown dialog: %s\n", which.c_str());
        return 2;
    }
    KillTimer(nullptr, timer);
    if (!g_written)
    {
        std::fprintf(stderr, "could not capture the dialog\n");
        return 1;
    }
    return 0;
}
