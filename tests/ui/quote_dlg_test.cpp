#include "ui/quote_dlg.h"

#include "hostsim/keyboard.h"
#include "hostsim/modal_driver.h"
#include "settings/data_paths.h"
#include "settings/ini_file.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/ui_driving.h"
#include "win/ansi.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <tuple>

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

// The names by which expectations and test names speak of the dialog's controls.
std::string ControlName(int id)
{
    static const std::pair<int, const char*> kNames[] = {
        {IDC_QUOTE_MODE, "Quote"},     {IDC_ADD_SIGN, "Add"},       {IDC_WRAP_WIDTH, "Width"},
        {IDC_UNQUOTE_MODE, "Unquote"}, {IDC_REMOVE_SIGN, "Remove"}, {IDC_UNQUOTE_LEVELS, "Levels"},
        {IDC_CONFIRM, "OK"},           {IDC_DISMISS, "Cancel"},
    };
    for (const auto& [named, name] : kNames)
        if (named == id)
            return name;
    return id == 0 ? "none" : "Control" + std::to_string(id);
}

// What the dialog shows, in one line: checked mode button, enabled boxes, the numbers, each
// sign box's items and text, and the control with the focus.
std::string Look(HWND dialog)
{
    std::string seen = "checked";
    for (int id : {IDC_QUOTE_MODE, IDC_UNQUOTE_MODE})
        if (IsDlgButtonChecked(dialog, id) == BST_CHECKED)
            seen += " " + ControlName(id);
    seen += "; enabled";
    for (int id : {IDC_ADD_SIGN, IDC_WRAP_WIDTH, IDC_REMOVE_SIGN, IDC_UNQUOTE_LEVELS})
        if (IsWindowEnabled(GetDlgItem(dialog, id)))
            seen += " " + ControlName(id);
    seen += "; " + ItemText(dialog, IDC_WRAP_WIDTH) + " " + ItemText(dialog, IDC_UNQUOTE_LEVELS);
    for (int id : {IDC_ADD_SIGN, IDC_REMOVE_SIGN})
    {
        seen += "; [";
        for (const std::string& item : ComboItems(dialog, id))
            seen += item + ",";
        seen += "] '" + ItemText(dialog, id) + "'";
    }
    return seen + "; focus " + ControlName(FocusedControlId(dialog));
}

struct Opening
{
    const char* name;
    const char* settings; // lines of [Settings]; nullptr: no settings file
    const char* history;  // nullptr: no history file
    const char* shown;
};

