#pragma once
// A scripted user for modal windows. Modal dialogs and message boxes run their own message
// loops, so the steps run from a thread timer that those loops dispatch: each tick looks at the
// visible top-level windows of this thread and lets the first waiting step act on the window it
// is waiting for. Steps run in order; a step may itself open a nested modal window, which the
// next step then handles from inside that window's loop.

#include <windows.h>

#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace tessel::hostsim
{

// Message boxes keep their text in the static control with this id.
inline constexpr int kMessageBoxTextId = 0xFFFF;

std::string WindowCaption(HWND window);
std::string WindowClassName(HWND window);
// Text of a dialog's child control (GetDlgItemText).
std::string DialogItemText(HWND dialog, int id);

// Matches a visible dialog-class window ("#32770": dialogs and message boxes) by its caption.
std::function<bool(HWND)> DialogWithCaption(std::string caption);

class ModalDriver
{
  public:
    struct Step
    {
        std::string description;
        std::function<bool(HWND)> matches;
        std::function<void(HWND)> act;
    };

    // Arms the timer on the calling thread. One driver per thread at a time.
    ModalDriver();
    ~ModalDriver();
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    void Expect(Step step);
    void Expect(std::string description, std::function<bool(HWND)> matches,
                std::function<void(HWND)> act);

    // A step that stays: tried on every tick after the queued steps, for a kind of window that
    // may come any number of times (every message box, say).
    void Always(Step step);

    // Steps still waiting for their window.
    std::vector<std::string> Pending() const;

    // A dialog-class window that no step takes within this time is closed by the rescue action
    // (by default: IDCANCEL, then IDOK), and the fact is recorded, so that a test whose script
    // went wrong fails instead of hanging.
    void SetPatience(std::chrono::milliseconds patience) { m_patience = patience; }
    void SetRescue(std::function<void(HWND)> rescue) { m_rescue = std::move(rescue); }
    const std::vector<std::string>& Rescued() const { return m_rescued; }

  private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
    void Poll();
    bool TryStep(HWND window);
    bool TryStanding(HWND window);
    void WatchUnexpected(HWND window);

    UINT_PTR m_timer = 0;
    std::deque<Step> m_steps;
    std::vector<Step> m_standing;
    std::chrono::milliseconds m_patience{5000};
    std::function<void(HWND)> m_rescue;
    std::vector<std::string> m_rescued;
    HWND m_waitingWindow = nullptr;
    std::chrono::steady_clock::time_point m_waitingSince;
};

} // namespace tessel::hostsim
