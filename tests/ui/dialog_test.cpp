#include "ui/framework/dialog.h"

#include "hostsim/modal_driver.h"
#include "ui/resource.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tessel
{
namespace
{

// A dialog whose OK button throws, as a handler might when memory runs out.
class ThrowingDialog : public CDialog
{
  public:
    ThrowingDialog() : CDialog(IDD_QUOTE) {}

  protected:
    const MessageMap& GetMessageMap() const override
    {
        static const MessageMapEntry entries[] = {
            OnCommand<ThrowingDialog, &ThrowingDialog::OnThrow>(IDC_CONFIRM)};
        static const MessageMap map = {&CDialog::GetMessageMap(), entries, std::size(entries)};
        return map;
    }

  private:
    void OnThrow() { throw std::runtime_error("from a handler"); }
};

TEST(CDialog, AQuitMessageEndsTheRunAndIsPostedAgainForTheCallersLoop)
{
    {
        hostsim::ModalDriver driver;
        driver.Expect("quit", hostsim::DialogWithCaption("Quote/Unquote Selected Text"),
                      [](HWND) { PostQuitMessage(7); });
        CDialog dialog(IDD_QUOTE);
        EXPECT_EQ(dialog.DoModal(), -1);
        EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
    }
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
}

TEST(CDialog, AHandlersExceptionReachesTheCallerOfDoModalAfterTheWindowIsGone)
{
    hostsim::ModalDriver driver;
    driver.Expect("press OK", hostsim::DialogWithCaption("Quote/Unquote Selected Text"),
                  [](HWND dialog) { PostMessageW(dialog, WM_COMMAND, IDC_CONFIRM, 0); });
    ThrowingDialog dialog;
    EXPECT_THROW(dialog.DoModal(), std::runtime_error);
    EXPECT_EQ(dialog.GetSafeHwnd(), nullptr);
}

TEST(CDialog, AMissingTemplateGivesMinusOne)
{
    CDialog dialog(4321);
    EXPECT_EQ(dialog.DoModal(), -1);
}

} // namespace
} // namespace tessel
