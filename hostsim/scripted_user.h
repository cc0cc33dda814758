#pragma once
// A scripted user for the host's modal windows, built on ModalDriver: answers message boxes
// (recording their caption and text in the host's record, then pressing OK) and the
// Quote/Unquote dialog. It knows the dialogs only by their captions and the control ids of
// ui/resource.h.
//
//     ScriptedUser user(host);
//     user.ExpectQuoteDialog(QuoteAnswer::Quote(L"> ", 60));
//     host.Click(message, 5, L"&Quote/Unquote Selected Text");
//     EXPECT_TRUE(user.Pending().empty());

#include "hostsim/keyboard.h"
#include "hostsim/modal_driver.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tessel::hostsim
{

class Host;

inline constexpr char kQuoteDialogCaption[] = "Quote/Unquote Selected Text";

struct QuoteAnswer
{
    enum class Choice
    {
        Quote,
        Unquote,
        Accept, // confirm what the dialog shows, typing nothing
        Cancel,
    };
    Choice choice = Choice::Cancel;
    std::wstring sign;   // typed into the sign box of the chosen mode
    std::wstring number; // typed into the width or levels box, as text (may be invalid)
    // The key that ends the dialog, pressed with the focus in the sign box of the mode shown, as
    // after typing the sign; null: a click on OK (on Cancel for Choice::Cancel).
    const Key* key = nullptr;

    static QuoteAnswer Quote(std::wstring sign, int width);
    static QuoteAnswer Unquote(std::wstring sign, int levels);
    static QuoteAnswer Accept() { return {Choice::Accept, {}, {}, nullptr}; }
    static QuoteAnswer Cancel() { return {}; }
    // The same answer, ended with the key instead of the button.
    QuoteAnswer EndedWith(const Key* endKey) const;
};

// A dialog-class window that is a message box: its text in the static 0xFFFF, only buttons and
// statics as children.
bool IsMessageBox(HWND window);
// The add-in's About dialog, which has no caption: its Close button and its animation.
bool IsAboutDialog(HWND window);
// A button's click as its dialog receives it. Posted, so that the dialog ends after the
// driver's tick has returned.
void PostClick(HWND dialog, int id);

class ScriptedUser
{
  public:
    // The host must outlive the user. One user (one ModalDriver) per thread at a time.
    explicit ScriptedUser(Host& host);
    ScriptedUser(const ScriptedUser&) = delete;
    ScriptedUser& operator=(const ScriptedUser&) = delete;

    // The next modal window is a message box: record it and press OK.
    void ExpectMessageBox();
    // The next modal window is the Quote/Unquote dialog: look at it (if asked), choose the
    // mode, type the sign and the number, and press OK (or the answer's key); or confirm it as
    // it is; or press Cancel.
    void ExpectQuoteDialog(QuoteAnswer answer, std::function<void(HWND)> look = {});
    // From now on, every About dialog is recorded ("About") and closed with its Close button.
    void AnswerEveryAboutDialog();
    // From now on, any message box that no expected step takes is recorded and answered.
    void AnswerEveryMessageBox();

    std::vector<std::string> Pending() const { return m_driver.Pending(); }
    // Windows that no step took in time and that were closed by force (Cancel).
    const std::vector<std::string>& Rescued() const { return m_driver.Rescued(); }
    ModalDriver& Driver() { return m_driver; }

  private:
    void AnswerMessageBox(HWND box);

    Host& m_host;
    ModalDriver m_driver;
};

} // namespace tessel::hostsim
