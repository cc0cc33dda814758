#include "tests/addin/addin_in_host.h"

#include "addin/connection_state.h"
#include "addin/create_addin.h"
#include "addin/event_sink.h"
#include "hostsim/live_objects.h"
#include "settings/data_paths.h"
#include "win/ansi.h"

namespace tessel::test
{

HRESULT CreateAddinInstanceForTest(ComPtr<IDTExtensibility2>* addin)
{
    return CreateAddinInstance(nullptr, IID_IDTExtensibility2,
                               reinterpret_cast<void**>(addin->ReleaseAndGetAddressOf()));
}

void AddinInHost::SetUp()
{
    m_apartment = std::make_unique<ComApartment>();
    ResetConnectionStateForTests();
    m_sinksBefore = EventSink::LiveCount();
}

void AddinInHost::TearDown()
{
    if (m_host)
    {
        EXPECT_EQ(m_host->RefusedInvokeKinds(), 0)
            << "a method called as a property, or the reverse";
    }
    ReleaseAll();
    EXPECT_EQ(hostsim::LiveObjectCount(), 0u) << hostsim::DescribeLiveObjects();
    EXPECT_EQ(EventSink::LiveCount(), m_sinksBefore) << "add-in sinks left alive";
    ResetConnectionStateForTests();
    m_apartment.reset();
}

void AddinInHost::ReleaseAll()
{
    if (m_host)
    {
        // As the client does when it ends: its windows close; a 2000-2003 client disconnects
        // the add-in once nothing of it is held, 2007 at once, 2010 and later not at all; then it
        // drops its connections.
        m_host->Quit();
        if (m_host->ReadyToDisconnect())
        {
            if (m_addin && !m_host->Traits().fastShutdown)
            {
                m_addin->OnBeginShutdown(nullptr);
                m_addin->OnDisconnection(ext_dm_HostShutdown, nullptr);
            }
        }
        else
        {
            ADD_FAILURE() << "the client stays running: " << m_host->HeldObjects()
                          << " objects held by the add-in\n"
                          << hostsim::DescribeLiveObjects();
        }
        m_host->Shutdown();
    }
    m_user.reset();
    m_addin.Reset();
    m_secondAddin.Reset();
    m_host.reset();
}

HRESULT AddinInHost::Connect(hostsim::HostOptions options, const std::wstring& title)
{
    m_host = std::make_unique<hostsim::Host>(std::move(options));
    m_user = std::make_unique<hostsim::ScriptedUser>(*m_host);
    if (!title.empty())
        m_host->ShowMainWindow(title);
    EXPECT_EQ(CreateAddinInstanceForTest(&m_addin), S_OK);
    const HRESULT hr =
        m_addin->OnConnection(m_host->Application().Get(), ext_cm_Startup, nullptr, nullptr);
    m_host->ConnectRibbon(m_addin.Get());
    // The add-in puts its files beside its DLL, which in this test is the test program; keep
    // every test's files apart.
    if (!g_strIniPath.empty())
    {
        g_strIniPath = m_folder.File("Tessel.ini");
        g_strHistoryPath = m_folder.File("TesselHistory.lst");
    }
    return hr;
}

HRESULT AddinInHost::ConnectAgain()
{
    EXPECT_EQ(CreateAddinInstanceForTest(&m_secondAddin), S_OK);
    return m_secondAddin->OnConnection(m_host->Application().Get(), ext_cm_AfterStartup, nullptr,
                                       nullptr);
}

hostsim::WindowId AddinInHost::OpenMessage(const std::wstring& text, hostsim::InspectorSetup setup)
{
    setup.text = text;
    if (setup.selectionEnd == 0 && setup.selectionStart == 0)
        setup.selectionEnd = text.size();
    return m_host->OpenInspector(setup);
}

hostsim::Delivery AddinInHost::ClickQuote(hostsim::WindowId window)
{
    return m_host->Click(window, kQuoteMenu, kQuoteItem);
}

bool AddinInHost::HasQuoteItem(hostsim::WindowId window) const
{
    return m_host->FindMenuItem(window, kQuoteMenu, kQuoteItem).has_value();
}

std::wstring AddinInHost::RecordText() const
{
    return m_host->Record().Text();
}

} // namespace tessel::test
