#include "hostsim/modal_driver.h"

#include <gtest/gtest.h>

namespace tessel::hostsim
{
namespace
{

TEST(ModalDriver, AnswersMessageBoxesInOrderFromInsideTheirLoops)
{
    ModalDriver driver;
    std::vector<std::string> seen;
    const auto pressOk = [&](HWND box) {
        seen.push_back(WindowCaption(box) + ": " + DialogItemText(box, kMessageBoxTextId));
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    };
    driver.Expect("first box", DialogWithCaption("First"), pressOk);
    driver.Expect("second box", DialogWithCaption("Second"), pressOk);

    EXPECT_EQ(MessageBoxA(nullptr, "one", "First", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxA(nullptr, "two\r\nlines", "Second", MB_OK | MB_ICONEXCLAMATION), IDOK);

    EXPECT_EQ(seen, (std::vector<std::string>{"First: one", "Second: two\r\nlines"}));
    EXPECT_TRUE(driver.Pending().empty());
    EXPECT_TRUE(driver.Rescued().empty());
}

TEST(ModalDriver, RescuesAWindowThatNoStepTakes)
{
    ModalDriver driver;
    driver.SetPatience(std::chrono::milliseconds(100));
    driver.Expect("never shown", DialogWithCaption("Other"), [](HWND) {});

    MessageBoxA(nullptr, "unexpected", "Surprise", MB_OK);

    EXPECT_EQ(driver.Rescued(), std::vector<std::string>{"Surprise"});
    EXPECT_EQ(driver.Pending(), std::vector<std::string>{"never shown"});
}

} // namespace
} // namespace tessel::hostsim
