#include "tests/ui/ui_driving.h"

#include "hostsim/modal_driver.h"

namespace tessel::test
{
namespace
{

BOOL CALLBACK FindIconControl(HWND child, LPARAM found)
{
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 &&
        (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
    {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool RunningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string ProgramName()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    name = name.substr(name.find_last_of("\\/") + 1);
    return name.substr(0, name.find_last_of('.'));
}

void PostKey(HWND target, UINT virtualKey)
{
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (scanCode << 16));
    PostMessageW(target, WM_KEYUP, virtualKey, 1 | (scanCode << 16) | (3u << 30));
}

void PostClick(HWND dialog, int id)
{
    PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void FocusControl(HWND dialog, int id)
{
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

int FocusedControlId(HWND dialog)
{
    for (HWND window = GetFocus(); window != nullptr; window = GetParent(window))
    {
        if (GetParent(window) == dialog)
            return GetDlgCtrlID(window);
    }
    return 0;
}

std::string ItemText(HWND dialog, int id)
{
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void SetItemText(HWND dialog, int id, const std::string& text)
{
    SetDlgItemTextA(dialog, id, text.c_str());
}

std::vector<std::string> ComboItems(HWND dialog, int id)
{
    std::vector<std::string> items;
    const auto count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
    {
        char text[1024] = {};
        SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(i),
                            reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

std::string MessageBoxText(HWND box)
{
    return ItemText(box, hostsim::kMessageBoxTextId);
}

bool ShowsExclamationIcon(HWND box)
{
    HWND icon = nullptr;
    EnumChildWindows(box, FindIconControl, reinterpret_cast<LPARAM>(&icon));
    return icon != nullptr && reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0)) ==
                                  LoadIcon(nullptr, IDI_EXCLAMATION);
}

} // namespace tessel::test
