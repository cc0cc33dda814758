// The quote command end to end: the real add-in connected to the simulated host, a click on a
// message window's quote item, the real dialog answered by the scripted user.

#include "hostsim/live_objects.h"
#include "server/module.h"
#include "tests/addin/addin_in_host.h"
#include "tests/addin/failing_allocations.h"
#include "win/ansi.h"

#include <algorithm>
#include <memory>

namespace tessel::test
{
namespace
{

using hostsim::EditMessageItem;
using hostsim::EditorKind;
using hostsim::EventKind;
using hostsim::InspectorSetup;
using hostsim::ItemKind;
using hostsim::QuoteAnswer;
using hostsim::SelectionKind;

constexpr wchar_t kEditFirst[] = L"message box \"Custom Tessel for Outlook\": \"Please edit the "
                                 L"message first.\\r\\nTo edit the message click: Edit/Edit "
                                 L"Message.\"";
constexpr wchar_t kHtmlNeeded[] =
    L"message box \"Custom Tessel for Outlook\": \"This function requires HTML editor.\\r\\nTo "
    L"switch to HTML editor click: Format/HTML.\\r\\nOnce the changes are applied you can switch "
    L"back to RTF/Word editor.\"";
constexpr wchar_t kNoSelection[] = L"message box \"Cutsom Tessel for Outlook\": \"No text to "
                                   L"(un)quote.\\r\\nPlease select some text first.\"";

class QuoteCommand : public AddinInHost
{
  protected:
    void SetUp() override
    {
        AddinInHost::SetUp();
        ASSERT_EQ(Connect(), S_OK);
        User().AnswerEveryMessageBox();
    }

    std::vector<std::wstring> Lines(EventKind kind) const { return Host().Record().Lines(kind); }
    std::size_t Count(EventKind kind) const { return Host().Record().Count(kind); }

