#include "ui/quote_dlg.h"

#include "hostsim/modal_driver.h"
#include "settings/data_paths.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/ui_driving.h"

#include <gtest/gtest.h>

#include <functional>

namespace tessel
{
namespace
{

using namespace tessel::test;

constexpr char kCaption[] = "Quote/Unquote Selected Text";

const std::string kWidthMessage = "Please enter the number in between 10 and 110.";
const std::string kLevelsMessage = "Please enter the number in between 1 and 50.";
const std::string kAddSignMessage = "Please enter the quotation sign to add.";
const std::string kRemoveSignMessage = "Please enter the quotation sign to remove.";

// A real dialog on files of a fresh folder, with a scripted user acting inside its loop.
class QuoteDialogTest : public testing::Test
{
  protected:
    QuoteDialogTest()
    {
        g_strIniPath = m_folder.File("Tessel.ini");
        g_strHistoryPath = m_folder.File("TesselHistory.lst");
    }
    ~QuoteDialogTest() override
    {
        g_strIniPath.clear();
        g_strHistoryPath.clear();
    }

    void OnDialog(std::string description, std::function<void(HWND)> act)
    {
        m_driver.Expect(std::move(description), hostsim::DialogWithCaption(kCaption),
                        std::move(act));
    }
    // Expects a validation message, records it and presses its OK button.
    void OnMessage(std::string description)
    {
        m_driver.Expect(std::move(description), hostsim::DialogWithCaption(ProgramName()),
                        [this](HWND box) {
                            m_messages.push_back(MessageBoxText(box));
                            m_exclamation.push_back(ShowsExclamationIcon(box));
                            PostMessageW(box, WM_COMMAND, IDOK, 0);
                        });
    }

    INT_PTR Run(std::wstring input = L"text")
    {
        m_dialog.SetInputText(std::move(input));
        const INT_PTR result = m_dialog.DoModal();
        EXPECT_EQ(m_driver.Pending(), std::vector<std::string>{});
        EXPECT_EQ(m_driver.Rescued(), std::vector<std::string>{});
        return result;
    }

