#include "hostsim/scripted_user.h"

#include "hostsim/event_record.h"
#include "hostsim/host.h"

namespace tessel::hostsim
{
namespace
{

// Control ids of the Quote/Unquote dialog.
constexpr int kQuoteMode = 205;
constexpr int kUnquoteMode = 206;
constexpr int kAddSign = 207;
constexpr int kWidth = 208;
constexpr int kRemoveSign = 209;
constexpr int kLevels = 210;
constexpr int kOk = 211;
constexpr int kCancel = 212;

// The About dialog, which has no caption: its Close button and its animation.
constexpr int kAboutClose = 203;
constexpr int kAboutAnimation = 204;

// Message boxes keep their text in the static control with this id.
constexpr int kMessageBoxTextId = 0xFFFF;

std::wstring WideWindowText(HWND window)
{
    if (window == nullptr)
        return {};
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A button's click as its dialog receives it. Posted, so that the dialog ends after the
// driver's tick has returned.
void PostClick(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring OkOrKey(const Key* key)
{
    return key != nullptr ? key->label : L"OK";
}

// Presses the key, or without one clicks the button. The user has just typed the sign or looked
// at it, so the key goes in with the focus in the sign box of the mode shown.
void EndQuoteDialog(HWND dialog, const Key* key, int button)
{
    if (key == nullptr)
    {
        PostClick(dialog, button);
        return;
    }
    const bool quoteShown = IsDlgButtonChecked(dialog, kQuoteMode) == BST_CHECKED;
    const HWND signBox = GetDlgItem(dialog, quoteShown ? kAddSign : kRemoveSign);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(signBox), TRUE);
    PressKey(dialog, *key);
}

BOOL CALLBACK CheckMessageBoxChild(HWND child, LPARAM allPlain)
{
    const std::string className = WindowClassName(child);
    if (className != "Button" && className != "Static")
        *reinterpret_cast<bool*>(allPlain) = false;
    return TRUE;
}

} // namespace

QuoteAnswer QuoteAnswer::Quote(std::wstring sign, int width)
{
    return {Choice::Quote, std::move(sign), std::to_wstring(width)};
}

QuoteAnswer QuoteAnswer::Unquote(std::wstring sign, int levels)
{
    return {Choice::Unquote, std::move(sign), std::to_wstring(levels)};
}

QuoteAnswer QuoteAnswer::EndedWith(const Key* endKey) const
{
    QuoteAnswer answer = *this;
    answer.key = endKey;
    return answer;
}

bool IsAboutDialog(HWND window)
{
    return WindowClassName(window) == "#32770" && GetDlgItem(window, kAboutClose) != nullptr &&
           GetDlgItem(window, kAboutAnimation) != nullptr;
}

bool IsMessageBox(HWND window)
{
    if (WindowClassName(window) != "#32770" || GetDlgItem(window, kMessageBoxTextId) == nullptr)
        return false;
    bool allPlain = true;
    EnumChildWindows(window, CheckMessageBoxChild, reinterpret_cast<LPARAM>(&allPlain));
    return allPlain;
}

ScriptedUser::ScriptedUser(Host& host) : m_host(host)
{
    m_driver.SetRescue([](HWND window) {
        if (IsAboutDialog(window)) // it closes with its Close button only
            PostClick(window, kAboutClose);
        else if (GetDlgItem(window, kCancel) != nullptr)
            PostClick(window, kCancel);
        else
        {
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
    });
}

void ScriptedUser::AnswerMessageBox(HWND box)
{
    Event event{EventKind::MessageBoxAnswered};
    event.name = WideWindowText(box);
    event.value = WideWindowText(GetDlgItem(box, kMessageBoxTextId));
    m_host.Record().Add(std::move(event));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

void ScriptedUser::ExpectMessageBox()
{
    m_driver.Expect("message box", IsMessageBox, [this](HWND box) { AnswerMessageBox(box); });
}

void ScriptedUser::AnswerEveryMessageBox()
{
    m_driver.Always({"any message box", IsMessageBox, [this](HWND box) { AnswerMessageBox(box); }});
}

void ScriptedUser::AnswerEveryAboutDialog()
{
    m_driver.Always({"any About dialog", IsAboutDialog, [this](HWND dialog) {
                         Event event{EventKind::Dialog};
                         event.name = L"About";
                         event.value = L"Close";
                         m_host.Record().Add(std::move(event));
                         PostClick(dialog, kAboutClose);
                     }});
}

void ScriptedUser::ExpectQuoteDialog(QuoteAnswer answer, std::function<void(HWND)> look)
{
    m_driver.Expect(
        "Quote/Unquote dialog", DialogWithCaption(kQuoteDialogCaption),
        [this, answer = std::move(answer), look = std::move(look)](HWND dialog) {
            if (look)
                look(dialog);
            Event event{EventKind::Dialog};
            event.name = WideWindowText(dialog);
            if (answer.choice == QuoteAnswer::Choice::Cancel)
            {
                event.value = answer.key != nullptr ? answer.key->label : L"Cancel";
                m_host.Record().Add(std::move(event));
                EndQuoteDialog(dialog, answer.key, kCancel);
                return;
            }
            if (answer.choice == QuoteAnswer::Choice::Accept)
            {
                event.value = L"accept, " + OkOrKey(answer.key);
                m_host.Record().Add(std::move(event));
                EndQuoteDialog(dialog, answer.key, kOk);
                return;
            }
            const bool quote = answer.choice == QuoteAnswer::Choice::Quote;
            // The mode buttons are push-like radio buttons that the dialog checks itself.
            SetActiveWindow(dialog);
            SendMessageW(GetDlgItem(dialog, quote ? kQuoteMode : kUnquoteMode), BM_CLICK, 0, 0);
            SetDlgItemTextW(dialog, quote ? kAddSign : kRemoveSign, answer.sign.c_str());
            SetDlgItemTextW(dialog, quote ? kWidth : kLevels, answer.number.c_str());
            event.value = (quote ? L"quote " : L"unquote ") + Quoted(answer.sign) + L" " +
                          answer.number + L", " + OkOrKey(answer.key);
            m_host.Record().Add(std::move(event));
            EndQuoteDialog(dialog, answer.key, kOk);
        });
}

} // namespace tessel::hostsim