    // What a scenario left in the record: message boxes, dialogs, writes and saves.
    std::vector<std::wstring> Outcome() const
    {
        std::vector<std::wstring> outcome;
        for (const hostsim::Event& event : Host().Record().Events())
        {
            if (event.kind == EventKind::MessageBoxAnswered || event.kind == EventKind::Dialog ||
                event.kind == EventKind::WriteText || event.kind == EventKind::Save)
                outcome.push_back(hostsim::Line(event));
        }
        return outcome;
    }
};

InspectorSetup Saved(EditMessageItem editMessage, EditorKind editor = EditorKind::Html)
{
    InspectorSetup setup;
    setup.item.entryId = L"00000000AB12";
    setup.editMessage = std::move(editMessage);
    setup.editor = editor;
    return setup;
}

struct EditTestCase
{
    const char* name;
    InspectorSetup setup;
    bool editFirst;
};

TEST_F(QuoteCommand, AsksToEditFirstOnlyForASavedMessageWhoseEditMessageItemIsEnabled)
{
    InspectorSetup neverSaved;
    neverSaved.editMessage = EditMessageItem::Enabled();
    const EditTestCase cases[] = {
        {"never saved, item enabled", neverSaved, false},
        {"saved, item enabled", Saved(EditMessageItem::Enabled()), true},
        {"saved, item disabled", Saved(EditMessageItem::Disabled()), false},
        {"saved, another caption", Saved(EditMessageItem::Captioned(L"&Nachricht bearbeiten")),
         false},
        {"saved, no button there", Saved(EditMessageItem::Popup()), false},
    };
    for (const EditTestCase& c : cases)
    {
        Host().Record().Clear();
        const hostsim::WindowId window = OpenMessage(L"some text", c.setup);
        if (!c.editFirst)
            User().ExpectQuoteDialog(QuoteAnswer::Cancel());
        EXPECT_EQ(ClickQuote(window).hr, S_OK) << c.name;
        const std::vector<std::wstring> expected =
            c.editFirst
                ? std::vector<std::wstring>{kEditFirst}
                : std::vector<std::wstring>{L"dialog \"Quote/Unquote Selected Text\": Cancel"};
        EXPECT_EQ(Outcome(), expected) << c.name;
        EXPECT_TRUE(User().Pending().empty()) << c.name;
        Host().CloseInspector(window);
    }
}

TEST_F(QuoteCommand, OtherEditorsGetTheHtmlMessageAndNothingIsRead)
{
    for (const EditorKind editor : {EditorKind::Text, EditorKind::Rtf})
    {
        Host().Record().Clear();
        InspectorSetup setup;
        setup.editor = editor;
        const hostsim::WindowId window = OpenMessage(L"plain", setup);
        EXPECT_EQ(ClickQuote(window).hr, S_OK);
        EXPECT_EQ(Outcome(), std::vector<std::wstring>{kHtmlNeeded});
        EXPECT_EQ(Host().Calls(L"Inspector", L"HTMLEditor"), 0);
        Host().CloseInspector(window);
    }
}

TEST_F(QuoteCommand, CaretWithoutSelectionGetsTheNoSelectionMessage)
{
    InspectorSetup caret;
    caret.text = L"some text";
    caret.selectionStart = caret.selectionEnd = 3;
    const hostsim::WindowId window = Host().OpenInspector(caret);
    EXPECT_EQ(ClickQuote(window).hr, S_OK);
    EXPECT_EQ(Outcome(), std::vector<std::wstring>{kNoSelection});
}

TEST_F(QuoteCommand, EndsSilentlyWithoutSomethingToWorkOn)
{
    struct Case
    {
        const char* name;
        std::function<void(hostsim::WindowId clicked)> arrange;
    } cases[] = {
        {"no active inspector", [&](hostsim::WindowId) { Host().Activate(hostsim::kExplorer); }},
        {"active item is no mail item",
         [&](hostsim::WindowId) {
             InspectorSetup contact;
             contact.item.kind = ItemKind::Contact;
             OpenMessage(L"card", contact);
         }},
        {"active inspector has no item",
         [&](hostsim::WindowId) {
             InspectorSetup empty;
             empty.item.kind = ItemKind::None;
             OpenMessage(L"", empty);
         }},
        {"selection is a control",
         [&](hostsim::WindowId clicked) { Host().Select(clicked, 0, 4, SelectionKind::Control); }},
        {"selection gives no range",
         [&](hostsim::WindowId clicked) { Host().Select(clicked, 0, 4, SelectionKind::NoRange); }},
        {"no HTML document",
         [&](hostsim::WindowId) { Host().ReturnNull(L"Inspector", L"HTMLEditor"); }},
        {"document refuses IHTMLDocument2",
         [&](hostsim::WindowId) {
             Host().RefuseInterface(
                 L"HTMLDocument",
                 {0x332C4425, 0x26CB, 0x11D0, {0xB4, 0x83, 0x00, 0xC0, 0x4F, 0xD9, 0x01, 0x19}});
         }},
    };
    for (const auto& c : cases)
    {
        Host().Record().Clear();
        Host().ClearFaults();
        const hostsim::WindowId window = OpenMessage(L"text to quote");
        c.arrange(window);
        EXPECT_EQ(ClickQuote(window).hr, S_OK) << c.name;
        EXPECT_TRUE(Outcome().empty()) << c.name << ": " << Outcome().size();
        for (const hostsim::WindowId open : Host().OpenInspectors())
            Host().CloseInspector(open);
    }
}

TEST_F(QuoteCommand, CancelWritesAndSavesNothing)
{
    const hostsim::WindowId window = OpenMessage(L"> keep me");
    User().ExpectQuoteDialog(QuoteAnswer::Cancel());
    EXPECT_EQ(ClickQuote(window).hr, S_OK);
    EXPECT_EQ(Count(EventKind::WriteText), 0u);
    EXPECT_EQ(Count(EventKind::Save), 0u);
    EXPECT_EQ(Host().EditorText(window), L"> keep me");
}

struct TransformCase
{
    const char* name;
    std::wstring text;
    QuoteAnswer answer;
    std::wstring expected;
};

TEST_F(QuoteCommand, OkReplacesTheSelectionAndSavesOnce)
{
    const TransformCase cases[] = {
        {"quote", L"one two three four five six", QuoteAnswer::Quote(L"> ", 10),
         L"> one two \r\n> three \r\n> four five \r\n> six\r\n> "},
        {"unquote", L"> > one\r\n> > two", QuoteAnswer::Unquote(L"> ", 1), L"> one\r\n> two"},
        {"quote Greek, CJK and emoji", L"Καλημέρα 漢字かな 😀👍🏽",
         QuoteAnswer::Quote(L"> ", 20),
         L"> Καλημέρα 漢字かな \r\n> 😀👍🏽\r\n> "},
        {"unquote Greek, CJK and emoji", L"> Καλημέρα\r\n> 漢字 😀", QuoteAnswer::Unquote(L"> ", 1),
         L"Καλημέρα\r\n漢字 😀"},
        {"a NUL character is a character", std::wstring(L"a\0b", 3), QuoteAnswer::Quote(L"> ", 60),
         std::wstring(L"> a\0b\r\n> ", 9)},
    };
    for (const TransformCase& c : cases)
    {
        Host().Record().Clear();
        const hostsim::WindowId window = OpenMessage(c.text);
        User().ExpectQuoteDialog(c.answer);
        EXPECT_EQ(ClickQuote(window).hr, S_OK) << c.name;
        EXPECT_EQ(Host().EditorText(window), c.expected) << c.name;
        EXPECT_EQ(Count(EventKind::WriteText), 1u) << c.name;
        EXPECT_EQ(Count(EventKind::Save), 1u) << c.name;
        EXPECT_EQ(Count(EventKind::MessageBoxAnswered), 0u) << c.name;
        Host().CloseInspector(window);
    }
}

TEST_F(QuoteCommand, WorksOnTheActiveWindowNotTheClickedOne)
{
    const hostsim::WindowId first = OpenMessage(L"first");
    const hostsim::WindowId second = OpenMessage(L"second");
    ASSERT_EQ(Host().ActiveInspector(), second);
    User().ExpectQuoteDialog(QuoteAnswer::Quote(L"> ", 60));
    EXPECT_EQ(ClickQuote(first).hr, S_OK);
    EXPECT_EQ(Host().EditorText(first), L"first");
    EXPECT_EQ(Host().EditorText(second), L"> second\r\n> ");
}

TEST_F(QuoteCommand, FailingHostCallsEndTheCommandSilentlyWithTheirStatus)
{
    const HRESULT failure = 0x80041234;
    const struct
    {
        const wchar_t* kind;
        const wchar_t* member;
        hostsim::Access access;
        bool written; // the selection was replaced before the failure
    } cases[] = {
        {L"Application", L"ActiveInspector", hostsim::Access::Get, false},
        {L"Inspector", L"CurrentItem", hostsim::Access::Get, false},
        {L"MailItem", L"EntryID", hostsim::Access::Get, false},
        {L"Inspector", L"EditorType", hostsim::Access::Get, false},
        {L"Inspector", L"HTMLEditor", hostsim::Access::Get, false},
        {L"HTMLDocument", L"selection", hostsim::Access::Get, false},
        {L"HTMLSelection", L"createRange", hostsim::Access::Get, false},
        {L"HTMLTxtRange", L"text", hostsim::Access::Get, false},
        {L"HTMLTxtRange", L"text", hostsim::Access::Put, false},
        {L"MailItem", L"Save", hostsim::Access::Get, true},
    };
    for (const auto& c : cases)
    {
        Host().Record().Clear();
        Host().ClearFaults();
        const hostsim::WindowId window = OpenMessage(L"quote me");
        Host().FailCall(c.kind, c.member, failure, c.access);
        const bool reachesDialog =
            std::wstring(c.member) == L"Save" ||
            (std::wstring(c.member) == L"text" && c.access == hostsim::Access::Put);
        if (reachesDialog)
            User().ExpectQuoteDialog(QuoteAnswer::Quote(L"> ", 60));
        const std::wstring what = std::wstring(c.kind) + L"." + c.member;
        EXPECT_EQ(ClickQuote(window).hr, failure) << WideToAnsi(what);
        EXPECT_EQ(Count(EventKind::MessageBoxAnswered), 0u) << WideToAnsi(what);
        EXPECT_EQ(Count(EventKind::Save), 0u) << WideToAnsi(what);
        EXPECT_EQ(Host().EditorText(window), c.written ? L"> quote me\r\n> " : L"quote me")
            << WideToAnsi(what);
        Host().ClearFaults();
        Host().CloseInspector(window);
    }
}

// The dialog has no owner: the host's windows stay usable while it is open.
TEST_F(QuoteCommand, WhatHappensWhileTheDialogIsOpenIsHandled)
{
    enum class Action
    {
        ClickAgain,
        CloseTheWindow,
        QuitTheHost,
    };
    const struct
    {
        const char* name;
        Action action;
        std::size_t written; // writes and saves
    } cases[] = {
        {"a second click runs no second command", Action::ClickAgain, 1},
        {"a window closed meanwhile is left alone", Action::CloseTheWindow, 0},
        {"a host that ends meanwhile is left alone", Action::QuitTheHost, 0},
    };
    for (const auto& c : cases)
    {
        Host().Record().Clear();
        const hostsim::WindowId window = OpenMessage(L"text");
        User().ExpectQuoteDialog(QuoteAnswer::Quote(L"> ", 60), [&](HWND) {
            switch (c.action)
            {
                case Action::ClickAgain:
                    EXPECT_EQ(ClickQuote(window).hr, S_OK);
                    break;
                case Action::CloseTheWindow:
                    Host().CloseInspector(window);
                    break;
                case Action::QuitTheHost:
                    Host().Quit();
                    break;
            }
        });
        EXPECT_EQ(ClickQuote(window).hr, S_OK) << c.name;
        EXPECT_TRUE(User().Pending().empty()) << c.name;
        EXPECT_TRUE(User().Rescued().empty()) << c.name; // no second dialog
        EXPECT_EQ(Count(EventKind::Dialog), 1u) << c.name;
        EXPECT_EQ(Count(EventKind::WriteText), c.written) << c.name;
        EXPECT_EQ(Count(EventKind::Save), c.written) << c.name;
        if (c.action == Action::QuitTheHost)
        {
            EXPECT_EQ(Host().HeldObjects(), 0u) << hostsim::DescribeLiveObjects();
            break;
        }
        if (c.action == Action::ClickAgain)
            Host().CloseInspector(window);
    }
}

// An exception inside the dialog (here: no memory for a result of more than 256 KB) ends the
// command with nothing written, and the user is told; nothing reaches the host but the status.
TEST_F(QuoteCommand, OutOfMemoryInTheDialogLeavesTheTextUnchanged)
{
    const std::wstring text(200000, L'x');
    const hostsim::WindowId window = OpenMessage(text);
    std::unique_ptr<FailingAllocations> failing;
    User().ExpectQuoteDialog(QuoteAnswer::Quote(L"> ", 60), [&](HWND) {
        failing = std::make_unique<FailingAllocations>(256 * 1024);
    });
    const std::size_t failedBefore = FailingAllocations::Failed();
    const hostsim::Delivery click = ClickQuote(window);
    failing.reset();
    EXPECT_EQ(click.hr, E_OUTOFMEMORY);
    EXPECT_GT(FailingAllocations::Failed(), failedBefore);
    EXPECT_EQ(Lines(EventKind::MessageBoxAnswered),
              std::vector<std::wstring>{
                  L"message box \"Custom Tessel for Outlook\": \"There is not enough memory to "
                  L"(un)quote the selected text.\\r\\nThe text was left unchanged.\""});
    EXPECT_EQ(Count(EventKind::WriteText), 0u);
    EXPECT_EQ(Count(EventKind::Save), 0u);
    EXPECT_EQ(Host().EditorText(window), text);
}

// The host may ask whether the DLL can go while the dialog is open (a modern host that was
// told to end): the running command keeps it.
TEST_F(QuoteCommand, TheModuleStaysLockedWhileTheCommandRuns)
{
    const hostsim::WindowId window = OpenMessage(L"text");
    const LONG before = ModuleLockCount();
    LONG during = 0;
    User().ExpectQuoteDialog(QuoteAnswer::Cancel(), [&](HWND) { during = ModuleLockCount(); });
    EXPECT_EQ(ClickQuote(window).hr, S_OK);
    EXPECT_EQ(during, before + 1);
    EXPECT_EQ(ModuleLockCount(), before);
}

TEST_F(QuoteCommand, ButtonSinkCalledWithOneArgumentDoesNotTouchTheHost)
{
    const hostsim::WindowId window = OpenMessage(L"text");
    const std::vector<ComPtr<IDispatch>> sinks = Host().ButtonSinks(window, kQuoteMenu, kQuoteItem);
    ASSERT_EQ(sinks.size(), 1u);
    VARIANT argument;
    VariantInit(&argument);
    DISPPARAMS parameters = {&argument, nullptr, 1, 0};
    EXPECT_EQ(
        sinks[0]->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, &parameters, nullptr, nullptr, nullptr),
        DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Host().Calls(L"Application", L"ActiveInspector"), 0);
}

} // namespace
} // namespace tessel::test
