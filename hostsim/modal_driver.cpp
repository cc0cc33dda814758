#include "hostsim/modal_driver.h"

#include <stdexcept>

namespace tessel::hostsim
{
namespace
{

constexpr UINT kTickMilliseconds = 15;
thread_local ModalDriver* t_driver = nullptr;

BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM found)
{
    if (IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> VisibleThreadWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectVisibleWindow,
                      reinterpret_cast<LPARAM>(&windows));
    return windows;
}

} // namespace

std::string WindowCaption(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string WindowClassName(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string DialogItemText(HWND dialog, int id)
{
    const HWND item = GetDlgItem(dialog, id);
    if (item == nullptr)
        return {};
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::function<bool(HWND)> DialogWithCaption(std::string caption)
{
    return [caption = std::move(caption)](HWND window) {
        return WindowClassName(window) == "#32770" && WindowCaption(window) == caption;
    };
}

ModalDriver::ModalDriver()
{
    if (t_driver != nullptr)
        throw std::logic_error("one ModalDriver per thread");
    t_driver = this;
    m_rescue = [](HWND window) {
        PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    };
    m_timer = SetTimer(nullptr, 0, kTickMilliseconds, &ModalDriver::OnTimer);
}

ModalDriver::~ModalDriver()
{
    KillTimer(nullptr, m_timer);
    t_driver = nullptr;
}

void ModalDriver::Expect(Step step)
{
    m_steps.push_back(std::move(step));
}

void ModalDriver::Expect(std::string description, std::function<bool(HWND)> matches,
                         std::function<void(HWND)> act)
{
    Expect(Step{std::move(description), std::move(matches), std::move(act)});
}

void ModalDriver::Always(Step step)
{
    m_standing.push_back(std::move(step));
}

std::vector<std::string> ModalDriver::Pending() const
{
    std::vector<std::string> pending;
    for (const Step& step : m_steps)
        pending.push_back(step.description);
    return pending;
}

void CALLBACK ModalDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    if (t_driver != nullptr)
        t_driver->Poll();
}

void ModalDriver::Poll()
{
    // A step's action may run a nested modal loop (a button that opens a message box); the
    // ticks inside that loop belong to the next step.
    const std::vector<HWND> windows = VisibleThreadWindows();
    for (HWND window : windows)
    {
        if (!IsWindow(window) || !IsWindowVisible(window))
            continue;
        if (TryStep(window))
            return;
    }
    for (HWND window : windows)
    {
        if (IsWindow(window) && IsWindowVisible(window) && TryStanding(window))
            return;
    }
    for (HWND window : windows)
    {
        if (IsWindow(window) && IsWindowVisible(window) && WindowClassName(window) == "#32770")
        {
            WatchUnexpected(window);
            return;
        }
    }
    m_waitingWindow = nullptr;
}

bool ModalDriver::TryStep(HWND window)
{
    if (m_steps.empty() || !m_steps.front().matches(window))
        return false;
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    m_waitingWindow = nullptr;
    step.act(window);
    return true;
}

bool ModalDriver::TryStanding(HWND window)
{
    for (const Step& standing : m_standing)
    {
        if (!standing.matches(window))
            continue;
        const Step step = standing; // the action may add standing steps
        m_waitingWindow = nullptr;
        step.act(window);
        return true;
    }
    return false;
}

void ModalDriver::WatchUnexpected(HWND window)
{
    const auto now = std::chrono::steady_clock::now();
    if (window != m_waitingWindow)
    {
        m_waitingWindow = window;
        m_waitingSince = now;
        return;
    }
    if (now - m_waitingSince < m_patience)
        return;
    m_rescued.push_back(WindowCaption(window));
    m_waitingWindow = nullptr;
    m_rescue(window);
}

} // namespace tessel::hostsim
