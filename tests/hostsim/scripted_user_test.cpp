// The scripted user: message boxes are recorded and answered, and the Quote/Unquote dialog is
// filled in by control id. The dialog here is a stand-in with the real one's caption and ids,
// built from an in-memory template, which reports what it was given.

#include "hostsim/host.h"
#include "hostsim/scripted_user.h"
#include "ui/resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace tessel::hostsim
{
namespace
{

class DialogTemplate
{
  public:
    DialogTemplate(const wchar_t* caption, WORD controls)
    {
        Dword(WS_POPUP | WS_CAPTION | DS_MODALFRAME);
        Dword(0);
        m_words.push_back(controls);
        Words({0, 0, 240, 190});
        Words({0, 0}); // no menu, the standard dialog class
        String(caption);
    }

    void Control(WORD id, WORD classAtom, DWORD style, const wchar_t* text, short y)
    {
        if (m_words.size() % 2 != 0)
            m_words.push_back(0);
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        Words({10, static_cast<WORD>(y), 100, 14, id, 0xFFFF, classAtom});
        String(text);
        m_words.push_back(0); // no creation data
    }

    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

  private:
    void Dword(DWORD value)
    {
        m_words.push_back(LOWORD(value));
        m_words.push_back(HIWORD(value));
    }
    void Words(std::initializer_list<WORD> words) { m_words.insert(m_words.end(), words); }
    void String(const wchar_t* text)
    {
        while (*text)
            m_words.push_back(static_cast<WORD>(*text++));
        m_words.push_back(0);
    }

    std::vector<WORD> m_words;
};

constexpr WORD kButton = 0x0080, kEdit = 0x0081, kComboBox = 0x0085;

struct Given
{
    int mode = -1;
    std::wstring addSign, width, removeSign, levels;
    int focus = 0;      // the control with the focus when the dialog ended
    bool shift = false; // whether Shift was down then, as GetKeyState tells
};

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

INT_PTR CALLBACK StandInProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        CheckDlgButton(dialog, IDC_QUOTE_MODE, BST_CHECKED);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    auto* given = reinterpret_cast<Given*>(GetWindowLongPtrW(dialog, DWLP_USER));
    const int command = LOWORD(wParam);
    if (command == IDC_CONFIRM || command == IDC_DISMISS || command == IDOK || command == IDCANCEL)
    {
        given->focus = GetDlgCtrlID(GetParent(GetFocus())); // a combo box's edit field
        given->shift = GetKeyState(VK_SHIFT) < 0;
    }
    switch (command)
    {
        case IDC_QUOTE_MODE:
        case IDC_UNQUOTE_MODE:
            CheckDlgButton(dialog, IDC_QUOTE_MODE,
                           LOWORD(wParam) == IDC_QUOTE_MODE ? BST_CHECKED : BST_UNCHECKED);
            CheckDlgButton(dialog, IDC_UNQUOTE_MODE,
                           LOWORD(wParam) == IDC_UNQUOTE_MODE ? BST_CHECKED : BST_UNCHECKED);
            return TRUE;
        case IDC_CONFIRM:
        case IDOK: // Enter, as a plain dialog takes it
            given->mode = IsDlgButtonChecked(dialog, IDC_UNQUOTE_MODE) == BST_CHECKED ? 1 : 0;
            given->addSign = ItemText(dialog, IDC_ADD_SIGN);
            given->width = ItemText(dialog, IDC_WRAP_WIDTH);
            given->removeSign = ItemText(dialog, IDC_REMOVE_SIGN);
            given->levels = ItemText(dialog, IDC_UNQUOTE_LEVELS);
            EndDialog(dialog, 1);
            return TRUE;
        case IDC_DISMISS:
        case IDCANCEL:
            EndDialog(dialog, 0);
            return TRUE;
    }
    return FALSE;
}

INT_PTR RunStandIn(Given* given)
{
    DialogTemplate dialog(L"Quote/Unquote Selected Text", 8);
    const DWORD radio = BS_RADIOBUTTON | BS_PUSHLIKE;
    dialog.Control(IDC_QUOTE_MODE, kButton, radio, L"&Quote Selected Text", 10);
    dialog.Control(IDC_ADD_SIGN, kComboBox, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, L"", 30);
    dialog.Control(IDC_WRAP_WIDTH, kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, L"60", 50);
    dialog.Control(IDC_UNQUOTE_MODE, kButton, radio, L"&Unquote Selected Text", 70);
    dialog.Control(IDC_REMOVE_SIGN, kComboBox, CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, L"", 90);
    dialog.Control(IDC_UNQUOTE_LEVELS, kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, L"1", 110);
    dialog.Control(IDC_CONFIRM, kButton, BS_PUSHBUTTON | WS_TABSTOP, L"&OK", 130);
    dialog.Control(IDC_DISMISS, kButton, BS_PUSHBUTTON | WS_TABSTOP, L"&Cancel", 150);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), nullptr, StandInProc,
                                   reinterpret_cast<LPARAM>(given));
}

