#pragma once
// A test fixture: the real add-in object connected to the simulated host, with a scripted user
// for the dialogs and message boxes, the data files in a fresh folder, and a check after every
// test that neither a hostsim object nor one of the add-in's sinks is left alive.

#include "hostsim/host.h"
#include "hostsim/scripted_user.h"
#include "server/interfaces.h"
#include "tests/support/temp_folder.h"
#include "win/com_apartment.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace tessel::test
{

inline constexpr wchar_t kQuoteItem[] = L"&Quote/Unquote Selected Text";
inline constexpr wchar_t kAboutItem[] = L"About Custom Tessel Addin...";
inline constexpr int kQuoteMenu = 5;
inline constexpr int kAboutMenu = 7;

// A new add-in object, as the host's class factory would make it.
HRESULT CreateAddinInstanceForTest(ComPtr<IDTExtensibility2>* addin);

class AddinInHost : public testing::Test
{
  protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the host (version, main window title) and connects a new add-in object to it.
    HRESULT Connect(hostsim::HostOptions options = {},
                    const std::wstring& title = L"Inbox - Microsoft Outlook");
    HRESULT ConnectAgain(); // a further OnConnection on a new add-in object

    hostsim::Host& Host() { return *m_host; }
    const hostsim::Host& Host() const { return *m_host; }
    hostsim::ScriptedUser& User() { return *m_user; }
    IDTExtensibility2* AddinObject() { return m_addin.Get(); }

    // A mail note in the HTML editor, never saved, with the whole text selected.
    hostsim::WindowId OpenMessage(const std::wstring& text, hostsim::InspectorSetup setup = {});
    hostsim::Delivery ClickQuote(hostsim::WindowId window);
    bool HasQuoteItem(hostsim::WindowId window) const;
    std::wstring RecordText() const;

    TempFolder m_folder;

  private:
    void ReleaseAll();

    std::unique_ptr<hostsim::Host> m_host;
    std::unique_ptr<hostsim::ScriptedUser> m_user;
    ComPtr<IDTExtensibility2> m_addin;
    ComPtr<IDTExtensibility2> m_secondAddin;
    long m_sinksBefore = 0;
    std::unique_ptr<ComApartment> m_apartment;
};

} // namespace tessel::test
