#include "ui/about_dlg.h"

#include "hostsim/keyboard.h"
#include "hostsim/modal_driver.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/scoped_temp_path.h"
#include "tests/ui/ui_driving.h"
#include "tessel_version.h"
#include "ui/web_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <tuple>

namespace tessel
{
namespace
{

using namespace tessel::test;

// What the dialog asked the shell to do, instead of starting a browser.
std::vector<std::string> g_shellCalls;

std::string Shown(const char* text)
{
    return text != nullptr ? "\"" + std::string(text) + "\"" : "null";
}

HINSTANCE WINAPI RecordShellCall(HWND window, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                 LPCSTR folder, INT show)
{
    g_shellCalls.push_back((window != nullptr ? "window " : "no window ") + Shown(verb) + " " +
                           Shown(file) + " " + Shown(parameters) + " " + Shown(folder) + " " +
                           std::to_string(show));
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33)); // what success looks like
}

class AboutDialogTest : public testing::Test
{
  protected:
    AboutDialogTest() : m_redirect(m_temp.Path())
    {
        g_shellCalls.clear();
        m_previousShell = SetShellExecuteFunction(&RecordShellCall);
    }
    ~AboutDialogTest() override { SetShellExecuteFunction(m_previousShell); }

    // The About dialog has no caption.
    void OnDialog(std::string description, std::function<void(HWND)> act)
    {
        m_driver.Expect(std::move(description), hostsim::DialogWithCaption(""), std::move(act));
    }
    void ExpectStillOpenThenClose()
    {
        OnDialog("still open, close it", [this](HWND dialog) {
            m_stillOpen = IsWindowVisible(dialog) != FALSE;
            PostClick(dialog, IDC_ABOUT_CLOSE);
        });
    }

    INT_PTR Run()
    {
        const INT_PTR result = m_dialog.DoModal();
        EXPECT_EQ(m_driver.Pending(), std::vector<std::string>{});
        EXPECT_EQ(m_driver.Rescued(), std::vector<std::string>{});
        // LoadAnimatedCursor's temporary file is gone again.
        EXPECT_EQ(FolderEntries(m_temp.Path()), std::vector<std::string>{});
        return result;
    }

    TempFolder m_temp;
    ScopedTempPath m_redirect;
    ShellExecuteFunction m_previousShell = nullptr;
    hostsim::ModalDriver m_driver;
    CAboutDlg m_dialog;
    bool m_stillOpen = false;
};

TEST_F(AboutDialogTest, ShowsTitleVersionAndTheAnimationWithTheFocusOnTheFirstButton)
{
    std::string text;
    HCURSOR shown = nullptr;
    int focus = 0;
    OnDialog("look, then close", [&](HWND dialog) {
        text = ItemText(dialog, IDC_ABOUT_TEXT);
        shown = reinterpret_cast<HCURSOR>(
            SendDlgItemMessageW(dialog, IDC_ABOUT_ANIMATION, STM_GETIMAGE, IMAGE_CURSOR, 0));
        focus = FocusedControlId(dialog);
        PostClick(dialog, IDC_ABOUT_CLOSE);
    });

    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(text.rfind("Custom Tessel for Outlook\nVersion " TESSEL_VERSION_TEXT "\n", 0), 0u)
        << text;
    EXPECT_NE(shown, nullptr);
    EXPECT_EQ(shown, m_dialog.GetAnimatedCursor());
    EXPECT_EQ(focus, IDC_PRODUCT_PAGE);
    EXPECT_EQ(g_shellCalls, std::vector<std::string>{});
}

// What the About dialog ignores: every key that ends other dialogs, pressed as the keyboard
// presses it (so the dialog manager sees the modifiers), and the close request.
struct Ignored
{
    const char* name;
    const wchar_t* key; // hostsim's name of the key; nullptr: a close request instead
};

const Ignored kIgnored[] = {
    {"Enter", L"enter"},          {"ShiftEnter", L"shift+enter"},
    {"CtrlEnter", L"ctrl+enter"}, {"Execute", L"execute"},
    {"Esc", L"escape"},           {"ShiftEsc", L"shift+escape"},
    {"CtrlBreak", L"ctrl+break"}, {"CloseRequest", nullptr},
};

void PrintTo(const Ignored& ignored, std::ostream* out)
{
    *out << ignored.name;
}

using IgnoredCase = std::tuple<Ignored, int>; // what is pressed, on which control (0: the first)

class AboutDialogIgnores : public AboutDialogTest, public testing::WithParamInterface<IgnoredCase>
{
};

TEST_P(AboutDialogIgnores, StaysOpenAndOpensNoPage)
{
    const auto& [ignored, focus] = GetParam();
    OnDialog("press", [&](HWND dialog) {
        if (focus != 0)
            FocusControl(dialog, focus);
        if (ignored.key != nullptr)
            ASSERT_TRUE(hostsim::PressKey(dialog, *hostsim::FindKey(ignored.key)));
        else
            PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    ExpectStillOpenThenClose();

    EXPECT_EQ(Run(), IDOK);
    EXPECT_TRUE(m_stillOpen);
    EXPECT_EQ(g_shellCalls, std::vector<std::string>{});
}

std::string IgnoredCaseName(const testing::TestParamInfo<IgnoredCase>& info)
{
    const auto& [ignored, focus] = info.param;
    return std::string(ignored.name) + (focus == 0 ? "OnTheWebButton" : "OnTheCloseButton");
}

INSTANTIATE_TEST_SUITE_P(Cases, AboutDialogIgnores,
                         testing::Combine(testing::ValuesIn(kIgnored),
                                          testing::Values(0, IDC_ABOUT_CLOSE)),
                         IgnoredCaseName);

struct Closing
{
    const char* name;
    std::function<void(HWND)> act;
};

const Closing kClosings[] = {
    {"Click", [](HWND dialog) { PostClick(dialog, IDC_ABOUT_CLOSE); }},
    {"Mnemonic", [](HWND) { PostKey(GetFocus(), 'C'); }},
    {"SpaceOnTheFocusedButton",
     [](HWND dialog) {
         FocusControl(dialog, IDC_ABOUT_CLOSE);
         PostKey(GetFocus(), VK_SPACE);
     }},
};

class AboutDialogCloses : public AboutDialogTest, public testing::WithParamInterface<Closing>
{
};

TEST_P(AboutDialogCloses, ThroughItsCloseButton)
{
    OnDialog("close", GetParam().act);
    EXPECT_EQ(Run(), IDOK);
}

INSTANTIATE_TEST_SUITE_P(Cases, AboutDialogCloses, testing::ValuesIn(kClosings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AboutDialogTest, WebButtonsOpenTheirPagesMaximizedAndLeaveTheDialogOpen)
{
    OnDialog("press both web buttons", [](HWND dialog) {
        PostClick(dialog, IDC_PRODUCT_PAGE);
        PostClick(dialog, IDC_ADDINS_PAGE);
    });
    ExpectStillOpenThenClose();

    EXPECT_EQ(Run(), IDOK);
    EXPECT_TRUE(m_stillOpen);
    const std::string maximized = " null null " + std::to_string(SW_SHOWMAXIMIZED);
    const std::vector<std::string> expected = {
        "no window \"open\" \"https://tessel.example/addins#tessel\"" + maximized,
        "no window \"open\" \"https://tessel.example/addins\"" + maximized,
    };
    EXPECT_EQ(g_shellCalls, expected);
}

} // namespace
} // namespace tessel
