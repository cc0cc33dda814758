#include "hostsim/keyboard.h"

#include <iterator>

namespace tessel::hostsim
{
namespace
{

const Key kKeys[] = {
    {L"enter", L"Enter", 0, VK_RETURN, true},
    {L"shift+enter", L"Shift+Enter", VK_SHIFT, VK_RETURN, true},
    {L"ctrl+enter", L"Ctrl+Enter", VK_CONTROL, VK_RETURN, true},
    {L"execute", L"Execute", 0, VK_EXECUTE, true}, // of some keyboards; dialogs take it for Enter
    {L"escape", L"Esc", 0, VK_ESCAPE, false},
    {L"shift+escape", L"Shift+Esc", VK_SHIFT, VK_ESCAPE, false},
    {L"ctrl+break", L"Ctrl+Break", VK_CONTROL, VK_CANCEL, false}, // Ctrl+Pause gives VK_CANCEL
};

INPUT KeyInput(WORD virtualKey, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

} // namespace

const Key* FindKey(const std::wstring& name)
{
    for (const Key& key : kKeys)
        if (name == key.name)
            return &key;
    return nullptr;
}

std::wstring KeyNames()
{
    std::wstring names;
    for (const Key& key : kKeys)
        names += (names.empty() ? L"" : L", ") + std::wstring(key.name);
    return names;
}

bool PressKey(HWND foreground, const Key& key)
{
    SetForegroundWindow(foreground);
    INPUT inputs[4];
    UINT count = 0;
    if (key.modifier != 0)
        inputs[count++] = KeyInput(key.modifier, false);
    inputs[count++] = KeyInput(key.virtualKey, false);
    inputs[count++] = KeyInput(key.virtualKey, true);
    if (key.modifier != 0)
        inputs[count++] = KeyInput(key.modifier, true);
    return SendInput(count, inputs, sizeof(INPUT)) == count;
}

} // namespace tessel::hostsim