    void WriteSettings(const std::string& lines)
    {
        WriteFileBytes(g_strIniPath, "[Settings]\r\n" + lines);
    }
    void WriteHistory(const std::string& lines) { WriteFileBytes(g_strHistoryPath, lines); }
    std::string Settings() const { return ReadFileBytes(g_strIniPath); }
    std::string History() const { return ReadFileBytes(g_strHistoryPath); }
    bool HistoryExists() const
    {
        return GetFileAttributesA(g_strHistoryPath.c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    TempFolder m_folder;
    hostsim::ModalDriver m_driver;
    CQuoteDlg m_dialog;
    std::vector<std::string> m_messages;
    std::vector<bool> m_exclamation;
};

// ---------------------------------------------------------------------------------------------
// Opening

// What the dialog shows, in one line: checked mode button, enabled boxes, the numbers, each
// sign box's items and text, and the control with the focus.
std::string Look(HWND dialog)
{
    std::string seen = "checked";
    for (int id : {IDC_QUOTE_MODE, IDC_UNQUOTE_MODE})
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            seen += " " + std::to_string(id);
    seen += "; enabled";
    for (int id : {IDC_ADD_SIGN, IDC_WRAP_WIDTH, IDC_REMOVE_SIGN, IDC_UNQUOTE_LEVELS})
        if (IsWindowEnabled(GetDlgItem(dialog, id)))
            seen += " " + std::to_string(id);
    seen += "; " + ItemText(dialog, IDC_WRAP_WIDTH) + " " + ItemText(dialog, IDC_UNQUOTE_LEVELS);
    for (int id : {IDC_ADD_SIGN, IDC_REMOVE_SIGN})
    {
        seen += "; [";
        for (const std::string& item : ComboItems(dialog, id))
            seen += item + ",";
        seen += "] '" + ItemText(dialog, id) + "'";
    }
    return seen + "; focus " + std::to_string(FocusedControlId(dialog));
}

struct Opening
{
    const char* name;
    const char* settings; // lines of [Settings]; nullptr: no settings file
    const char* history;  // nullptr: no history file
    const char* shown;
};

const Opening kOpenings[] = {
    {"NoFiles", nullptr, nullptr, "checked 205; enabled 207 208; 60 1; [] ''; [] ''; focus 207"},
    {"StoredUnquoteMode", "Mode=1\r\n", nullptr,
     "checked 206; enabled 209 210; 60 1; [] ''; [] ''; focus 209"},
    {"StoredModeTwoOpensQuoteMode", "Mode=2\r\n", nullptr,
     "checked 205; enabled 207 208; 60 1; [] ''; [] ''; focus 207"},
    {"StoredNumbersShownAsUnsigned", "WordWrap=-5\r\nUnquoteLevels=7\r\n", nullptr,
     "checked 205; enabled 207 208; 4294967291 7; [] ''; [] ''; focus 207"},
    {"HistorySortedInBothBoxesLastSignsByPrefixIgnoringCase", "QuoteLast=b\r\nUnquoteLast=>\r\n",
     "B:\r\n>>\r\n>\r\na:\r\n|\r\n",
     "checked 205; enabled 207 208; 60 1; [|,>,>>,a:,B:,] 'B:'; [|,>,>>,a:,B:,] '>'; focus 207"},
    {"SeveralMatchesSelectTheFirstInSortedOrder", "QuoteLast=a\r\nUnquoteLast=>>\r\n",
     "ab\r\n>>>\r\nA:\r\n>>\r\n",
     "checked 205; enabled 207 208; 60 1; [>>,>>>,A:,ab,] 'A:'; [>>,>>>,A:,ab,] '>>'; focus 207"},
    {"NoMatchOrNoLastSignSelectsTheFirstSortedItem", "QuoteLast=zz\r\n", "b\r\n#\r\n",
     "checked 205; enabled 207 208; 60 1; [#,b,] '#'; [#,b,] '#'; focus 207"},
    {"EmptyListSelectsNothing", "QuoteLast=>\r\nUnquoteLast=>\r\n", nullptr,
     "checked 205; enabled 207 208; 60 1; [] ''; [] ''; focus 207"},
};

class QuoteDialogOpening : public QuoteDialogTest, public testing::WithParamInterface<Opening>
{
};

TEST_P(QuoteDialogOpening, ShowsStoredChoicesAndHistory)
{
    const Opening& opening = GetParam();
    if (opening.settings != nullptr)
        WriteSettings(opening.settings);
    if (opening.history != nullptr)
        WriteHistory(opening.history);
    std::string shown;
    OnDialog("look, then cancel", [&](HWND dialog) {
        shown = Look(dialog);
        PostClick(dialog, IDC_DISMISS);
    });

    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(shown, opening.shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, QuoteDialogOpening, testing::ValuesIn(kOpenings),
                         [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// Confirming

struct Rejection
{
    const char* name;
    int modeButton;
    const char* width;
    const char* levels;
    const char* addSign;
    const char* removeSign;
    const std::string& message;
    const char* storedMode;
};

const Rejection kRejections[] = {
    {"WidthBelowRangeBeforeEmptySign", IDC_QUOTE_MODE, "9", "1", "", ">", kWidthMessage, "0"},
    {"WidthAboveRange", IDC_QUOTE_MODE, "111", "1", ">", ">", kWidthMessage, "0"},
    {"EmptyWidth", IDC_QUOTE_MODE, "", "1", ">", ">", kWidthMessage, "0"},
    {"NegativeWidthShownUnsigned", IDC_QUOTE_MODE, "4294967291", "1", ">", ">", kWidthMessage, "0"},
    {"EmptyAddSign", IDC_QUOTE_MODE, "10", "0", "", ">", kAddSignMessage, "0"},
    {"NoLevels", IDC_UNQUOTE_MODE, "60", "0", ">", "", kLevelsMessage, "1"},
    {"LevelsAboveRange", IDC_UNQUOTE_MODE, "60", "51", ">", ">", kLevelsMessage, "1"},
    {"EmptyRemoveSign", IDC_UNQUOTE_MODE, "0", "50", ">", "", kRemoveSignMessage, "1"},
};

class QuoteDialogRejection : public QuoteDialogTest, public testing::WithParamInterface<Rejection>
{
};

TEST_P(QuoteDialogRejection, ShowsTheMessageStoresOnlyTheModeAndStaysOpen)
{
    const Rejection& r = GetParam();
    OnDialog("fill in and confirm", [&](HWND dialog) {
        SendMessageW(GetDlgItem(dialog, r.modeButton), BM_CLICK, 0, 0);
        SetItemText(dialog, IDC_WRAP_WIDTH, r.width);
        SetItemText(dialog, IDC_UNQUOTE_LEVELS, r.levels);
        SetItemText(dialog, IDC_ADD_SIGN, r.addSign);
        SetItemText(dialog, IDC_REMOVE_SIGN, r.removeSign);
        PostClick(dialog, IDC_CONFIRM);
    });
    OnMessage("the validation message");
    OnDialog("still open, cancel", [](HWND dialog) { PostClick(dialog, IDC_DISMISS); });

    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(m_messages, std::vector<std::string>{r.message});
    EXPECT_EQ(m_exclamation, std::vector<bool>{true});
    EXPECT_EQ(Settings(), std::string("[Settings]\r\nMode=") + r.storedMode + "\r\n");
    EXPECT_FALSE(HistoryExists());
}

INSTANTIATE_TEST_SUITE_P(Cases, QuoteDialogRejection, testing::ValuesIn(kRejections),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QuoteDialogTest, KeepsTheValuesAfterARejectionAndAcceptsThemCorrected)
{
    OnDialog("too narrow", [](HWND dialog) {
        SetItemText(dialog, IDC_WRAP_WIDTH, "9");
        SetItemText(dialog, IDC_ADD_SIGN, "| ");
        PostClick(dialog, IDC_CONFIRM);
    });
    OnMessage("width message");
    std::string widthShown, signShown;
    OnDialog("correct and confirm", [&](HWND dialog) {
        widthShown = ItemText(dialog, IDC_WRAP_WIDTH);
        signShown = ItemText(dialog, IDC_ADD_SIGN);
        SetItemText(dialog, IDC_WRAP_WIDTH, "10");
        PostClick(dialog, IDC_CONFIRM);
    });

    EXPECT_EQ(Run(L"one two three"), 1);
    EXPECT_EQ(widthShown, "9");
    EXPECT_EQ(signShown, "| ");
    EXPECT_EQ(m_dialog.GetResultText(), L"| one two \r\n| three\r\n| ");
}

TEST_F(QuoteDialogTest, QuoteModeStoresAllChoicesAndNewSignsAndQuotesTheText)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "the sign's character is chosen from code page 1252";
    WriteHistory(">\r\n");
    OnDialog("fill in and confirm", [](HWND dialog) {
        SetItemText(dialog, IDC_ADD_SIGN, "\xBB"); // a right guillemet
        SetItemText(dialog, IDC_WRAP_WIDTH, "15");
        SetItemText(dialog, IDC_REMOVE_SIGN, ">");
        SetItemText(dialog, IDC_UNQUOTE_LEVELS, "3");
        PostClick(dialog, IDC_CONFIRM);
    });

    // Characters outside the ANSI code page pass through; wide ones take two columns each.
    EXPECT_EQ(Run(L"\u03A9\u03BC\u03AD\u03B3\u03B1 \u6F22\u5B57\u6F22\u5B57 \U0001F600\r\nok"), 1);
    EXPECT_EQ(m_dialog.GetResultText(),
              L"\u00BB\u03A9\u03BC\u03AD\u03B3\u03B1 \u6F22\u5B57\u6F22\u5B57 \r\n"
              L"\u00BB\U0001F600\r\n\u00BBok\r\n\u00BB");
    EXPECT_EQ(Settings(), "[Settings]\r\nMode=0\r\nQuoteLast=\xBB\r\nUnquoteLast=>\r\n"
                          "WordWrap=15\r\nUnquoteLevels=3\r\n");
    EXPECT_EQ(History(), ">\r\n\xBB\r\n");
}

TEST_F(QuoteDialogTest, UnquoteModeAcceptsAndStoresAnInvalidWidthAndUnquotesTheText)
{
    OnDialog("fill in and confirm", [](HWND dialog) {
        PostClick(dialog, IDC_UNQUOTE_MODE);
        SetItemText(dialog, IDC_WRAP_WIDTH, "5");
        SetItemText(dialog, IDC_ADD_SIGN, "#");
        SetItemText(dialog, IDC_REMOVE_SIGN, "#");
        SetItemText(dialog, IDC_UNQUOTE_LEVELS, "1");
        PostClick(dialog, IDC_CONFIRM);
    });

    EXPECT_EQ(Run(L"##\u05E9\u05DC\u05D5\u05DD\r\n##\U0001F600\r\n#"), 1);
    EXPECT_EQ(m_dialog.GetResultText(), L"#\u05E9\u05DC\u05D5\u05DD\r\n#\U0001F600\r\n");
    EXPECT_EQ(Settings(), "[Settings]\r\nMode=1\r\nQuoteLast=#\r\nUnquoteLast=#\r\n"
                          "WordWrap=5\r\nUnquoteLevels=1\r\n");
    EXPECT_EQ(History(), "#\r\n"); // the same new sign in both boxes is appended once
}

// ---------------------------------------------------------------------------------------------
// Keys, buttons and the close request

void FillValid(HWND dialog)
{
    SetItemText(dialog, IDC_ADD_SIGN, ">");
    SetItemText(dialog, IDC_REMOVE_SIGN, ">");
}

struct KeyCase
{
    const char* name;
    int focus; // 0: leave the focus where the dialog put it
    UINT key;
    INT_PTR result;
};

const KeyCase kKeys[] = {
    {"EnterInTheSignBoxConfirms", 0, VK_RETURN, 1},
    {"EscInTheSignBoxCancels", 0, VK_ESCAPE, 0},
    {"EnterOnTheFocusedCancelButtonConfirms", IDC_DISMISS, VK_RETURN, 1},
    {"SpaceOnTheFocusedCancelButtonCancels", IDC_DISMISS, VK_SPACE, 0},
    {"EnterInTheWidthBoxConfirms", IDC_WRAP_WIDTH, VK_RETURN, 1},
    {"EscOnTheFocusedOkButtonCancels", IDC_CONFIRM, VK_ESCAPE, 0},
};

class QuoteDialogKeys : public QuoteDialogTest, public testing::WithParamInterface<KeyCase>
{
};

TEST_P(QuoteDialogKeys, EnterConfirmsAndEscCancelsWhereverTheFocusIs)
{
    const KeyCase& k = GetParam();
    int focused = 0;
    OnDialog("press the key", [&](HWND dialog) {
        FillValid(dialog);
        if (k.focus != 0)
            FocusControl(dialog, k.focus);
        focused = FocusedControlId(dialog);
        PostKey(GetFocus(), k.key);
    });

    EXPECT_EQ(Run(L"a"), k.result);
    EXPECT_EQ(focused, k.focus != 0 ? k.focus : IDC_ADD_SIGN);
    if (k.result == 1)
        EXPECT_EQ(m_dialog.GetResultText(), L">a\r\n>");
    else
        EXPECT_EQ(Settings(), ""); // cancelling writes nothing
}

INSTANTIATE_TEST_SUITE_P(Cases, QuoteDialogKeys, testing::ValuesIn(kKeys),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(QuoteDialogTest, IgnoresTheCloseRequest)
{
    OnDialog("ask it to close", [](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); });
    bool stillShown = false;
    OnDialog("still open, cancel", [&](HWND dialog) {
        stillShown = IsWindowVisible(dialog) != FALSE;
        PostClick(dialog, IDC_DISMISS);
    });

    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(stillShown);
}

TEST_F(QuoteDialogTest, ModeButtonsSwitchTheEnabledBoxesAndKeepTypedValues)
{
    std::vector<std::string> seen;
    OnDialog("type, then switch to unquote", [](HWND dialog) {
        SetItemText(dialog, IDC_ADD_SIGN, "#");
        SetItemText(dialog, IDC_WRAP_WIDTH, "33");
        PostClick(dialog, IDC_UNQUOTE_MODE);
    });
    OnDialog("type, then switch back", [&](HWND dialog) {
        seen.push_back(Look(dialog));
        SetItemText(dialog, IDC_REMOVE_SIGN, "%");
        SetItemText(dialog, IDC_UNQUOTE_LEVELS, "4");
        PostClick(dialog, IDC_QUOTE_MODE);
    });
    OnDialog("press quote again", [&](HWND dialog) {
        seen.push_back(Look(dialog));
        PostClick(dialog, IDC_QUOTE_MODE);
    });
    OnDialog("look and cancel", [&](HWND dialog) {
        seen.push_back(Look(dialog));
        PostClick(dialog, IDC_DISMISS);
    });

    EXPECT_EQ(Run(), 0);
    // The focus stays on the button last pressed.
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "checked 206; enabled 209 210; 33 1; [] '#'; [] ''; focus 206",
                        "checked 205; enabled 207 208; 33 4; [] '#'; [] '%'; focus 205",
                        "checked 205; enabled 207 208; 33 4; [] '#'; [] '%'; focus 205",
                    }));
}

} // namespace
} // namespace tessel
