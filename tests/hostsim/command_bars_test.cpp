// The menus as the add-in reaches them late-bound: fixed positions, the Edit Message item per
// version and state, Add, Delete and what the record makes of them.

#include "hostsim/host.h"
#include "hostsim/iids.h"
#include "tests/hostsim/late_bound.h"

#include <gtest/gtest.h>

namespace tessel::hostsim
{
namespace
{

using test::Answers;
using test::ItemAt;
using test::MenuControls;
using test::Object;
using test::Text;

long Count(IDispatch* collection)
{
    long count = -1;
    GetLongProperty(collection, L"Count", &count);
    return count;
}

ComPtr<IDispatch> AddButton(IDispatch* menu)
{
    ComPtr<IDispatch> added;
    CallObjectMethod(menu, L"Add",
                     {_variant_t(1L), MissingArgument(), MissingArgument(), MissingArgument(),
                      BooleanAsShort(true)},
                     &added);
    return added;
}

TEST(HostsimCommandBars, PopupsStandWhereTheAddinLooks)
{
    Host host;
    const WindowId window = host.OpenInspector();
    const struct
    {
        const char* window;
        ComPtr<IDispatch> object;
        long menus;
        std::vector<long> popups;
    } cases[] = {
        {"explorer", Object(host.Application().Get(), L"ActiveExplorer"), 7, {7}},
        {"inspector", host.InspectorObject(window), 8, {2, 5}},
    };
    for (const auto& c : cases)
    {
        const auto bar = Object(Object(c.object.Get(), L"CommandBars").Get(), L"ActiveMenuBar");
        const auto controls = Object(bar.Get(), L"Controls");
        EXPECT_EQ(Count(controls.Get()), c.menus) << c.window;
        for (const long position : c.popups)
        {
            const auto control = Object(ItemAt(controls.Get(), position).Get(), L"Control");
            EXPECT_TRUE(Answers(control.Get(), kIID_CommandBarPopup)) << c.window << position;
            EXPECT_GT(Count(Object(control.Get(), L"Controls").Get()), 0) << c.window << position;
        }
    }
}

// A user may customise the main menu bar; CommandBarControl.Control is reserved for internal use.
TEST(HostsimCommandBars, MenuBarsOfOtherShapes)
{
    for (const std::size_t menus : {std::size_t{0}, std::size_t{6}, std::size_t{9}})
    {
        Host host({.explorerMenuBar = ExplorerMenuBarOf(menus)});
        const auto bar = Object(
            Object(Object(host.Application().Get(), L"ActiveExplorer").Get(), L"CommandBars").Get(),
            L"ActiveMenuBar");
        EXPECT_EQ(Count(Object(bar.Get(), L"Controls").Get()), static_cast<long>(menus));
        EXPECT_EQ(host.MenuItems(kExplorer, 7).empty(), menus < 7) << menus;
    }
    Host host({.controlObject = false});
    const WindowId window = host.OpenInspector();
    const auto bar =
        Object(Object(host.InspectorObject(window).Get(), L"CommandBars").Get(), L"ActiveMenuBar");
    const auto format = ItemAt(Object(bar.Get(), L"Controls").Get(), 5);
    _variant_t control;
    EXPECT_EQ(GetProperty(format.Get(), L"Control", &control), S_OK);
    EXPECT_EQ(control.vt, VT_DISPATCH);
    EXPECT_EQ(control.pdispVal, nullptr);
    EXPECT_TRUE(Answers(format.Get(), kIID_CommandBarPopup)); // the item itself is the popup
}

TEST(HostsimCommandBars, EditMessageItemByVersionAndState)
{
    const struct
    {
        const wchar_t* version;
        EditMessageItem item;
        long position;
        bool present;
        bool button;
        bool enabled;
    } cases[] = {
        {L"9.0.0.2711", EditMessageItem::Enabled(), 10, true, true, true},
        {L"10.0.6626", EditMessageItem::Disabled(), 11, true, true, false},
        {L"11.0.5608", EditMessageItem::Captioned(L"&Nachricht bearbeiten"), 11, true, true, true},
        {L"11.0.5608", EditMessageItem::Popup(), 11, true, false, true},
        {L"9.0.0.2711", EditMessageItem::Absent(), 10, false, false, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        Host host({.version = c.version});
        const WindowId window = host.OpenInspector({.editMessage = c.item});
        const auto editMenu = MenuControls(host.InspectorObject(window).Get(), 2);
        const auto item = ItemAt(editMenu.Get(), c.position);
        EXPECT_NE(Text(ItemAt(editMenu.Get(), c.position - 1).Get(), L"Caption"), c.item.caption);
        ASSERT_EQ(item != nullptr, c.present);
        if (!c.present)
        {
            EXPECT_EQ(Count(editMenu.Get()), c.position - 1);
            continue;
        }
        EXPECT_EQ(Text(item.Get(), L"Caption"), c.item.caption);
        EXPECT_EQ(Answers(item.Get(), kIID_CommandBarButton), c.button);
        bool enabled = !c.enabled;
        EXPECT_EQ(GetBoolProperty(item.Get(), L"Enabled", &enabled), S_OK);
        EXPECT_EQ(enabled, c.enabled);
    }
}

TEST(HostsimCommandBars, AddAppendsOrInsertsAndIsRecordedWithItsChanges)
{
    Host host;
    const WindowId first = host.OpenInspector();
    const WindowId second = host.OpenInspector();
    const auto menu = MenuControls(host.InspectorObject(first).Get(), 5);
    const auto before = host.MenuCaptions(second, 5);
    host.Record().Clear();

    const auto added = AddButton(menu.Get());
    ASSERT_TRUE(added);
    EXPECT_EQ(Count(menu.Get()), 6);
    EXPECT_EQ(ItemAt(menu.Get(), 6).Get(), added.Get());
    EXPECT_EQ(PutProperty(added.Get(), L"Caption", _variant_t(L"&Test \"Item\"")), S_OK);
    EXPECT_EQ(PutProperty(added.Get(), L"Enabled", _variant_t(true)), S_OK);
    EXPECT_EQ(PutProperty(added.Get(), L"Visible", _variant_t(true)), S_OK);
    ComPtr<IDispatch> inserted;
    ASSERT_EQ(CallObjectMethod(menu.Get(), L"Add",
                               {_variant_t(1L), MissingArgument(), MissingArgument(),
                                _variant_t(1L), MissingArgument()},
                               &inserted),
              S_OK);
    EXPECT_EQ(ItemAt(menu.Get(), 1).Get(), inserted.Get());

    EXPECT_EQ(host.Record().Lines(),
              (std::vector<std::wstring>{
                  L"add Inspector 1 > F&ormat > #6 (Type 1, Temporary True)",
                  L"put Inspector 1 > F&ormat > #6 Caption = \"&Test \\\"Item\\\"\"",
                  L"put Inspector 1 > F&ormat > \"&Test \\\"Item\\\"\" Enabled = True",
                  L"put Inspector 1 > F&ormat > \"&Test \\\"Item\\\"\" Visible = True",
                  L"add Inspector 1 > F&ormat > #1 (Type 1, Before 1)",
              }));
    EXPECT_EQ(host.MenuCaptions(second, 5), before);
}

TEST(HostsimCommandBars, DeleteRemovesTheItemAndDisconnectsIt)
{
    Host host;
    const WindowId window = host.OpenInspector();
    const auto menu = MenuControls(host.InspectorObject(window).Get(), 5);
    const auto added = AddButton(menu.Get());
    PutProperty(added.Get(), L"Caption", _variant_t(L"&Test Item"));
    host.Record().Clear();

    EXPECT_EQ(CallMethod(added.Get(), L"Delete", {MissingArgument()}), S_OK);
    EXPECT_EQ(Count(menu.Get()), 5);
    EXPECT_FALSE(host.FindMenuItem(window, 5, L"&Test Item"));
    EXPECT_EQ(host.Record().Lines(),
              std::vector<std::wstring>{L"delete Inspector 1 > F&ormat > \"&Test Item\""});
    _variant_t caption;
    EXPECT_EQ(GetProperty(added.Get(), L"Caption", &caption), RPC_E_DISCONNECTED);
    EXPECT_EQ(CallMethod(added.Get(), L"Delete", {}), RPC_E_DISCONNECTED);
}

} // namespace
} // namespace tessel::hostsim
