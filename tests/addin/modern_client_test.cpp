// The add-in in the 2007-365 clients: the opt-in, the ribbon it gives, the command in Word (in a
// mail window and in a reply written in the reading pane), and the callbacks' contract.

#include "addin/connection_state.h"
#include "addin/word_text.h"
#include "tests/addin/addin_in_host.h"
#include "tests/support/modern_clients_opt_in.h"
#include "win/ansi.h"

#include <gmock/gmock.h>

#include <optional>

namespace tessel::test
{
namespace
{

using hostsim::EditorKind;
using hostsim::EventKind;
using hostsim::InspectorSetup;
using hostsim::QuoteAnswer;
using hostsim::SelectionKind;
using hostsim::WindowId;

constexpr wchar_t kModernTitle[] = L"Inbox - user@example.com - Outlook";
constexpr wchar_t kNoSelection[] = L"message box \"Cutsom Tessel for Outlook\": \"No text to "
                                   L"(un)quote.\\r\\nPlease select some text first.\"";

class ModernClient : public AddinInHost
{
  protected:
    HRESULT ConnectTo(const wchar_t* version, const wchar_t* title = kModernTitle)
    {
        hostsim::HostOptions options;
        options.version = version;
        const HRESULT hr = Connect(options, title);
        User().AnswerEveryMessageBox();
        return hr;
    }

    // A message being written in Word, the whole text selected.
    WindowId OpenWordMessage(const std::wstring& text, InspectorSetup setup = {})
    {
        setup.editor = EditorKind::Word;
        return OpenMessage(text, setup);
    }

    void Quote(WindowId window, const wchar_t* sign, int width)
    {
        User().ExpectQuoteDialog(QuoteAnswer::Quote(sign, width));
        EXPECT_EQ(Host().ClickRibbon(window, kQuoteItem).hr, S_OK);
    }