TEST(HostsimScriptedUser, AnswersMessageBoxesAndRecordsThem)
{
    Host host;
    {
        ScriptedUser user(host);
        user.ExpectMessageBox();
        EXPECT_EQ(MessageBoxA(nullptr, "First line.\r\nSecond line.", "Caption", MB_OK), IDOK);
        user.AnswerEveryMessageBox();
        EXPECT_EQ(MessageBoxW(nullptr, L"Καλημέρα", L"Other", MB_OK | MB_ICONEXCLAMATION), IDOK);
        EXPECT_EQ(MessageBoxW(nullptr, L"", L"Third", MB_OK), IDOK);
        EXPECT_TRUE(user.Pending().empty());
        EXPECT_TRUE(user.Rescued().empty());
    }
    EXPECT_EQ(host.Record().Lines(),
              (std::vector<std::wstring>{
                  L"message box \"Caption\": \"First line.\\r\\nSecond line.\"",
                  L"message box \"Other\": \"Καλημέρα\"",
                  L"message box \"Third\": \"\"",
              }));
}

TEST(HostsimScriptedUser, FillsInTheQuoteDialogByControlId)
{
    const struct
    {
        QuoteAnswer answer;
        INT_PTR result;
        int mode;
        std::wstring sign, number;
        const wchar_t* line;
    } cases[] = {
        {QuoteAnswer::Quote(L"> ", 72), 1, 0, L"> ", L"72",
         L"dialog \"Quote/Unquote Selected Text\": quote \"> \" 72, OK"},
        {QuoteAnswer::Unquote(L"|", 3), 1, 1, L"|", L"3",
         L"dialog \"Quote/Unquote Selected Text\": unquote \"|\" 3, OK"},
        {QuoteAnswer::Accept(), 1, 0, L"", L"60",
         L"dialog \"Quote/Unquote Selected Text\": accept, OK"},
        {QuoteAnswer::Cancel(), 0, -1, L"", L"", L"dialog \"Quote/Unquote Selected Text\": Cancel"},
    };
    for (const auto& c : cases)
    {
        Host host;
        ScriptedUser user(host);
        bool looked = false;
        user.ExpectQuoteDialog(c.answer, [&](HWND dialog) {
            looked = true;
            EXPECT_FALSE(IsMessageBox(dialog));
        });
        Given given;
        EXPECT_EQ(RunStandIn(&given), c.result) << c.line;
        EXPECT_TRUE(looked);
        EXPECT_EQ(given.mode, c.mode) << c.line;
        EXPECT_EQ(c.mode == 1 ? given.removeSign : given.addSign, c.sign) << c.line;
        if (c.mode >= 0)
        {
            EXPECT_EQ(c.mode == 1 ? given.levels : given.width, c.number) << c.line;
        }
        EXPECT_EQ(host.Record().Lines(), std::vector<std::wstring>{c.line});
        EXPECT_TRUE(user.Pending().empty());
    }
}

// A key ends the dialog as the keyboard would: pressed in the sign box of the mode shown, with
// the modifier down while the dialog handles it.
TEST(HostsimScriptedUser, EndsTheQuoteDialogWithAKeyInTheSignBox)
{
    const struct
    {
        QuoteAnswer answer;
        INT_PTR result;
        int focus;
        bool shift;
        const wchar_t* line;
    } cases[] = {
        {QuoteAnswer::Unquote(L"|", 3).EndedWith(FindKey(L"shift+enter")), 1, IDC_REMOVE_SIGN, true,
         L"dialog \"Quote/Unquote Selected Text\": unquote \"|\" 3, Shift+Enter"},
        {QuoteAnswer::Accept().EndedWith(FindKey(L"enter")), 1, IDC_ADD_SIGN, false,
         L"dialog \"Quote/Unquote Selected Text\": accept, Enter"},
        {QuoteAnswer::Cancel().EndedWith(FindKey(L"shift+escape")), 0, IDC_ADD_SIGN, true,
         L"dialog \"Quote/Unquote Selected Text\": Shift+Esc"},
    };
    for (const auto& c : cases)
    {
        Host host;
        ScriptedUser user(host);
        user.ExpectQuoteDialog(c.answer);
        Given given;
        EXPECT_EQ(RunStandIn(&given), c.result) << c.line;
        EXPECT_EQ(given.focus, c.focus) << c.line;
        EXPECT_EQ(given.shift, c.shift) << c.line;
        EXPECT_EQ(host.Record().Lines(), std::vector<std::wstring>{c.line});
        EXPECT_TRUE(user.Pending().empty());
        EXPECT_TRUE(user.Rescued().empty());
    }
}

} // namespace
} // namespace tessel::hostsim