const Opening kOpenings[] = {
    {"NoFiles", nullptr, nullptr,
     "checked Quote; enabled Add Width; 60 1; [] ''; [] ''; focus Add"},
    {"StoredUnquoteMode", "Mode=1\r\n", nullptr,
     "checked Unquote; enabled Remove Levels; 60 1; [] ''; [] ''; focus Remove"},
    {"StoredModeTwoOpensQuoteMode", "Mode=2\r\n", nullptr,
     "checked Quote; enabled Add Width; 60 1; [] ''; [] ''; focus Add"},
    {"StoredNumbersShownAsUnsigned", "WordWrap=-5\r\nUnquoteLevels=7\r\n", nullptr,
     "checked Quote; enabled Add Width; 4294967291 7; [] ''; [] ''; focus Add"},
    {"HistorySortedInBothBoxesLastSignsByPrefixIgnoringCase", "QuoteLast=b\r\nUnquoteLast=>\r\n",
     "B:\r\n>>\r\n>\r\na:\r\n|\r\n",
     "checked Quote; enabled Add Width; 60 1; "
     "[|,>,>>,a:,B:,] 'B:'; [|,>,>>,a:,B:,] '>'; focus Add"},
    {"SeveralMatchesSelectTheFirstInSortedOrder", "QuoteLast=a\r\nUnquoteLast=>>\r\n",
     "ab\r\n>>>\r\nA:\r\n>>\r\n",
     "checked Quote; enabled Add Width; 60 1; "
     "[>>,>>>,A:,ab,] 'A:'; [>>,>>>,A:,ab,] '>>'; focus Add"},
    {"NoMatchOrNoLastSignSelectsTheFirstSortedItem", "QuoteLast=zz\r\n", "b\r\n#\r\n",
     "checked Quote; enabled Add Width; 60 1; [#,b,] '#'; [#,b,] '#'; focus Add"},
    {"EmptyListSelectsNothing", "QuoteLast=>\r\nUnquoteLast=>\r\n", nullptr,
     "checked Quote; enabled Add Width; 60 1; [] ''; [] ''; focus Add"},
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
    EXPECT_EQ(Settings(), "[Settings]\r\nMode=0\r\nQuoteLast=\"\xBB\"\r\nUnquoteLast=\">\"\r\n"
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
    EXPECT_EQ(Settings(), "[Settings]\r\nMode=1\r\nQuoteLast=\"#\"\r\nUnquoteLast=\"#\"\r\n"
                          "WordWrap=5\r\nUnquoteLevels=1\r\n");
    EXPECT_EQ(History(), "#\r\n"); // the same new sign in both boxes is appended once
}

// ---------------------------------------------------------------------------------------------
// Signs

struct HistorySign
{
    const char* name;
    const char* sign;
};

const HistorySign kHistorySigns[] = {
    {"Greater", ">"},        {"GreaterBlank", "> "}, {"GreaterTwoBlanks", ">  "},
    {"BlankGreater", " >"},  {"TabGreater", "\t>"},  {"TwoGreater", ">>"},
    {"LowerCase", "a:"},     {"UpperCase", "A:"},    {"Quoted", "\"q\""},
    {"SingleQuoted", "'s'"},
};

class QuoteDialogLastSign : public QuoteDialogTest, public testing::WithParamInterface<HistorySign>
{
};

// Every sign of the history, stored as the last sign, is offered exactly as it was used, blanks,
// quotes and case included, and confirming it as offered quotes with it and stores nothing new.
TEST_P(QuoteDialogLastSign, IsPreselectedExactlyAndQuotesAsItWasUsed)
{
    const std::string sign = GetParam().sign;
    std::string history;
    for (const HistorySign& each : kHistorySigns)
        history += std::string(each.sign) + "\r\n";
    WriteHistory(history);
    IniWriteString("Settings", "QuoteLast", sign, g_strIniPath);
    IniWriteString("Settings", "UnquoteLast", sign, g_strIniPath);
    std::vector<std::string> shown;
    OnDialog("look, then confirm", [&](HWND dialog) {
        shown = {ItemText(dialog, IDC_ADD_SIGN), ItemText(dialog, IDC_REMOVE_SIGN)};
        PostClick(dialog, IDC_CONFIRM);
    });

    EXPECT_EQ(Run(L"a"), 1);
    EXPECT_EQ(shown, (std::vector<std::string>{sign, sign}));
    const std::wstring wide = AnsiToWide(sign);
    EXPECT_EQ(m_dialog.GetResultText(), wide + L"a\r\n" + wide);
    EXPECT_EQ(History(), history);
}

INSTANTIATE_TEST_SUITE_P(Cases, QuoteDialogLastSign, testing::ValuesIn(kHistorySigns),
                         [](const auto& info) { return std::string(info.param.name); });

struct ScriptSign
{
    const char* name;
    const wchar_t* sign;
    const char* stored; // as the ANSI code page 1252 holds it; nullptr: it cannot
};

const ScriptSign kScriptSigns[] = {
    {"Arrow", L"\u2192 ", nullptr},
    {"Hebrew", L"\u05D0 ", nullptr},
    {"Emoji", L"\U0001F600", nullptr},
    {"LatinWithALookAlike", L"\u0100 ", nullptr}, // a best fit would store "A "
    {"GuillemetOfTheCodePage", L"\u00BB ", "\xBB "},
};

void PrintTo(const ScriptSign& sign, std::ostream* out)
{
    *out << sign.name;
}

class QuoteDialogScriptSign : public QuoteDialogTest,
                              public testing::WithParamInterface<std::tuple<ScriptSign, int>>
{
};

// A sign in any script quotes and unquotes as typed; only a sign that the ANSI files can hold
// exactly is stored, and nothing (no question mark) stands in for one they cannot.
TEST_P(QuoteDialogScriptSign, IsUsedAsTypedAndStoredOnlyWhenTheFilesHoldIt)
{
    if (GetACP() != 1252)
        GTEST_SKIP() << "which signs can be stored is chosen for code page 1252";
    const auto& [script, modeButton] = GetParam();
    const bool quote = modeButton == IDC_QUOTE_MODE;
    WriteHistory(">\r\n");
    WriteSettings("QuoteLast=\"|\"\r\nUnquoteLast=\"|\"\r\n");
    OnDialog("type the sign in both boxes and confirm", [&](HWND dialog) {
        PostClick(dialog, modeButton);
        SetDlgItemTextW(dialog, IDC_ADD_SIGN, script.sign);
        SetDlgItemTextW(dialog, IDC_REMOVE_SIGN, script.sign);
        PostClick(dialog, IDC_CONFIRM);
    });

    const std::wstring sign = script.sign;
    EXPECT_EQ(Run(quote ? L"a" : sign + L"a"), 1);
    EXPECT_EQ(m_dialog.GetResultText(), quote ? sign + L"a\r\n" + sign : L"a");
    const std::string stored = script.stored != nullptr ? script.stored : "|";
    EXPECT_EQ(IniReadString("Settings", "QuoteLast", "", g_strIniPath), stored);
    EXPECT_EQ(IniReadString("Settings", "UnquoteLast", "", g_strIniPath), stored);
    EXPECT_EQ(Settings().find('?'), std::string::npos) << Settings();
    EXPECT_EQ(History(), script.stored != nullptr ? ">\r\n" + stored + "\r\n" : ">\r\n");
}

std::string ScriptSignName(const testing::TestParamInfo<std::tuple<ScriptSign, int>>& info)
{
    const auto& [script, modeButton] = info.param;
    return std::string(script.name) + (modeButton == IDC_QUOTE_MODE ? "Quotes" : "Unquotes");
}

INSTANTIATE_TEST_SUITE_P(Cases, QuoteDialogScriptSign,
                         testing::Combine(testing::ValuesIn(kScriptSigns),
                                          testing::Values(IDC_QUOTE_MODE, IDC_UNQUOTE_MODE)),
                         ScriptSignName);

// ---------------------------------------------------------------------------------------------
// Keys, buttons and the close request

void FillValid(HWND dialog)
{
    SetItemText(dialog, IDC_ADD_SIGN, ">");
    SetItemText(dialog, IDC_REMOVE_SIGN, ">");
}

// What ends the dialog: a key pressed as the keyboard presses it, or the command that the dialog
// manager sends for such keys when they get past the dialog.
struct Ending
{
    const char* name;
    const wchar_t* key; // hostsim's name of the key; nullptr: the command is posted instead
    UINT command;
    bool confirms;
};

const Ending kEndings[] = {
    {"Enter", L"enter", 0, true},
    {"ShiftEnter", L"shift+enter", 0, true},
    {"CtrlEnter", L"ctrl+enter", 0, true},
    {"Execute", L"execute", 0, true},
    {"IdOk", nullptr, IDOK, true},
    {"Esc", L"escape", 0, false},
    {"ShiftEsc", L"shift+escape", 0, false},
    {"CtrlBreak", L"ctrl+break", 0, false},
    {"IdCancel", nullptr, IDCANCEL, false},
};

void PrintTo(const Ending& ending, std::ostream* out)
{
    *out << ending.name;
}

void Press(HWND dialog, const Ending& ending)
{
    if (ending.key != nullptr)
        ASSERT_TRUE(hostsim::PressKey(dialog, *hostsim::FindKey(ending.key)));
    else
        PostMessageW(dialog, WM_COMMAND, ending.command, 0);
}

// The controls that can have the focus in each mode; the other mode's boxes are disabled.
constexpr int kFocusable[2][6] = {
    {IDC_QUOTE_MODE, IDC_ADD_SIGN, IDC_WRAP_WIDTH, IDC_UNQUOTE_MODE, IDC_CONFIRM, IDC_DISMISS},
    {IDC_QUOTE_MODE, IDC_UNQUOTE_MODE, IDC_REMOVE_SIGN, IDC_UNQUOTE_LEVELS, IDC_CONFIRM,
     IDC_DISMISS},
};

using EndingCase = std::tuple<Ending, int, int>; // what ends it, the mode, the focused control

class QuoteDialogEnding : public QuoteDialogTest, public testing::WithParamInterface<EndingCase>
{
};

// Confirming, however it is done, checks the values (an invalid number shows its message) and
// runs the engine; dismissing, however it is done, ends with 0 and writes nothing.
TEST_P(QuoteDialogEnding, ConfirmsOnlyWithTheChecksAndDismissesWithZero)
{
    const auto& [ending, mode, slot] = GetParam();
    const bool quote = mode == 0;
    if (!quote)
        WriteSettings("Mode=1\r\n");
    const int focus = kFocusable[mode][slot];
    const int numberBox = quote ? IDC_WRAP_WIDTH : IDC_UNQUOTE_LEVELS;
    std::vector<int> focused;
    auto pressOn = [&](HWND dialog) {
        FocusControl(dialog, focus);
        focused.push_back(FocusedControlId(dialog));
        Press(dialog, ending);
    };
    OnDialog("an invalid number, then the key", [&](HWND dialog) {
        FillValid(dialog);
        SetItemText(dialog, numberBox, quote ? "5" : "0");
        pressOn(dialog);
    });
    if (ending.confirms)
    {
        OnMessage("the number's message");
        OnDialog("a valid number, then the key again", [&](HWND dialog) {
            SetItemText(dialog, numberBox, "10");
            pressOn(dialog);
        });
    }

    const INT_PTR result = Run(L">a");
    EXPECT_EQ(focused, std::vector<int>(ending.confirms ? 2 : 1, focus));
    if (ending.confirms)
    {
        EXPECT_EQ(result, 1);
        EXPECT_EQ(m_messages, std::vector<std::string>{quote ? kWidthMessage : kLevelsMessage});
        EXPECT_TRUE(m_dialog.HasResultText());
        EXPECT_EQ(m_dialog.GetResultText(), quote ? L">>a\r\n>" : L"a");
    }
    else
    {
        EXPECT_EQ(result, 0);
        EXPECT_EQ(m_messages, std::vector<std::string>{});
        EXPECT_FALSE(m_dialog.HasResultText());
        EXPECT_EQ(Settings(), quote ? "" : "[Settings]\r\nMode=1\r\n");
    }
}

std::string EndingCaseName(const testing::TestParamInfo<EndingCase>& info)
{
    const auto& [ending, mode, slot] = info.param;
    return std::string(ending.name) + (mode == 0 ? "Quote" : "Unquote") + "On" +
           ControlName(kFocusable[mode][slot]);
}

INSTANTIATE_TEST_SUITE_P(Cases, QuoteDialogEnding,
                         testing::Combine(testing::ValuesIn(kEndings), testing::Values(0, 1),
                                          testing::Range(0, 6)),
                         EndingCaseName);

TEST_F(QuoteDialogTest, SpaceOnTheFocusedCancelButtonCancels)
{
    OnDialog("press space on Cancel", [](HWND dialog) {
        FillValid(dialog);
        FocusControl(dialog, IDC_DISMISS);
        PostKey(GetFocus(), VK_SPACE);
    });

    EXPECT_EQ(Run(L"a"), 0);
    EXPECT_EQ(Settings(), "");
}

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
    EXPECT_EQ(seen,
              (std::vector<std::string>{
                  "checked Unquote; enabled Remove Levels; 33 1; [] '#'; [] ''; focus Unquote",
                  "checked Quote; enabled Add Width; 33 4; [] '#'; [] '%'; focus Quote",
                  "checked Quote; enabled Add Width; 33 4; [] '#'; [] '%'; focus Quote",
              }));
}

} // namespace
} // namespace tessel
