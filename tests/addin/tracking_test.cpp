// Which message windows get the quote item, and what happens to it and its sinks when they
// close.

#include "addin/event_sink.h"
#include "tests/addin/addin_in_host.h"
#include "win/ansi.h"

namespace tessel::test
{
namespace
{

using hostsim::EditMessageItem;
using hostsim::EditorKind;
using hostsim::EventKind;
using hostsim::HostOptions;
using hostsim::InspectorSetup;
using hostsim::ItemKind;
using hostsim::QuoteAnswer;

class Tracking : public AddinInHost
{
  protected:
    void SetUp() override
    {
        AddinInHost::SetUp();
        ASSERT_EQ(Connect(), S_OK);
        User().AnswerEveryMessageBox();
    }

    hostsim::WindowId Open(ItemKind kind, EditorKind editor, const std::wstring& messageClass = {})
    {
        InspectorSetup setup;
        setup.item.kind = kind;
        setup.item.messageClass = messageClass;
        setup.editor = editor;
        return OpenMessage(L"text", setup);
    }
};

TEST_F(Tracking, MailNotesOutsideWordGetTheQuoteItem)
{
    const struct
    {
        const char* name;
        ItemKind kind;
        const wchar_t* messageClass;
        EditorKind editor;
        bool item;
    } cases[] = {
        {"note, HTML", ItemKind::Mail, L"", EditorKind::Html, true},
        {"note, plain", ItemKind::Mail, L"", EditorKind::Text, true},
        {"note, RTF", ItemKind::Mail, L"", EditorKind::Rtf, true},
        {"note, Word", ItemKind::Mail, L"", EditorKind::Word, false},
        {"note subclass", ItemKind::Mail, L"IPM.Note.Something", EditorKind::Html, false},
        {"appointment", ItemKind::Appointment, L"", EditorKind::Html, false},
        {"contact", ItemKind::Contact, L"", EditorKind::Html, false},
        {"task", ItemKind::Task, L"", EditorKind::Html, false},
        {"activity", ItemKind::Journal, L"", EditorKind::Html, false},
        {"sticky note", ItemKind::StickyNote, L"", EditorKind::Html, false},
        {"post", ItemKind::Post, L"", EditorKind::Html, false},
        {"no item", ItemKind::None, L"", EditorKind::Html, false},
    };
    for (const auto& c : cases)
    {
        const hostsim::WindowId window = Open(c.kind, c.editor, c.messageClass);
        EXPECT_EQ(HasQuoteItem(window), c.item) << c.name;
        EXPECT_EQ(Host().InspectorSinkCount(window), c.item ? 1u : 0u) << c.name;
        Host().CloseInspector(window);
    }
}

TEST_F(Tracking, AnUnreadableMessageClassGetsNoItem)
{
    Host().HideMember(L"MailItem", L"MessageClass");
    EXPECT_FALSE(HasQuoteItem(Open(ItemKind::Mail, EditorKind::Html)));
    Host().ClearFaults();
    Host().ReturnValue(L"MailItem", L"MessageClass", _variant_t(3L)); // no text: another class
    EXPECT_FALSE(HasQuoteItem(Open(ItemKind::Mail, EditorKind::Html)));
}

TEST_F(Tracking, TheQuoteItemIsATemporaryButtonAtTheEndOfTheFormatMenu)
{
    const hostsim::WindowId window = OpenMessage(L"text");
    const auto items = Host().MenuItems(window, kQuoteMenu);
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.back().caption, kQuoteItem);
    EXPECT_TRUE(items.back().temporary);
    EXPECT_TRUE(items.back().enabled);
    EXPECT_TRUE(items.back().visible);
    EXPECT_EQ(items.back().sinks, 1u);
    // Both items, the About item at connection and this one, are made the same way: a button,
    // then its caption, enabled, visible, and a tag of its own.
    std::vector<std::wstring> made;
    for (const hostsim::Event& event : Host().Record().Events())
    {
        if (event.kind == EventKind::Add || event.kind == EventKind::Put)
            made.push_back(event.kind == EventKind::Add ? L"Add " + event.value : event.name);
    }
    const std::vector<std::wstring> oneItem = {L"Add Type 1, Temporary True", L"Caption",
                                               L"Enabled", L"Visible", L"Tag"};
    std::vector<std::wstring> twoItems = oneItem;
    twoItems.insert(twoItems.end(), oneItem.begin(), oneItem.end());
    EXPECT_EQ(made, twoItems);
}

TEST_F(Tracking, EachWindowHasItsOwnItemAndClosingOneDeletesOnlyThat)
{
    const long sinksBefore = EventSink::LiveCount();
    const hostsim::WindowId first = OpenMessage(L"first");
    const hostsim::WindowId second = OpenMessage(L"second");
    EXPECT_TRUE(HasQuoteItem(first));
    EXPECT_TRUE(HasQuoteItem(second));
    EXPECT_EQ(EventSink::LiveCount(), sinksBefore + 4);

    Host().CloseInspector(first);
    EXPECT_EQ(Host().Record().Count(EventKind::Delete), 1u);
    EXPECT_EQ(EventSink::LiveCount(), sinksBefore + 2);
    EXPECT_TRUE(HasQuoteItem(second));
    Host().Activate(second);
    User().ExpectQuoteDialog(QuoteAnswer::Quote(L"> ", 60));
    EXPECT_EQ(ClickQuote(second).hr, S_OK);
    EXPECT_EQ(Host().EditorText(second), L"> second\r\n> ");

    Host().CloseInspector(second);
    EXPECT_EQ(EventSink::LiveCount(), sinksBefore);
}

TEST_F(Tracking, ReopeningTheMessageAddsANewItem)
{
    const hostsim::WindowId first = OpenMessage(L"text");
    Host().CloseInspector(first);
    const hostsim::WindowId again = OpenMessage(L"text");
    EXPECT_TRUE(HasQuoteItem(again));
    EXPECT_EQ(Host().Record().Count(EventKind::Add), 3u); // About, then one per window
}

TEST_F(Tracking, OtherInspectorEventsChangeNothing)
{
    const hostsim::WindowId window = OpenMessage(L"text");
    const hostsim::WindowId other = OpenMessage(L"other");
    // Deactivate and Activate carry no arguments; BeforeMaximize is an event of
    // InspectorEvents_10 only, to which the add-in does not subscribe.
    EXPECT_EQ(Host().Activate(window).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(Host().Maximize(window).sinks, 0u);
    EXPECT_TRUE(HasQuoteItem(window));
    EXPECT_TRUE(HasQuoteItem(other));
    EXPECT_EQ(Host().InspectorSinkCount(window), 1u);
    EXPECT_EQ(Host().Record().Count(EventKind::Delete), 0u);
}

TEST_F(Tracking, TheEditMessageItemIsLookedForWhereTheHostVersionPutsIt)
{
    // Only a found, enabled Edit Message item makes a saved message ask to be edited first.
    const struct
    {
        const wchar_t* version;
    } cases[] = {{L"9.0.0.2711"}, {L"10.0.6626"}, {L"11.0.5608"}};
    for (const auto& c : cases)
    {
        TearDown(); // a host of this version instead of the fixture's
        AddinInHost::SetUp();
        HostOptions options;
        options.version = c.version;
        ASSERT_EQ(Connect(options), S_OK);
        User().AnswerEveryMessageBox();
        InspectorSetup saved;
        saved.item.entryId = L"0001";
        saved.editMessage = EditMessageItem::Enabled();
        const hostsim::WindowId window = OpenMessage(L"text", saved);
        EXPECT_EQ(ClickQuote(window).hr, S_OK);
        EXPECT_EQ(Host().Record().Count(EventKind::MessageBoxAnswered), 1u)
            << WideToAnsi(c.version);
    }
}

TEST_F(Tracking, AWindowWithoutTheEditMenuPositionGetsNoItem)
{
    InspectorSetup setup;
    setup.editMessage = EditMessageItem::Absent();
    EXPECT_FALSE(HasQuoteItem(OpenMessage(L"text", setup)));
}

} // namespace
} // namespace tessel::test

