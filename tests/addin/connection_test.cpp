// Connecting the add-in: which hosts it wakes up in, where its files go, what it subscribes to,
// and what a failing host call during the connection returns.

#include "addin/connection_state.h"
#include "addin/event_sink.h"
#include "settings/data_paths.h"
#include "tests/addin/addin_in_host.h"
#include "ui/resource.h"
#include "win/ansi.h"

#include <memory>

namespace tessel::test
{
namespace
{

using hostsim::HostOptions;

class Connection : public AddinInHost
{
  protected:
    bool HasAboutItem() const
    {
        return Host().FindMenuItem(hostsim::kExplorer, kAboutMenu, kAboutItem).has_value();
    }
    std::size_t AboutItems() const
    {
        std::size_t count = 0;
        for (const auto& caption : Host().MenuCaptions(hostsim::kExplorer, kAboutMenu))
            count += caption == kAboutItem;
        return count;
    }
};

TEST_F(Connection, WakesUpOnlyUnderTheHostsMainWindow)
{
    const struct
    {
        const wchar_t* title;
        bool accepted;
    } cases[] = {
        {L"Inbox - Microsoft Outlook", true},        {L"Microsoft Outlook", true},
        {L"Inbox - Microsoft Office Outlook", true}, {L"Inbox - Microsoft Outlook ", false},
        {L"Inbox - Microsoft Outlook 2003", false},
    };
    for (const auto& c : cases)
    {
        const std::string title = WideToAnsi(c.title);
        ResetConnectionStateForTests();
        EXPECT_EQ(Connect({}, c.title), S_OK) << title;
        EXPECT_EQ(g_bConnected, c.accepted) << title;
        EXPECT_EQ(HasAboutItem(), c.accepted) << title;
        EXPECT_EQ(Host().InspectorsSinkCount(), c.accepted ? 1u : 0u) << title;
        EXPECT_EQ(g_strIniPath.empty(), !c.accepted) << title;
        EXPECT_EQ(g_strHistoryPath.empty(), !c.accepted) << title;
        TearDown();
        SetUp();
    }
}

TEST_F(Connection, StaysInertWithoutAMainWindow)
{
    EXPECT_EQ(Connect({}, L""), S_OK);
    EXPECT_FALSE(g_bConnected);
    EXPECT_FALSE(HasAboutItem());
    EXPECT_TRUE(g_strIniPath.empty());
}

TEST_F(Connection, AcceptsHostVersionsNineToEleven)
{
    const struct
    {
        const wchar_t* version;
        bool accepted;
    } cases[] = {
        {L"9.0.0.2711", true}, {L"10.0.6626", true}, {L"11.0.5608", true},
        {L"12.0.4518", false}, {L"8.5", false},
    };
    for (const auto& c : cases)
    {
        const std::string version = WideToAnsi(c.version);
        HostOptions options;
        options.version = c.version;
        EXPECT_EQ(Connect(options), S_OK) << version;
        EXPECT_EQ(g_bConnected, c.accepted) << version;
        EXPECT_EQ(HasAboutItem(), c.accepted) << version;
        EXPECT_EQ(g_strIniPath.empty(), !c.accepted) << version;
        TearDown();
        SetUp();
    }
}

TEST_F(Connection, ARefusedVersionLetsALaterConnectionTryAgain)
{
    HostOptions options;
    options.version = L"12.0.4518";
    ASSERT_EQ(Connect(options), S_OK);
    ASSERT_FALSE(g_bConnected);
    TearDown();
    SetUp();
    ASSERT_EQ(Connect(), S_OK);
    EXPECT_TRUE(g_bConnected);
    EXPECT_TRUE(HasAboutItem());
}

// Connecting again changes nothing while the add-in holds the host. The 2000-2003 hosts end only
// once nothing of theirs is held; a disconnection lets go of all of it, and a later connection
// (the user ticks the add-in again) starts afresh.
TEST_F(Connection, IsNeverRepeatedWhileItHoldsAndWorksAgainAfterADisconnection)
{
    const auto connectTwiceMore = [this] {
        EXPECT_EQ(AddinObject()->OnConnection(Host().Application().Get(), ext_cm_AfterStartup,
                                              nullptr, nullptr),
                  S_OK);
        EXPECT_EQ(ConnectAgain(), S_OK);
        EXPECT_EQ(AboutItems(), 1u);
        EXPECT_EQ(Host().InspectorsSinkCount(), 1u);
        EXPECT_EQ(Host().FindMenuItem(hostsim::kExplorer, kAboutMenu, kAboutItem)->sinks, 1u);
    };
    ASSERT_EQ(Connect(), S_OK);
    connectTwiceMore();
    const hostsim::WindowId window = OpenMessage(L"text");
    const long sinksBefore = EventSink::LiveCount();
    EXPECT_EQ(AddinObject()->OnDisconnection(ext_dm_UserClosed, nullptr), E_NOTIMPL);
    EXPECT_FALSE(g_bConnected);
    EXPECT_EQ(AboutItems(), 0u);
    EXPECT_FALSE(HasQuoteItem(window));
    EXPECT_EQ(Host().InspectorsSinkCount() + Host().ExplorerSinkCount() +
                  Host().InspectorSinkCount(window),
              0u);
    EXPECT_EQ(EventSink::LiveCount(), sinksBefore - 2);

    connectTwiceMore();
    EXPECT_TRUE(HasQuoteItem(OpenMessage(L"again")));
}

// Mail windows have the main window's class; one may lie above the main window when the
// add-in connects (the host started by opening a message).
TEST_F(Connection, FindsTheMainWindowAmongTheHostsWindows)
{
    const struct
    {
        const char* name;
        bool mainWindow;
        bool messageOnTop;
        bool connected;
    } cases[] = {
        {"main window only", true, false, true},
        {"a message window above it", true, true, true},
        {"a message window only", false, true, false},
    };
    for (const auto& c : cases)
    {
        ResetConnectionStateForTests();
        auto host = std::make_unique<hostsim::Host>();
        if (c.mainWindow)
            host->ShowMainWindow();
        if (c.messageOnTop)
            host->OpenInspector();
        ComPtr<IDTExtensibility2> addin;
        ASSERT_EQ(CreateAddinInstanceForTest(&addin), S_OK);
        EXPECT_EQ(addin->OnConnection(host->Application().Get(), ext_cm_Startup, nullptr, nullptr),
                  S_OK);
        EXPECT_EQ(g_bConnected, c.connected) << c.name;
        EXPECT_EQ(host->FindMenuItem(hostsim::kExplorer, kAboutMenu, kAboutItem).has_value(),
                  c.connected)
            << c.name;
        addin->OnDisconnection(ext_dm_HostShutdown, nullptr);
        host->Shutdown();
    }
}

// A failed connection makes the host disable the add-in: only a missing Inspectors collection
// or subscription may fail it; the About item and the main window's close are optional.
TEST_F(Connection, AMissingAboutPositionLeavesTheAddinWorking)
{
    for (const std::size_t menus : {std::size_t{6}, std::size_t{0}, std::size_t{9}})
    {
        hostsim::HostOptions options;
        options.explorerMenuBar = hostsim::ExplorerMenuBarOf(menus);
        EXPECT_EQ(Connect(options), S_OK) << menus;
        EXPECT_TRUE(g_bConnected) << menus;
        EXPECT_EQ(HasAboutItem(), menus >= kAboutMenu) << menus;
        User().ExpectQuoteDialog(hostsim::QuoteAnswer::Quote(L"> ", 60));
        const hostsim::WindowId window = OpenMessage(L"text");
        EXPECT_EQ(ClickQuote(window).hr, S_OK) << menus;
        EXPECT_EQ(Host().EditorText(window), L"> text\r\n> ") << menus;
        TearDown();
        SetUp();
    }
}

TEST_F(Connection, OtherExtensibilityMethodsAreNotImplemented)
{
    ASSERT_EQ(Connect(), S_OK);
    EXPECT_EQ(AddinObject()->OnAddInsUpdate(nullptr), E_NOTIMPL);
    EXPECT_EQ(AddinObject()->OnStartupComplete(nullptr), E_NOTIMPL);
    EXPECT_EQ(AddinObject()->OnBeginShutdown(nullptr), E_NOTIMPL);
}

TEST_F(Connection, PutsTheDataFilesBesideTheDll)
{
    // The add-in's code is linked into this test program, which is its "DLL" here.
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string folder = std::string(program).substr(0, std::string(program).rfind('\\') + 1);
    ResetConnectionStateForTests();
    auto host = std::make_unique<hostsim::Host>();
    host->ShowMainWindow();
    ComPtr<IDTExtensibility2> addin;
    ASSERT_EQ(CreateAddinInstanceForTest(&addin), S_OK);
    EXPECT_EQ(addin->OnConnection(host->Application().Get(), ext_cm_Startup, nullptr, nullptr),
              S_OK);
    EXPECT_EQ(g_strIniPath, folder + "Tessel.ini");
    EXPECT_EQ(g_strHistoryPath, folder + "TesselHistory.lst");
    host->Shutdown();
}

TEST_F(Connection, FailingHostCallsAfterTheChecksFailItOnlyWhenTheyAreNeeded)
{
    const HRESULT failure = 0x80045678;
    const struct
    {
        const wchar_t* kind;
        const wchar_t* member;
        HRESULT result;
        bool aboutItem; // left in the menu
    } cases[] = {
        {L"Application", L"Inspectors", failure, false},
        {L"Inspectors", L"FindConnectionPoint", failure, false},
        {L"Inspectors", L"Advise", failure, false},
        {L"Explorer", L"Advise", S_OK, true},
        {L"Explorer", L"CommandBars", S_OK, false},
        {L"CommandBars", L"ActiveMenuBar", S_OK, false},
        {L"CommandBarControls", L"Add", S_OK, false},
        {L"CommandBarButton", L"Caption", S_OK, false}, // the half-made item is deleted
        {L"CommandBarButton", L"Advise", S_OK, false},  // an item nobody hears is deleted
    };
    for (const auto& c : cases)
    {
        const std::string what = WideToAnsi(std::wstring(c.kind) + L"." + c.member);
        auto host = std::make_unique<hostsim::Host>();
        host->ShowMainWindow();
        host->FailCall(c.kind, c.member, failure);
        ResetConnectionStateForTests();
        ComPtr<IDTExtensibility2> addin;
        ASSERT_EQ(CreateAddinInstanceForTest(&addin), S_OK);
        EXPECT_EQ(addin->OnConnection(host->Application().Get(), ext_cm_Startup, nullptr, nullptr),
                  c.result)
            << what;
        // The checks were passed: the process counts as connected and the paths are set.
        EXPECT_TRUE(g_bConnected) << what;
        EXPECT_FALSE(g_strIniPath.empty()) << what;
        EXPECT_EQ(host->FindMenuItem(hostsim::kExplorer, kAboutMenu, kAboutItem).has_value(),
                  c.aboutItem)
            << what;
        host->ClearFaults();
        addin->OnDisconnection(ext_dm_HostShutdown, nullptr);
        host->Shutdown();
        addin.Reset();
        host.reset();
    }
}

TEST_F(Connection, AboutDialogOpensFromTheMainWindowsItemAndClosesWithClose)
{
    ASSERT_EQ(Connect(), S_OK);
    bool shown = false;
    User().Driver().Expect("About dialog", hostsim::IsAboutDialog, [&](HWND window) {
        shown = true;
        hostsim::PostClick(window, IDC_ABOUT_CLOSE);
    });
    const hostsim::Delivery click = Host().Click(hostsim::kExplorer, kAboutMenu, kAboutItem);
    EXPECT_EQ(click.hr, S_OK);
    EXPECT_FALSE(click.cancel);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(User().Pending().empty());
}

TEST_F(Connection, OwnSinksAnswerOtherEventsWithoutEffect)
{
    ASSERT_EQ(Connect(), S_OK);
    const auto inspectorsSinks = Host().InspectorsSinks();
    const auto aboutSinks = Host().ButtonSinks(hostsim::kExplorer, kAboutMenu, kAboutItem);
    ASSERT_EQ(inspectorsSinks.size(), 1u);
    ASSERT_EQ(aboutSinks.size(), 1u);
    const std::size_t before = Host().Record().Events().size();
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    for (const DISPID id : {DISPID(1), DISPID(0xF002), DISPID(0)})
        EXPECT_EQ(inspectorsSinks[0]->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr,
                                             nullptr, nullptr),
                  S_OK);
    for (const DISPID id : {DISPID(0xF001), DISPID(2), DISPID(0)})
        EXPECT_EQ(aboutSinks[0]->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr,
                                        nullptr),
                  S_OK);
    EXPECT_EQ(Host().Record().Events().size(), before);
    EXPECT_EQ(AboutItems(), 1u);
    // Their IUnknown: the event interface, IUnknown and IDispatch; no type information.
    ComPtr<IUnknown> unknown;
    EXPECT_EQ(inspectorsSinks[0]->QueryInterface(IID_PPV_ARGS(&unknown)), S_OK);
    EXPECT_EQ(
        inspectorsSinks[0]->QueryInterface(
            IID_IDTExtensibility2, reinterpret_cast<void**>(unknown.ReleaseAndGetAddressOf())),
        E_NOINTERFACE);
    UINT count = 0;
    EXPECT_EQ(aboutSinks[0]->GetTypeInfoCount(&count), E_NOTIMPL);
}

} // namespace
} // namespace tessel::test
