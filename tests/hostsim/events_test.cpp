// Events through the connection points: subscription, the arguments as the sinks receive them,
// and sinks that unsubscribe and free themselves inside an event.

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

ComPtr<IUnknown> Identity(IUnknown* object)
{
    ComPtr<IUnknown> identity;
    object->QueryInterface(IID_PPV_ARGS(&identity));
    return identity;
}

TEST(HostsimEvents, SubscriptionsAreCheckedAndRecorded)
{
    Host host;
    const auto inspectors = Object(host.Application().Get(), L"Inspectors");
    ComPtr<IConnectionPointContainer> container;
    ASSERT_EQ(inspectors.As(&container), S_OK);
    ComPtr<IConnectionPoint> point;
    EXPECT_EQ(container->FindConnectionPoint(kDIID_InspectorEvents, &point),
              CONNECT_E_NOCONNECTION);
    ASSERT_EQ(container->FindConnectionPoint(kDIID_InspectorsEvents, &point), S_OK);

    const auto wrongSink = TestSink::Make(kDIID_InspectorEvents);
    DWORD cookie = 0;
    EXPECT_EQ(point->Advise(wrongSink.Get(), &cookie), CONNECT_E_CANNOTCONNECT);
    const auto sink = TestSink::Make(kDIID_InspectorsEvents);
    ASSERT_EQ(point->Advise(sink.Get(), &cookie), S_OK);
    EXPECT_EQ(host.InspectorsSinkCount(), 1u);
    EXPECT_EQ(point->Unadvise(cookie + 1), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(host.InspectorsSinkCount(), 0u);
    EXPECT_EQ(host.Record().Lines(),
              (std::vector<std::wstring>{L"advise InspectorsEvents on Inspectors",
                                         L"unadvise InspectorsEvents on Inspectors"}));
}

TEST(HostsimEvents, NewInspectorCarriesTheInspectorBeforeItIsActive)
{
    Host host;
    const ComPtr<IDispatch> app = host.Application();
    const auto sink = TestSink::Make(kDIID_InspectorsEvents);
    ASSERT_EQ(sink->Advise(Object(app.Get(), L"Inspectors").Get()), S_OK);
    bool activeDuringEvent = true;
    sink->onInvoke = [&](TestSink&, DISPPARAMS&) {
        activeDuringEvent = Object(app.Get(), L"ActiveInspector") != nullptr;
        return S_OK;
    };

    const WindowId window = host.OpenInspector();
    ASSERT_EQ(sink->calls.size(), 1u);
    EXPECT_EQ(sink->calls[0].id, kDispNewInspector);
    EXPECT_EQ(sink->calls[0].types, std::vector<VARTYPE>{VT_DISPATCH});
    EXPECT_EQ(sink->calls[0].firstObject, Identity(host.InspectorObject(window).Get()).Get());
    EXPECT_FALSE(activeDuringEvent);
    EXPECT_EQ(Object(app.Get(), L"ActiveInspector").Get(), host.InspectorObject(window).Get());
    sink->Unadvise();
}

TEST(HostsimEvents, ClickPassesTheControlAndAByReferenceCancelFlagLastFirst)
{
    Host host;
    const WindowId window = host.OpenInspector();
    const auto button = ItemAt(MenuControls(host.InspectorObject(window).Get(), 5).Get(), 1);
    const auto sink = TestSink::Make(kDIID_CommandBarButtonEvents);
    ASSERT_EQ(sink->Advise(button.Get()), S_OK);
    sink->onInvoke = [](TestSink&, DISPPARAMS& parameters) {
        *parameters.rgvarg[0].pboolVal = VARIANT_TRUE;
        return S_OK;
    };

    const Delivery delivery = host.Click(window, 5, L"&Font...");
    EXPECT_EQ(delivery.sinks, 1u);
    EXPECT_TRUE(delivery.cancel);
    ASSERT_EQ(sink->calls.size(), 1u);
    EXPECT_EQ(sink->calls[0].id, kDispClick);
    EXPECT_EQ(sink->calls[0].flags, DISPATCH_METHOD);
    EXPECT_EQ(sink->calls[0].types, (std::vector<VARTYPE>{VT_BOOL | VT_BYREF, VT_DISPATCH}));
    EXPECT_EQ(sink->calls[0].firstObject, Identity(button.Get()).Get());
    EXPECT_EQ(host.Record().Lines(EventKind::Click),
              std::vector<std::wstring>{L"click Inspector 1 > F&ormat > \"&Font...\""});
    sink->Unadvise();
}

TEST(HostsimEvents, InspectorEventsHaveTheirIdentifiers)
{
    Host host;
    const WindowId first = host.OpenInspector();
    const WindowId second = host.OpenInspector({.activate = false});
    const auto sink = TestSink::Make(kDIID_InspectorEvents);
    ASSERT_EQ(sink->Advise(host.InspectorObject(first).Get()), S_OK);
    sink->onInvoke = [](TestSink&, DISPPARAMS&) { return DISP_E_MEMBERNOTFOUND; };

    EXPECT_EQ(host.Activate(second).sinks, 0u); // the first one's Deactivate went to the sink
    EXPECT_EQ(host.Activate(first).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(host.Maximize(first).sinks, 0u); // an event of InspectorEvents_10 only
    host.CloseInspector(first);

    const struct
    {
        DISPID id;
        std::vector<VARTYPE> types;
    } expected[] = {{kDispDeactivate, {}}, {kDispActivate, {}}, {kDispClose, {}}};
    ASSERT_EQ(sink->calls.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i)
    {
        EXPECT_EQ(sink->calls[i].id, expected[i].id) << i;
        EXPECT_EQ(sink->calls[i].types, expected[i].types) << i;
    }
    sink->Unadvise();
}

TEST(HostsimEvents, ASinkMayUnsubscribeAndFreeItselfDuringClose)
{
    Host host;
    const WindowId window = host.OpenInspector();
    const auto inspector = host.InspectorObject(window);
    // The first sink unsubscribes itself and a second one, then drops its own last reference.
    auto closing = TestSink::Make(kDIID_InspectorEvents);
    const auto skipped = TestSink::Make(kDIID_InspectorEvents);
    const auto later = TestSink::Make(kDIID_InspectorEvents);
    ASSERT_EQ(closing->Advise(inspector.Get()), S_OK);
    ASSERT_EQ(skipped->Advise(inspector.Get()), S_OK);
    ASSERT_EQ(later->Advise(inspector.Get()), S_OK);
    const auto freed = closing->freed;
    closing->onInvoke = [&skipped](TestSink& self, DISPPARAMS&) {
        skipped->Unadvise();
        self.Unadvise();
        self.Release();
        return S_OK;
    };
    closing.Detach(); // the sink holds its own reference now

    const Delivery delivery = host.CloseInspector(window);
    EXPECT_TRUE(*freed);
    EXPECT_EQ(delivery.sinks, 2u);
    EXPECT_TRUE(skipped->calls.empty());
    EXPECT_EQ(later->calls.size(), 1u);
    EXPECT_TRUE(host.OpenInspectors().empty());
    EXPECT_FALSE(host.ActiveInspector());
    later->Unadvise();
}

// Office raises a button's Click on every button with the same Id and Tag, and a custom
// button's Id is 1 unless it was given another.
TEST(HostsimEvents, AClickReachesEveryButtonWithTheSameIdAndTag)
{
    const struct
    {
        const char* name;
        std::vector<const wchar_t*> tags; // of the buttons in Inspector 1, Inspector 2, Explorer
        std::vector<std::size_t> reached; // calls of each one's sink
    } cases[] = {
        {"no tags", {L"", L"", L""}, {1, 1, 1}},
        {"two share a tag", {L"a", L"a", L"b"}, {1, 1, 0}},
        {"a tag each", {L"a", L"b", L"c"}, {0, 1, 0}},
    };
    for (const auto& c : cases)
    {
        Host host;
        host.ShowMainWindow();
        const WindowId windows[] = {host.OpenInspector(), host.OpenInspector()};
        const ComPtr<IDispatch> menus[] = {
            MenuControls(host.InspectorObject(windows[0]).Get(), 5),
            MenuControls(host.InspectorObject(windows[1]).Get(), 5),
            MenuControls(Object(host.Application().Get(), L"ActiveExplorer").Get(), 7)};
        std::vector<ComPtr<TestSink>> sinks;
        std::vector<ComPtr<IDispatch>> buttons;
        for (std::size_t i = 0; i < std::size(menus); ++i)
        {
            ComPtr<IDispatch> button;
            ASSERT_EQ(CallObjectMethod(menus[i].Get(), L"Add", {_variant_t(1L)}, &button), S_OK);
            PutProperty(button.Get(), L"Caption", _variant_t(L"&Mine"));
            PutProperty(button.Get(), L"Tag", _variant_t(c.tags[i]));
            sinks.push_back(TestSink::Make(kDIID_CommandBarButtonEvents));
            ASSERT_EQ(sinks.back()->Advise(button.Get()), S_OK);
            buttons.push_back(button);
        }
        host.Record().Clear();

        const Delivery delivery = host.Click(windows[1], 5, L"&Mine");
        std::size_t total = 0;
        for (std::size_t i = 0; i < sinks.size(); ++i)
        {
            EXPECT_EQ(sinks[i]->calls.size(), c.reached[i]) << c.name << " " << i;
            for (const auto& call : sinks[i]->calls) // Ctrl is the clicked button
                EXPECT_EQ(call.firstObject, Identity(buttons[1].Get()).Get()) << c.name;
            total += c.reached[i];
            sinks[i]->Unadvise();
        }
        EXPECT_EQ(delivery.sinks, total) << c.name;
        EXPECT_EQ(host.Record().Count(EventKind::ClickDelivered), total) << c.name;
        EXPECT_EQ(host.Record().Lines().at(1),
                  L"click delivered to Inspector 2 > F&ormat > \"&Mine\"")
            << c.name;
    }
}

// InspectorEvents has Activate, Deactivate and Close; InspectorEvents_10 (version 10 on) has
// them too, and BeforeMaximize from version 11 on.
TEST(HostsimEvents, EachInspectorEventsInterfaceCarriesItsOwnEvents)
{
    const struct
    {
        const wchar_t* version;
        bool events10;
        std::vector<DISPID> toEvents;   // what an InspectorEvents sink receives
        std::vector<DISPID> toEvents10; // what an InspectorEvents_10 sink receives
    } cases[] = {
        {L"9.0.0.2711", false, {kDispActivate, kDispClose}, {}},
        {L"10.0.6626", true, {kDispActivate, kDispClose}, {kDispActivate, kDispClose}},
        {L"11.0.5608",
         true,
         {kDispActivate, kDispClose},
         {kDispActivate, kDispBeforeMaximize, kDispClose}},
    };
    for (const auto& c : cases)
    {
        Host host({.version = c.version});
        const WindowId window = host.OpenInspector({.activate = false});
        const auto inspector = host.InspectorObject(window);
        const auto events = TestSink::Make(kDIID_InspectorEvents);
        const auto events10 = TestSink::Make(kDIID_InspectorEvents10);
        ASSERT_EQ(events->Advise(inspector.Get()), S_OK);
        EXPECT_EQ(SUCCEEDED(events10->Advise(inspector.Get())), c.events10);
        host.Activate(window);
        EXPECT_FALSE(host.Maximize(window).cancel);
        host.CloseInspector(window);
        const auto ids = [](const TestSink& sink) {
            std::vector<DISPID> received;
            for (const auto& call : sink.calls)
                received.push_back(call.id);
            return received;
        };
        EXPECT_EQ(ids(*events.Get()), c.toEvents) << c.version;
        EXPECT_EQ(ids(*events10.Get()), c.toEvents10) << c.version;
        events->Unadvise();
        events10->Unadvise();
    }
}

TEST(HostsimEvents, TheMainWindowsCloseGoesToItsSinks)
{
    Host host;
    host.ShowMainWindow();
    const auto explorer = Object(host.Application().Get(), L"ActiveExplorer");
    const auto sink = TestSink::Make(kDIID_ExplorerEvents);
    ASSERT_EQ(sink->Advise(explorer.Get()), S_OK);
    EXPECT_EQ(host.CloseExplorer().sinks, 1u);
    ASSERT_EQ(sink->calls.size(), 1u);
    EXPECT_EQ(sink->calls[0].id, kDispClose);
    EXPECT_EQ(host.MainWindow(), nullptr);
    EXPECT_FALSE(Object(host.Application().Get(), L"ActiveExplorer"));
    sink->Unadvise();
}

} // namespace
} // namespace tessel::hostsim
