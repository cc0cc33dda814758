// hostsim's automation surface as a late-bound caller meets it: names, argument handling and
// interface identifiers. A fault here would make the add-in's tests pass or fail for the wrong
// reason.

#include "hostsim/host.h"
#include "hostsim/iids.h"
#include "tests/hostsim/late_bound.h"
#include "win/ansi.h"

#include <mshtml.h>

#include <gtest/gtest.h>

#include <functional>

namespace tessel::hostsim
{
namespace
{

using test::Answers;
using test::ItemAt;
using test::MenuControls;
using test::Object;
using test::Text;

TEST(HostsimDispatch, FindsNamesWithoutRegardToCase)
{
    Host host;
    const ComPtr<IDispatch> app = host.Application();
    for (const wchar_t* name : {L"Version", L"VERSION", L"version"})
        EXPECT_EQ(Text(app.Get(), name), L"11.0.5608") << name;

    _variant_t value;
    EXPECT_EQ(GetProperty(app.Get(), L"Versions", &value), DISP_E_UNKNOWNNAME);
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Version")};
    EXPECT_EQ(app->GetIDsOfNames(IID_IDispatch, names, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
}

TEST(HostsimDispatch, AnswersBadCallsWithTheirDispatchErrors)
{
    Host host;
    const WindowId window = host.OpenInspector();
    const ComPtr<IDispatch> menu = MenuControls(host.InspectorObject(window).Get(), 5);
    const ComPtr<IDispatch> item = ItemAt(menu.Get(), 1);
    ASSERT_TRUE(item);
    _variant_t result;
    const struct
    {
        const char* call;
        std::function<HRESULT()> run;
        HRESULT expected;
    } cases[] = {
        {"Item without its position", [&] { return GetProperty(menu.Get(), L"Item", {}, &result); },
         DISP_E_BADPARAMCOUNT},
        {"Item with two arguments",
         [&] {
             return GetProperty(menu.Get(), L"Item", {_variant_t(1L), _variant_t(2L)}, &result);
         },
         DISP_E_BADPARAMCOUNT},
        {"Item with an omitted position",
         [&] { return GetProperty(menu.Get(), L"Item", {MissingArgument()}, &result); },
         DISP_E_PARAMNOTOPTIONAL},
        {"Item with an object",
         [&] { return GetProperty(menu.Get(), L"Item", {_variant_t(item.Get())}, &result); },
         DISP_E_TYPEMISMATCH},
        {"Item beyond the end",
         [&] { return GetProperty(menu.Get(), L"Item", {_variant_t(99L)}, &result); },
         E_INVALIDARG},
        {"Add with six arguments",
         [&] {
             return CallMethod(menu.Get(), L"Add",
                               {_variant_t(1L), MissingArgument(), MissingArgument(),
                                MissingArgument(), MissingArgument(), MissingArgument()},
                               &result);
         },
         DISP_E_BADPARAMCOUNT},
        {"Add of an unknown control type",
         [&] { return CallMethod(menu.Get(), L"Add", {_variant_t(2L)}, &result); }, E_INVALIDARG},
        {"put of a read-only property",
         [&] { return PutProperty(menu.Get(), L"Count", _variant_t(3L)); }, DISP_E_MEMBERNOTFOUND},
        {"put of Enabled with a text that is no boolean",
         [&] { return PutProperty(item.Get(), L"Enabled", _variant_t(L"perhaps")); },
         DISP_E_TYPEMISMATCH},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.run(), c.expected) << c.call;
    EXPECT_EQ(host.Record().Count(EventKind::Add), 0u);
}

TEST(HostsimDispatch, PutNeedsTheNamedPropertyPutArgument)
{
    Host host;
    const WindowId window = host.OpenInspector();
    const ComPtr<IDispatch> item =
        ItemAt(MenuControls(host.InspectorObject(window).Get(), 5).Get(), 1);
    DISPID caption = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"caption")};
    ASSERT_EQ(item->GetIDsOfNames(IID_NULL, names, 1, 0, &caption), S_OK);
    _variant_t value(L"New");
    DISPPARAMS unnamed = {&value, nullptr, 1, 0};
    EXPECT_EQ(item->Invoke(caption, IID_NULL, 0, DISPATCH_PROPERTYPUT, &unnamed, nullptr, nullptr,
                           nullptr),
              DISP_E_PARAMNOTFOUND);
    EXPECT_EQ(Text(item.Get(), L"Caption"), L"&Font...");
}

TEST(HostsimDispatch, CoercesArgumentsAsTheClientDoes)
{
    Host host;
    const WindowId window = host.OpenInspector();
    const ComPtr<IDispatch> menu = MenuControls(host.InspectorObject(window).Get(), 5);
    // The add-in's form: Type as VT_I4, Temporary as VT_I2 -1, the rest omitted.
    ComPtr<IDispatch> added;
    ASSERT_EQ(CallObjectMethod(menu.Get(), L"Add",
                               {_variant_t(1L), MissingArgument(), MissingArgument(),
                                MissingArgument(), BooleanAsShort(true)},
                               &added),
              S_OK);
    // A position given as text, and Enabled as a number.
    EXPECT_EQ(Text(ItemAt(menu.Get(), 2).Get(), L"Caption"), L"&Paragraph...");
    ComPtr<IDispatch> byText;
    ASSERT_EQ(GetObjectProperty(menu.Get(), L"Item", {_variant_t(L"6")}, &byText), S_OK);
    EXPECT_EQ(byText.Get(), added.Get());
    EXPECT_EQ(PutProperty(added.Get(), L"Enabled", _variant_t(0L)), S_OK);

    const auto items = host.MenuItems(window, 5);
    ASSERT_EQ(items.size(), 6u);
    EXPECT_TRUE(items.back().added);
    EXPECT_TRUE(items.back().temporary);
    EXPECT_FALSE(items.back().enabled);
}

TEST(HostsimDispatch, EachObjectAnswersItsOwnInterfacesOnly)
{
    Host host;
    const WindowId window = host.OpenInspector({.text = L"abc", .selectionEnd = 3});
    const ComPtr<IDispatch> app = host.Application();
    const ComPtr<IDispatch> inspector = host.InspectorObject(window);
    const ComPtr<IDispatch> editMenu = MenuControls(inspector.Get(), 2);
    const ComPtr<IDispatch> document = Object(inspector.Get(), L"HTMLEditor");
    const ComPtr<IDispatch> selection = Object(document.Get(), L"selection");
    ComPtr<IDispatch> range;
    ASSERT_EQ(CallObjectMethod(selection.Get(), L"createRange", {}, &range), S_OK);

    const IID kAll[] = {kIID_Application,
                        kIID_Explorer,
                        kIID_Inspectors,
                        kIID_Inspector,
                        kIID_MailItem,
                        kIID_CommandBars,
                        kIID_CommandBar,
                        kIID_CommandBarControls,
                        kIID_CommandBarControl,
                        kIID_CommandBarPopup,
                        kIID_CommandBarButton,
                        kIID_IHTMLDocument2,
                        kIID_IHTMLSelectionObject,
                        kIID_IHTMLTxtRange,
                        IID_IConnectionPointContainer};
    const struct
    {
        const char* object;
        ComPtr<IDispatch> dispatch;
        std::vector<IID> answers;
    } cases[] = {
        {"application", app, {kIID_Application}},
        {"explorer",
         Object(app.Get(), L"ActiveExplorer"),
         {kIID_Explorer, IID_IConnectionPointContainer}},
        {"inspectors",
         Object(app.Get(), L"Inspectors"),
         {kIID_Inspectors, IID_IConnectionPointContainer}},
        {"inspector", inspector, {kIID_Inspector, IID_IConnectionPointContainer}},
        {"mail item", Object(inspector.Get(), L"CurrentItem"), {kIID_MailItem}},
        {"command bars", Object(inspector.Get(), L"CommandBars"), {kIID_CommandBars}},
        {"menu bar",
         Object(Object(inspector.Get(), L"CommandBars").Get(), L"ActiveMenuBar"),
         {kIID_CommandBar}},
        {"controls", editMenu, {kIID_CommandBarControls}},
        {"popup",
         Object(
             ItemAt(Object(Object(Object(inspector.Get(), L"CommandBars").Get(), L"ActiveMenuBar")
                               .Get(),
                           L"Controls")
                        .Get(),
                    2)
                 .Get(),
             L"Control"),
         {kIID_CommandBarControl, kIID_CommandBarPopup}},
        {"button",
         ItemAt(editMenu.Get(), 1),
         {kIID_CommandBarControl, kIID_CommandBarButton, IID_IConnectionPointContainer}},
        {"document", document, {kIID_IHTMLDocument2}},
        {"selection", selection, {kIID_IHTMLSelectionObject}},
        {"text range", range, {kIID_IHTMLTxtRange}},
    };
    for (const auto& c : cases)
    {
        ASSERT_TRUE(c.dispatch) << c.object;
        EXPECT_TRUE(Answers(c.dispatch.Get(), IID_IUnknown)) << c.object;
        EXPECT_TRUE(Answers(c.dispatch.Get(), IID_IDispatch)) << c.object;
        for (const IID& iid : kAll)
        {
            const bool own = std::find_if(c.answers.begin(), c.answers.end(), [&](const IID& a) {
                                 return IsEqualIID(a, iid);
                             }) != c.answers.end();
            EXPECT_EQ(Answers(c.dispatch.Get(), iid), own) << c.object;
        }
    }
}

// Type-information dispatch accepts a member only with an invoke kind of its own: a method with
// DISPATCH_METHOD, a property's read with DISPATCH_PROPERTYGET; automation clients send both.
TEST(HostsimDispatch, MembersAnswerOnlyTheirOwnInvokeKinds)
{
    Host host;
    const WindowId window = host.OpenInspector();
    const ComPtr<IDispatch> app = host.Application();
    const ComPtr<IDispatch> menu = MenuControls(host.InspectorObject(window).Get(), 5);
    const ComPtr<IDispatch> item = ItemAt(menu.Get(), 1);
    constexpr WORD kMethod = DISPATCH_METHOD;
    constexpr WORD kGet = DISPATCH_PROPERTYGET;
    constexpr WORD kBoth = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
    const struct
    {
        IDispatch* object;
        const wchar_t* member;
        std::vector<VARIANT> arguments; // last one first
        WORD flags;
        HRESULT expected;
    } cases[] = {
        {app.Get(), L"ActiveInspector", {}, kMethod, S_OK},
        {app.Get(), L"ActiveInspector", {}, kGet, DISP_E_MEMBERNOTFOUND},
        {app.Get(), L"ActiveInspector", {}, kBoth, S_OK},
        {app.Get(), L"ActiveExplorer", {}, kGet, DISP_E_MEMBERNOTFOUND},
        {app.Get(), L"Version", {}, kGet, S_OK},
        {app.Get(), L"Version", {}, kMethod, DISP_E_MEMBERNOTFOUND},
        {app.Get(), L"Version", {}, kBoth, S_OK},
        {menu.Get(), L"Item", {_variant_t(1L)}, kGet, S_OK},
        {menu.Get(), L"Item", {_variant_t(1L)}, kMethod, DISP_E_MEMBERNOTFOUND},
        {item.Get(), L"Delete", {}, kGet, DISP_E_MEMBERNOTFOUND},
    };
    for (const auto& c : cases)
    {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(c.member)};
        ASSERT_EQ(c.object->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
        std::vector<VARIANT> arguments = c.arguments;
        DISPPARAMS parameters = {arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
        _variant_t result;
        EXPECT_EQ(
            c.object->Invoke(id, IID_NULL, 0, c.flags, &parameters, &result, nullptr, nullptr),
            c.expected)
            << WideToAnsi(c.member) << " " << c.flags;
    }
    EXPECT_EQ(host.RefusedInvokeKinds(), 5);
    EXPECT_EQ(host.MenuCaptions(window, 5).size(), 5u); // nothing was deleted
}

TEST(HostsimDispatch, HtmlIdentifiersMatchThePlatformHeaders)
{
    EXPECT_TRUE(IsEqualIID(kIID_IHTMLDocument2, IID_IHTMLDocument2));
    EXPECT_TRUE(IsEqualIID(kIID_IHTMLSelectionObject, IID_IHTMLSelectionObject));
    EXPECT_TRUE(IsEqualIID(kIID_IHTMLTxtRange, IID_IHTMLTxtRange));
    EXPECT_TRUE(IsEqualIID(kIID_IHTMLControlRange, IID_IHTMLControlRange));
}

} // namespace
} // namespace tessel::hostsim
