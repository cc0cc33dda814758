// Failure injection: each rule changes exactly the call it names.

#include "hostsim/host.h"
#include "hostsim/iids.h"
#include "tests/hostsim/late_bound.h"
#include "tests/hostsim/test_sink.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tessel::hostsim
{
namespace
{

using test::Answers;
using test::ItemAt;
using test::MenuControls;
using test::Object;
using test::TestSink;
using test::Text;

TEST(HostsimFaults, AFailingCallReturnsItsStatusAndNothingElse)
{
    Host host;
    const WindowId window = host.OpenInspector();
    const auto inspector = host.InspectorObject(window);
    const auto item = Object(inspector.Get(), L"CurrentItem");
    host.FailCall(L"Inspector", L"CurrentItem", E_ACCESSDENIED);
    host.FailCall(L"CommandBarButton", L"Caption", E_FAIL, Access::Put);
    host.FailCall(L"MailItem", L"Save", STG_E_MEDIUMFULL);

    _variant_t value;
    EXPECT_EQ(GetProperty(inspector.Get(), L"CurrentItem", &value), E_ACCESSDENIED);
    EXPECT_EQ(value.vt, VT_EMPTY);
    long editor = 0;
    EXPECT_EQ(GetLongProperty(inspector.Get(), L"EditorType", &editor), S_OK);
    EXPECT_EQ(host.Calls(L"Inspector", L"CurrentItem"), 2);
    EXPECT_EQ(CallMethod(item.Get(), L"Save", {}), STG_E_MEDIUMFULL);

    const auto button = ItemAt(MenuControls(inspector.Get(), 5).Get(), 1);
    EXPECT_EQ(PutProperty(button.Get(), L"Caption", _variant_t(L"x")), E_FAIL);
    EXPECT_EQ(Text(button.Get(), L"Caption"), L"&Font...");

    EXPECT_EQ(host.Record().Count(EventKind::Save), 0u);
    host.ClearFaults();
    EXPECT_EQ(CallMethod(item.Get(), L"Save", {}), S_OK);
    EXPECT_EQ(host.Record().Count(EventKind::Save), 1u);
}

TEST(HostsimFaults, ObjectsInterfacesAndNamesCanBeTakenAway)
{
    Host host;
    const WindowId window = host.OpenInspector();
    const auto app = host.Application();
    host.ReturnNull(L"Application", L"ActiveInspector");
    host.ReturnValue(L"MailItem", L"MessageClass", _variant_t(42L));
    host.HideMember(L"Inspector", L"EditorType");
    host.RefuseInterface(L"Inspector", kIID_Inspector);

    _variant_t active;
    EXPECT_EQ(GetProperty(app.Get(), L"ActiveInspector", &active), S_OK);
    EXPECT_EQ(active.vt, VT_DISPATCH);
    EXPECT_EQ(active.pdispVal, nullptr);
    const auto inspector = host.InspectorObject(window);
    _variant_t messageClass;
    EXPECT_EQ(
        GetProperty(Object(inspector.Get(), L"CurrentItem").Get(), L"MessageClass", &messageClass),
        S_OK);
    EXPECT_EQ(messageClass.vt, VT_I4);
    long editor = 0;
    EXPECT_EQ(GetLongProperty(inspector.Get(), L"EditorType", &editor), DISP_E_UNKNOWNNAME);
    EXPECT_FALSE(Answers(inspector.Get(), kIID_Inspector));
    EXPECT_TRUE(Answers(inspector.Get(), IID_IDispatch));
}

TEST(HostsimFaults, ConnectionCallsFailOnDemand)
{
    Host host;
    const auto inspectors = Object(host.Application().Get(), L"Inspectors");
    const auto sink = TestSink::Make(kDIID_InspectorsEvents);
    host.FailCall(L"Inspectors", L"FindConnectionPoint", E_UNEXPECTED);
    EXPECT_EQ(sink->Advise(inspectors.Get()), E_UNEXPECTED);
    host.ClearFaults();
    host.FailCall(L"Inspectors", L"Advise", CONNECT_E_ADVISELIMIT);
    EXPECT_EQ(sink->Advise(inspectors.Get()), CONNECT_E_ADVISELIMIT);
    EXPECT_EQ(host.InspectorsSinkCount(), 0u);
    host.RefuseInterface(L"Inspectors", IID_IConnectionPointContainer);
    EXPECT_EQ(sink->Advise(inspectors.Get()), E_NOINTERFACE);
}

TEST(HostsimFaults, RulesForMembersThatDoNotExistAreRefused)
{
    Host host;
    EXPECT_THROW(host.FailCall(L"Inspector", L"CurentItem", E_FAIL), std::invalid_argument);
    EXPECT_THROW(host.FailCall(L"Inspectr", L"CurrentItem", E_FAIL), std::invalid_argument);
    EXPECT_THROW(host.FailCall(L"MailItem", L"Advise", E_FAIL), std::invalid_argument);
    EXPECT_NO_THROW(host.FailCall(L"CommandBarButton", L"Advise", E_FAIL));
}

} // namespace
} // namespace tessel::hostsim
