// The 2000-2003 hosts end only when, after their last window closed, nothing of theirs is held;
// the add-in lets go of everything by then, whatever windows were open, and also when it is told
// that the host ends or disconnects it.

#include "addin/connection_state.h"
#include "addin/event_sink.h"
#include "hostsim/live_objects.h"
#include "tests/addin/addin_in_host.h"

#include <functional>

namespace tessel::test
{
namespace
{

using hostsim::InspectorSetup;
using hostsim::ItemKind;
using hostsim::QuoteAnswer;

class Shutdown : public AddinInHost
{
};

TEST_F(Shutdown, NothingIsHeldOnceTheLastWindowHasClosed)
{
    const struct
    {
        const char* name;
        const wchar_t* version;
        std::function<void()> arrange;
    } cases[] = {
        {"no message window", L"11.0.5608", [] {}},
        {"a message window open at the end", L"11.0.5608", [this] { OpenMessage(L"text"); }},
        {"a window that gets no item", L"10.0.6626",
         [this] {
             InspectorSetup contact;
             contact.item.kind = ItemKind::Contact;
             OpenMessage(L"card", contact);
         }},
        {"a quote run in the last of several windows", L"9.0.0.2711",
         [this] {
             OpenMessage(L"one");
             const hostsim::WindowId last = OpenMessage(L"two");
             User().ExpectQuoteDialog(QuoteAnswer::Quote(L"> ", 60));
             ClickQuote(last);
         }},
        {"the main window closed before the message window", L"11.0.5608",
         [this] {
             const hostsim::WindowId window = OpenMessage(L"text");
             Host().CloseExplorer();
             // Still working there.
             User().ExpectQuoteDialog(QuoteAnswer::Quote(L"> ", 60));
             ClickQuote(window);
             EXPECT_EQ(Host().EditorText(window), L"> text\r\n> ");
         }},
        {"an inert add-in (another version)", L"12.0.4518", [] {}},
    };
    for (const auto& c : cases)
    {
        hostsim::HostOptions options;
        options.version = c.version;
        ASSERT_EQ(Connect(options), S_OK) << c.name;
        c.arrange();
        Host().Quit();
        EXPECT_EQ(Host().HeldObjects(), 0u) << c.name << "\n" << hostsim::DescribeLiveObjects();
        EXPECT_FALSE(g_bConnected) << c.name;
        TearDown();
        SetUp();
    }
}

// Told that the host ends (or the user disconnects the add-in) while windows are open, the
// add-in lets go of them too: their items go, and so do its sinks.
TEST_F(Shutdown, EndingWithWindowsOpenLetsGoOfThem)
{
    for (const bool disconnection : {false, true})
    {
        ASSERT_EQ(Connect(), S_OK);
        const long sinksBefore = EventSink::LiveCount();
        const hostsim::WindowId first = OpenMessage(L"one");
        const hostsim::WindowId second = OpenMessage(L"two");
        if (disconnection)
            AddinObject()->OnDisconnection(ext_dm_UserClosed, nullptr);
        else
            AddinObject()->OnBeginShutdown(nullptr);
        EXPECT_FALSE(HasQuoteItem(first)) << disconnection;
        EXPECT_FALSE(HasQuoteItem(second)) << disconnection;
        EXPECT_EQ(EventSink::LiveCount(), sinksBefore) << disconnection;
        EXPECT_EQ(Host().InspectorsSinkCount() + Host().ExplorerSinkCount(), 0u) << disconnection;
        Host().Quit();
        EXPECT_EQ(Host().HeldObjects(), 0u) << hostsim::DescribeLiveObjects();
        TearDown();
        SetUp();
    }
}

} // namespace
} // namespace tessel::test
