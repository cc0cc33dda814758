// Opens one of the add-in's dialogs, copies what it shows into a 24-bit BMP file and closes it.
// For looking at the layout, not a test: scripts/render-dialog runs it under Wine and turns
// the picture into a PNG.
//
// Usage: tessel_render_dialog quote|about OUTPUT.bmp

#include "settings/data_paths.h"
#include "ui/about_dlg.h"
#include "ui/quote_dlg.h"
#include "win/window_picture.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace
{

std::string g_output;
int g_closeButton = 0; // the button that ends the dialog shown
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
    const std::string bytes = tessel::WindowBitmapFile(window);
    if (bytes.empty())
        return false;
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
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
    // The About dialog ignores the standard cancel command: only its Close button ends it.
    PostMessageW(GetDlgItem(dialog, g_closeButton), BM_CLICK, 0, 0);
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
        g_closeButton = IDC_DISMISS;
        tessel::CQuoteDlg dialog;
        dialog.DoModal();
    }
    else if (which == "about")
    {
        g_closeButton = IDC_ABOUT_CLOSE;
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
