#include "hostsim/scripted_user.h"

#include "hostsim/event_record.h"
#include "hostsim/host.h"
#include "ui/resource.h"

namespace tessel::hostsim
{
namespace
{

std::wstring WideWindowText(HWND window)
{
    if (window == nullptr)
        return {};
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
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
    const bool quoteShown = IsDlgButtonChecked(dialog, IDC_QUOTE_MODE) == BST_CHECKED;
    const HWND signBox = GetDlgItem(dialog, quoteShown ? IDC_ADD_SIGN : IDC_REMOVE_SIGN);
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

void PostClick(HWND dialog, int id)
{
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool IsAboutDialog(HWND window)
{
    return WindowClassName(window) == "#32770" && GetDlgItem(window, IDC_ABOUT_CLOSE) != nullptr &&
           GetDlgItem(window, IDC_ABOUT_ANIMATION) != nullptr;
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
            PostClick(window, IDC_ABOUT_CLOSE);
        else if (GetDlgItem(window, IDC_DISMISS) != nullptr)
            PostClick(window, IDC_DISMISS);
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
                         PostClick(dialog, IDC_ABOUT_CLOSE);
                     }});
}

void ScriptedUser::ExpectQuoteDialog(QuoteAnswer answer, std::function<void(HWND)> look)
{
    m_driver.Expect("Quote/Unquote dialog", DialogWithCaption(kQuoteDialogCaption),
                    [this, answer = std::move(answer), look = std::move(look)](HWND dialog) {
                        if (look)
                            look(dialog);
                        Event event{EventKind::Dialog};
                        event.name = WideWindowText(dialog);
                        if (answer.choice == QuoteAnswer::Choice::Cancel)
                        {
                            event.value = answer.key != nullptr ? answer.key->label : L"Cancel";
                            m_host.Record().Add(std::move(event));
                            EndQuoteDialog(dialog, answer.key, IDC_DISMISS);
                            return;
                        }
                        if (answer.choice == QuoteAnswer::Choice::Accept)
                        {
                            event.value = L"accept, " + OkOrKey(answer.key);
                            m_host.Record().Add(std::move(event));
                            EndQuoteDialog(dialog, answer.key, IDC_CONFIRM);
                            return;
                        }
                        const bool quote = answer.choice == QuoteAnswer::Choice::Quote;
                        // The mode buttons are push-like radio buttons that the dialog checks
                        // itself.
                        SetActiveWindow(dialog);
                        SendMessageW(GetDlgItem(dialog, quote ? IDC_QUOTE_MODE : IDC_UNQUOTE_MODE),
                                     BM_CLICK, 0, 0);
                        SetDlgItemTextW(dialog, quote ? IDC_ADD_SIGN : IDC_REMOVE_SIGN,
                                        answer.sign.c_str());
                        SetDlgItemTextW(dialog, quote ? IDC_WRAP_WIDTH : IDC_UNQUOTE_LEVELS,
                                        answer.number.c_str());
                        event.value = (quote ? L"quote " : L"unquote ") + Quoted(answer.sign) +
                                      L" " + answer.number + L", " + OkOrKey(answer.key);
                        m_host.Record().Add(std::move(event));
                        EndQuoteDialog(dialog, answer.key, IDC_CONFIRM);
                    });
}

} // namespace tessel::hostsim