    std::optional<ModernClientsOptIn> m_optIn{std::in_place};
};

std::wstring Xml(IDTExtensibility2* addin, const wchar_t* ribbonId)
{
    ComPtr<IRibbonExtensibility> ribbon;
    if (FAILED(addin->QueryInterface(IID_PPV_ARGS(&ribbon))))
        return L"<no IRibbonExtensibility>";
    BSTR xml = nullptr;
    EXPECT_EQ(ribbon->GetCustomUI(_bstr_t(ribbonId), &xml), S_OK);
    const std::wstring text = xml ? std::wstring(xml, SysStringLen(xml)) : L"<null>";
    SysFreeString(xml);
    return text;
}

// Without the opt-in the 2007-365 clients find the add-in inert, as before; with it, versions 12
// to 16 get the ribbon whatever the main window's title, and no menu item anywhere. A 2000-2003
// client keeps its title check and its menus.
TEST_F(ModernClient, ConnectsToVersionsTwelveToSixteenOnlyWithTheOptIn)
{
    const struct
    {
        const wchar_t* version;
        bool optIn;
        const wchar_t* title;
        bool ribbon;
        bool menus;
    } cases[] = {
        {L"12.0.6607.1000", false, L"Inbox - Microsoft Outlook", false, false},
        {L"16.0.17928.20114", false, kModernTitle, false, false},
        {L"12.0.6607.1000", true, L"Inbox - Microsoft Outlook", true, false},
        {L"14.0.7268.5000", true, L"Posteingang - anna@example.com - Microsoft Outlook", true,
         false},
        {L"15.0.5589.1000", true, kModernTitle, true, false},
        {L"16.0.17928.20114", true, kModernTitle, true, false},
        {L"17.0.1", true, kModernTitle, false, false},
        {L"11.0.5608", true, kModernTitle, false, false},
        {L"11.0.5608", true, L"Inbox - Microsoft Outlook", false, true},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(WideToAnsi(c.version) + (c.optIn ? " opted in" : ""));
        if (!c.optIn)
            m_optIn.reset();
        ASSERT_EQ(ConnectTo(c.version, c.title), S_OK);
        InspectorSetup setup;
        setup.editor = Host().Traits().ribbon ? EditorKind::Word : EditorKind::Html;
        const WindowId window = OpenMessage(L"text", setup);
        EXPECT_EQ(g_bConnected, c.ribbon || c.menus);
        EXPECT_EQ(Host().FindRibbonButton(window, kQuoteItem).has_value(), c.ribbon);
        EXPECT_EQ(Host().FindRibbonButton(window, kAboutItem).has_value(), c.ribbon);
        EXPECT_EQ(HasQuoteItem(window), c.menus);
        EXPECT_EQ(Host().Calls(L"CommandBarControls", L"Add") > 0, c.menus);
        TearDown();
        SetUp();
        m_optIn.emplace();
    }
}

// The XML of each ribbon: the customUI namespace of the version, the compose window's message
// tab, the Compose Tools tab of replies in the reading pane (15 on), nothing anywhere else.
TEST_F(ModernClient, GivesRibbonXmlOnlyWhereTheCommandBelongs)
{
    const wchar_t* const k2006 = L"<customUI xmlns=\"http://schemas.microsoft.com/office/2006/01/";
    const wchar_t* const k2009 = L"<customUI xmlns=\"http://schemas.microsoft.com/office/2009/07/";
    const struct
    {
        const wchar_t* version;
        const wchar_t* ribbonId;
        const wchar_t* starts; // null: no UI
        const wchar_t* holds;
    } cases[] = {
        {L"12.0.6607.1000", L"Microsoft.Outlook.Mail.Compose", k2006,
         L"idMso=\"TabNewMailMessage\""},
        {L"14.0.7268.5000", L"Microsoft.Outlook.Mail.Compose", k2009,
         L"idMso=\"TabNewMailMessage\""},
        {L"14.0.7268.5000", L"Microsoft.Outlook.Explorer", nullptr, nullptr},
        {L"16.0.17928.20114", L"Microsoft.Outlook.Explorer", k2009,
         L"<tabSet idMso=\"TabComposeTools\"><tab idMso=\"TabMessage\">"},
        {L"16.0.17928.20114", L"Microsoft.Outlook.Mail.Read", nullptr, nullptr},
        {L"16.0.17928.20114", L"Microsoft.Outlook.Contact", nullptr, nullptr},
        {L"16.0.17928.20114", L"microsoft.outlook.mail.compose", nullptr, nullptr},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(WideToAnsi(c.version) + " " + WideToAnsi(c.ribbonId));
        ASSERT_EQ(ConnectTo(c.version), S_OK);
        const std::wstring xml = Xml(AddinObject(), c.ribbonId);
        if (c.starts == nullptr)
            EXPECT_EQ(xml, L"<null>");
        else
        {
            EXPECT_EQ(xml.rfind(c.starts, 0), 0u) << WideToAnsi(xml);
            EXPECT_NE(xml.find(c.holds), std::wstring::npos) << WideToAnsi(xml);
            EXPECT_NE(xml.find(L"onAction=\"OnQuoteSelectedText\""), std::wstring::npos);
        }
        TearDown();
        SetUp();
    }
}

// Word's paragraph marks (CR) and manual line breaks (VT) are line ends; each keeps its kind,
// wrapping adds line breaks, and quoting then unquoting gives the text back.
TEST(WordText, EveryLineKeepsItsOwnEnd)
{
    const struct
    {
        const char16_t* text;
        int width;
        const char16_t* quoted;
        const char16_t* unquoted; // of the quoted text; null: the text itself
    } cases[] = {
        {u"one\rtwo\r", 60, u"> one\r> two\r> ", nullptr},
        {u"one\vtwo\r", 60, u"> one\v> two\r> ", nullptr},
        {u"one\r\rtwo\v\vthree\r", 60, u"> one\r> \r> two\v> \v> three\r> ", nullptr},
        {u"one\vtwo", 60, u"> one\v> two\r> ", u"one\vtwo\r"},
        {u"", 60, u"> \r> ", u"\r"},
        {u"aaaa bbbb cccc dddd\r", 10, u"> aaaa bbbb \v> cccc dddd\r> ",
         u"aaaa bbbb \vcccc dddd\r"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(WideToAnsi(AsWide(c.text)));
        const std::u16string quoted = QuoteWordText(c.text, u"> ", c.width);
        EXPECT_EQ(quoted, c.quoted) << WideToAnsi(AsWide(quoted));
        EXPECT_EQ(UnquoteWordText(quoted, u"> ", 1), c.unquoted ? c.unquoted : c.text);
    }
}

// The command works on the selection of the document of the window whose button was clicked,
// never on Word's own Application.Selection, which belongs to whichever document is active.
TEST_F(ModernClient, QuotesTheSelectionOfTheClickedWindowsOwnDocument)
{
    ASSERT_EQ(ConnectTo(L"16.0.17928.20114"), S_OK);
    const WindowId clicked = OpenWordMessage(L"Hello Anna,\rthe tiles are in.\vBob\r");
    const WindowId other = OpenWordMessage(L"other\r"); // active now, and so is its document
    Quote(clicked, L"> ", 60);
    EXPECT_EQ(Host().EditorText(clicked), L"> Hello Anna,\r> the tiles are in.\v> Bob\r> ");
    EXPECT_EQ(Host().EditorText(other), L"other\r");

    Host().Select(clicked, 0, Host().EditorText(clicked).size());
    User().ExpectQuoteDialog(QuoteAnswer::Unquote(L"> ", 1));
    EXPECT_EQ(Host().ClickRibbon(clicked, kQuoteItem).hr, S_OK);
    EXPECT_EQ(Host().EditorText(clicked), L"Hello Anna,\rthe tiles are in.\vBob\r");
    EXPECT_EQ(Host().Record().Count(EventKind::Save), 2u);
}

// A reply written in the main window's reading pane (2013 on): the button on its Compose Tools
// tab works on the reply, even while a mail window's document is Word's active one.
TEST_F(ModernClient, QuotesAReplyWrittenInTheReadingPane)
{
    ASSERT_EQ(ConnectTo(L"15.0.5589.1000"), S_OK);
    EXPECT_FALSE(Host().FindRibbonButton(hostsim::kExplorer, kQuoteItem)) << "no reply yet";
    InspectorSetup reply;
    reply.text = L"Thanks!\r";
    reply.selectionEnd = reply.text.size();
    reply.editor = EditorKind::Word;
    Host().OpenInlineResponse(reply);
    OpenWordMessage(L"elsewhere\r");
    Quote(hostsim::kExplorer, L"| ", 60);
    EXPECT_EQ(Host().EditorText(hostsim::kExplorer), L"| Thanks!\r| ");
    EXPECT_THAT(RecordText(), testing::HasSubstr(L"save Explorer IPM.Note\n"));
}

// Nothing that is no text selection is (un)quoted: an insertion point (whose Text is the next
// character), a selected picture, no selection at all.
TEST_F(ModernClient, AnythingButSelectedTextGetsTheNoSelectionMessage)
{
    ASSERT_EQ(ConnectTo(L"14.0.7268.5000"), S_OK);
    const struct
    {
        const char* name;
        std::size_t start;
        std::size_t end;
        SelectionKind kind;
    } cases[] = {
        {"insertion point", 2, 2, SelectionKind::Text},
        {"a picture", 0, 1, SelectionKind::Control},
        {"nothing", 0, 0, SelectionKind::NoRange},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const WindowId window = OpenWordMessage(L"text\r");
        Host().Select(window, c.start, c.end, c.kind);
        Host().Record().Clear();
        EXPECT_EQ(Host().ClickRibbon(window, kQuoteItem).hr, S_OK);
        EXPECT_EQ(Host().Record().Lines(EventKind::MessageBoxAnswered),
                  std::vector<std::wstring>{kNoSelection});
        EXPECT_EQ(Host().Record().Count(EventKind::WriteText), 0u);
        Host().CloseInspector(window);
    }
}

// The callbacks are found by name (without regard to case) on the object's IDispatch, as the
// client looks for them, and on IRibbonExtensibility's own; a call of another shape is refused
// without running anything.
TEST_F(ModernClient, CallbacksAreFoundByNameAndRefuseCallsOfAnotherShape)
{
    ASSERT_EQ(ConnectTo(L"16.0.17928.20114"), S_OK);
    ComPtr<IDispatch> addin;
    ComPtr<IRibbonExtensibility> ribbon;
    ASSERT_EQ(AddinObject()->QueryInterface(IID_PPV_ARGS(&addin)), S_OK);
    ASSERT_EQ(AddinObject()->QueryInterface(IID_PPV_ARGS(&ribbon)), S_OK);
    for (IDispatch* side : {addin.Get(), static_cast<IDispatch*>(ribbon.Get())})
    {
        DISPID quote = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(L"onquoteselectedtext")};
        ASSERT_EQ(side->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &quote), S_OK);
        VARIANT number;
        number.vt = VT_I4;
        number.lVal = 5;
        DISPPARAMS none = {nullptr, nullptr, 0, 0};
        DISPPARAMS notAControl = {&number, nullptr, 1, 0};
        const struct
        {
            WORD flags;
            DISPPARAMS* parameters;
            HRESULT hr;
        } calls[] = {
            {DISPATCH_METHOD, &none, DISP_E_BADPARAMCOUNT},
            {DISPATCH_METHOD, &notAControl, DISP_E_TYPEMISMATCH},
            {DISPATCH_PROPERTYGET, &none, DISP_E_MEMBERNOTFOUND},
        };
        for (const auto& call : calls)
            EXPECT_EQ(side->Invoke(quote, IID_NULL, LOCALE_USER_DEFAULT, call.flags,
                                   call.parameters, nullptr, nullptr, nullptr),
                      call.hr);
    }
    DISPID getCustomUi = DISPID_UNKNOWN;
    LPOLESTR name[] = {const_cast<LPOLESTR>(L"GetCustomUI")};
    EXPECT_EQ(ribbon->GetIDsOfNames(IID_NULL, name, 1, LOCALE_USER_DEFAULT, &getCustomUi), S_OK);
    EXPECT_EQ(getCustomUi, 1);
    EXPECT_EQ(Host().Record().Count(EventKind::Dialog), 0u);
}

} // namespace
} // namespace tessel::test
