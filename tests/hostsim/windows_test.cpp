// The client's top-level windows: the main window and every message window share the class
// "rctrl_renwnd32"; a message window's title says what it shows, and it lies above the others
// when it opens.

#include "hostsim/host.h"
#include "hostsim/modal_driver.h"
#include "tests/hostsim/late_bound.h"
#include "win/ansi.h"

#include <gtest/gtest.h>

namespace tessel::hostsim
{
namespace
{

TEST(HostsimWindows, MessageWindowsHaveTheMainWindowsClassAndTheirOwnTitles)
{
    const struct
    {
        InspectorSetup setup;
        const char* title;
    } cases[] = {
        {{}, "Untitled - Message (HTML)"},
        {{.item = {.subject = L"Lunch"}, .editor = EditorKind::Text},
         "Lunch - Message (Plain Text)"},
        {{.editor = EditorKind::Rtf}, "Untitled - Message (Rich Text)"},
        {{.editor = EditorKind::Word}, "Untitled - Message"},
        {{.item = {.kind = ItemKind::Contact}}, "Untitled - Contact"},
    };
    for (const auto& c : cases)
    {
        Host host;
        host.ShowMainWindow();
        const WindowId window = host.OpenInspector(c.setup);
        const HWND handle = host.InspectorWindow(window);
        EXPECT_EQ(WindowClassName(handle), "rctrl_renwnd32") << c.title;
        EXPECT_EQ(WindowCaption(handle), c.title);
        EXPECT_TRUE(IsWindowVisible(handle)) << c.title;
        EXPECT_EQ(test::Text(host.InspectorObject(window).Get(), L"Caption"), AnsiToWide(c.title));
        // The newest window is the first of its class that a lookup by class finds.
        EXPECT_EQ(FindWindowW(L"rctrl_renwnd32", nullptr), handle) << c.title;
        host.CloseInspector(window);
        EXPECT_FALSE(IsWindow(handle)) << c.title;
        EXPECT_EQ(FindWindowW(L"rctrl_renwnd32", nullptr), host.MainWindow()) << c.title;
    }
}

} // namespace
} // namespace tessel::hostsim
