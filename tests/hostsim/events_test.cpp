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

TEST(HostsimEvents, InspectorEventsHaveTheirIdentifiersAndArguments)
{
    Host host;
    const WindowId first = host.OpenInspector();
    const WindowId second = host.OpenInspector({.activate = false});
    const auto sink = TestSink::Make(kDIID_InspectorEvents);
    ASSERT_EQ(sink->Advise(host.InspectorObject(first).Get()), S_OK);
    sink->onInvoke = [](TestSink&, DISPPARAMS&) { return DISP_E_MEMBERNOTFOUND; };

    EXPECT_EQ(host.Activate(second).sinks, 0u); // the first one's Deactivate went to the sink
    EXPECT_EQ(host.Activate(first).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_FALSE(host.Maximize(first).cancel);
    host.CloseInspector(first);

    const struct
    {
        DISPID id;
        std::vector<VARTYPE> types;
    } expected[] = {{kDispDeactivate, {}},
                    {kDispActivate, {}},
                    {kDispBeforeMaximize, {VT_BOOL | VT_BYREF}},
                    {kDispClose, {}}};
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

} // namespace
} // namespace tessel::hostsim