namespace tessel::test
{
namespace
{

using hostsim::EventKind;
using hostsim::QuoteAnswer;

class TrackingInOtherHosts : public AddinInHost
{
};

// Office raises a click on every button with the same Id and Tag.
TEST_F(TrackingInOtherHosts, OneClickRunsOneCommandWhateverTheNumberOfWindows)
{
    ASSERT_EQ(Connect(), S_OK);
    hostsim::WindowId last;
    for (const wchar_t* text : {L"one", L"two", L"three"})
        last = OpenMessage(text);
    User().ExpectQuoteDialog(QuoteAnswer::Quote(L"> ", 60));
    EXPECT_EQ(ClickQuote(last).hr, S_OK);
    EXPECT_EQ(Host().Record().Count(EventKind::ClickDelivered), 1u) << RecordText();
    EXPECT_EQ(Host().Record().Count(EventKind::Dialog), 1u);
    EXPECT_EQ(Host().Record().Count(EventKind::WriteText), 1u);
    EXPECT_EQ(Host().Record().Count(EventKind::Save), 1u);
    EXPECT_EQ(Host().EditorText(last), L"> three\r\n> ");
}

// CommandBarControl.Control is reserved for internal use; a host may give nothing there.
TEST_F(TrackingInOtherHosts, PopupsAreFoundWithoutTheControlProperty)
{
    hostsim::HostOptions options;
    options.controlObject = false;
    ASSERT_EQ(Connect(options), S_OK);
    EXPECT_TRUE(Host().FindMenuItem(hostsim::kExplorer, kAboutMenu, kAboutItem));
    EXPECT_TRUE(HasQuoteItem(OpenMessage(L"text")));
}

// A window whose events the add-in cannot hear would keep its item and sinks for ever.
TEST_F(TrackingInOtherHosts, AFailedSubscriptionHoldsNothing)
{
    const struct
    {
        const wchar_t* kind;
        const wchar_t* member;
    } cases[] = {
        {L"Inspector", L"Advise"},
        {L"Inspector", L"FindConnectionPoint"},
        {L"CommandBarButton", L"Advise"},
    };
    for (const auto& c : cases)
    {
        ASSERT_EQ(Connect(), S_OK);
        const long sinksBefore = EventSink::LiveCount();
        Host().FailCall(c.kind, c.member, CONNECT_E_ADVISELIMIT);
        const hostsim::WindowId window = OpenMessage(L"text");
        const std::string what = WideToAnsi(std::wstring(c.kind) + L"." + c.member);
        EXPECT_FALSE(HasQuoteItem(window)) << what;
        EXPECT_EQ(Host().Record().Count(EventKind::Delete), 1u) << what;
        EXPECT_EQ(Host().InspectorSinkCount(window), 0u) << what;
        EXPECT_EQ(EventSink::LiveCount(), sinksBefore) << what;
        Host().ClearFaults();
        TearDown();
        SetUp();
    }
}

} // namespace
} // namespace tessel::test
