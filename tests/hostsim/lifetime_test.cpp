// Reference counting: with sinks that hold the host's objects (as the add-in's do), nothing of
// the host stays alive once the test and the host have let go.

#include "hostsim/host.h"
#include "hostsim/iids.h"
#include "hostsim/live_objects.h"
#include "tests/hostsim/late_bound.h"
#include "tests/hostsim/test_sink.h"

#include <gtest/gtest.h>

namespace tessel::hostsim
{
namespace
{

using test::ItemAt;
using test::MenuControls;
using test::Object;
using test::TestSink;

TEST(HostsimLifetime, NothingStaysAliveAfterShutdownThoughSinksHoldTheHost)
{
    ASSERT_EQ(LiveObjectCount(), 0u) << DescribeLiveObjects();
    {
        Host host;
        host.ShowMainWindow();
        // An add-in-like web: a sink on the collection holds the application; every new
        // window gets a button whose click sink holds it, and a close sink that holds the window.
        const auto newInspector = TestSink::Make(kDIID_InspectorsEvents);
        newInspector->holds.push_back(host.Application());
        newInspector->onInvoke = [](TestSink&, DISPPARAMS& parameters) {
            IDispatch* inspector = parameters.rgvarg[0].pdispVal;
            ComPtr<IDispatch> button;
            CallObjectMethod(MenuControls(inspector, 5).Get(), L"Add",
                             {_variant_t(1L), MissingArgument(), MissingArgument(),
                              MissingArgument(), BooleanAsShort(true)},
                             &button);
            const auto click = TestSink::Make(kDIID_CommandBarButtonEvents);
            click->holds.push_back(button);
            click->Advise(button.Get());
            const auto close = TestSink::Make(kDIID_InspectorEvents);
            close->holds.push_back(ComPtr<IUnknown>(inspector));
            close->Advise(inspector);
            return S_OK;
        };
        ASSERT_EQ(newInspector->Advise(Object(host.Application().Get(), L"Inspectors").Get()),
                  S_OK);
        const WindowId first = host.OpenInspector({.text = L"abc", .selectionEnd = 2});
        host.OpenInspector();
        host.CloseInspector(first);
        // The closed window's sinks never unsubscribed: it is still alive, and shows as such.
        EXPECT_EQ(LiveObjectCount(L"Inspector"), 2u);
        EXPECT_GT(LiveObjectCount(L"CommandBarButton"), 0u);
    }
    EXPECT_EQ(LiveObjectCount(), 0u) << DescribeLiveObjects();
}

TEST(HostsimLifetime, TheReportNamesWhatIsStillHeld)
{
    ASSERT_EQ(LiveObjectCount(), 0u) << DescribeLiveObjects();
    ComPtr<IDispatch> kept;
    {
        Host host;
        const WindowId window = host.OpenInspector();
        kept = ItemAt(MenuControls(host.InspectorObject(window).Get(), 5).Get(), 2);
    }
    const auto live = LiveObjects();
    ASSERT_EQ(live.size(), 1u) << DescribeLiveObjects();
    EXPECT_EQ(live[0].kind, L"CommandBarButton");
    EXPECT_EQ(live[0].label, L"Inspector 1 > F&ormat > \"&Paragraph...\"");
    EXPECT_EQ(live[0].references, 1u);
    kept.Reset();
    EXPECT_EQ(LiveObjectCount(), 0u) << DescribeLiveObjects();
}

// The 2000-2003 clients disconnect their add-ins only once nothing of theirs is held after the
// last window closed ("the client stays in memory" otherwise); 2007 and later regardless.
TEST(HostsimLifetime, AClassicClientEndsOnlyWhenNothingIsHeld)
{
    const struct
    {
        const char* name;
        HostKind kind;
        bool holdsApplication; // as an add-in that keeps its references would
        bool disconnects;
    } cases[] = {
        {"classic, nothing held", HostKind::Classic, false, true},
        {"classic, the application held", HostKind::Classic, true, false},
        {"modern, the application held", HostKind::Modern, true, true},
    };
    for (const auto& c : cases)
    {
        ComPtr<IDispatch> held;
        {
            Host host({.kind = c.kind});
            host.ShowMainWindow();
            host.OpenInspector();
            if (c.holdsApplication)
                held = host.Application();
            host.Quit();
            EXPECT_EQ(host.HeldObjects() > 0, c.holdsApplication) << c.name;
            EXPECT_EQ(host.ReadyToDisconnect(), c.disconnects) << c.name;
            const auto stays = host.Record().Lines(EventKind::HostStaysRunning);
            EXPECT_EQ(stays.size(), c.disconnects ? 0u : 1u) << c.name;
            if (!stays.empty())
            {
                EXPECT_EQ(stays[0], L"host stays running: " + std::to_wstring(host.HeldObjects()) +
                                        L" objects held by the add-in");
            }
            EXPECT_EQ(host.Record().Lines(EventKind::CloseExplorer),
                      std::vector<std::wstring>{L"close Explorer"});
        }
        held.Reset();
        EXPECT_EQ(LiveObjectCount(), 0u) << c.name << "\n" << DescribeLiveObjects();
    }
}

} // namespace
} // namespace tessel::hostsim
