// hostsim as a 2007-365 client: the ribbon XML it loads or refuses, Word's selection as the
// add-in reads it, and the members that only later versions have.

#include "hostsim/host.h"
#include "hostsim/iids.h"
#include "tests/hostsim/late_bound.h"
#include "win/com_apartment.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace tessel::hostsim
{
namespace
{

using test::Object;
using test::Text;

constexpr wchar_t k2006[] = L"http://schemas.microsoft.com/office/2006/01/customui";
constexpr wchar_t k2009[] = L"http://schemas.microsoft.com/office/2009/07/customui";

// An add-in that answers IRibbonExtensibility with fixed XML per ribbon and notes what it was
// asked for.
class FakeRibbonAddin final : public IRibbonExtensibility
{
  public:
    std::map<std::wstring, std::wstring> xml;
    std::vector<std::wstring> asked;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) &&
            !IsEqualIID(iid, kIID_IRibbonExtensibility))
            return E_NOINTERFACE;
        *object = static_cast<IRibbonExtensibility*>(this);
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_references; }
    STDMETHODIMP_(ULONG) Release() override { return --m_references; } // lives on the stack
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                        UINT*) override
    {
        return DISP_E_MEMBERNOTFOUND;
    }
    STDMETHODIMP GetCustomUI(BSTR ribbonId, BSTR* result) override
    {
        asked.emplace_back(ribbonId);
        const auto found = xml.find(ribbonId);
        *result = found == xml.end() ? nullptr : SysAllocString(found->second.c_str());
        return S_OK;
    }

  private:
    ULONG m_references = 1;
};

std::wstring CustomUi(const std::wstring& space, const std::wstring& tabs)
{
    return L"<customUI xmlns=\"" + space + L"\"><ribbon><tabs>" + tabs +
           L"</tabs></ribbon></customUI>";
}

const wchar_t kTab[] = L"<tab idMso=\"TabNewMailMessage\"><group id=\"g\" label=\"G\">"
                       L"<button id=\"b\" label=\"&amp;Go\" onAction=\"Go\"/></group></tab>";

// XML that is not well formed, or whose root is no customUI element of a namespace the version
// loads, is refused whole; 2010 and later still load 2007's namespace.
TEST(HostsimRibbon, LoadsOnlyWellFormedCustomUiOfTheVersionsNamespaces)
{
    const ComApartment apartment;
    const struct
    {
        const wchar_t* version;
        std::wstring xml;
        const wchar_t* shown;
    } cases[] = {
        {L"12.0.6607", CustomUi(k2006, kTab), L"group \"G\" button \"&Go\""},
        {L"12.0.6607", CustomUi(k2009, kTab), L"refused: no customUI of a namespace"},
        {L"14.0.7268", CustomUi(k2006, kTab), L"group \"G\" button \"&Go\""},
        {L"16.0.17928", CustomUi(k2009, kTab), L"group \"G\" button \"&Go\""},
        {L"16.0.17928", CustomUi(L"urn:other", kTab), L"refused: no customUI of a namespace"},
        {L"16.0.17928", L"<customUI xmlns=\"" + std::wstring(k2009) + L"\"><ribbon>",
         L"refused: not well formed"},
        {L"16.0.17928", CustomUi(k2009, L"<tab idMso=\"x\"><group label=\"a & b\"/></tab>"),
         L"refused: not well formed"},
        {L"16.0.17928", L"<ribbon xmlns=\"" + std::wstring(k2009) + L"\"/>",
         L"refused: no customUI of a namespace"},
        {L"16.0.17928", L"", L"none"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.xml.begin(), c.xml.end()));
        FakeRibbonAddin addin;
        addin.xml[L"Microsoft.Outlook.Mail.Compose"] = c.xml;
        HostOptions options;
        options.version = c.version;
        Host host(options);
        host.ShowMainWindow();
        host.ConnectRibbon(&addin);
        InspectorSetup setup;
        setup.editor = EditorKind::Word;
        const WindowId window = host.OpenInspector(setup);
        host.OpenInspector(setup); // asked once per ribbon
        const std::vector<std::wstring> lines = host.Record().Lines(EventKind::Ribbon);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back().rfind(
                      L"ribbon Microsoft.Outlook.Mail.Compose: " + std::wstring(c.shown), 0),
                  0u)
            << std::string(lines.back().begin(), lines.back().end());
        const bool shown = std::wstring(c.shown).rfind(L"group", 0) == 0;
        EXPECT_EQ(host.FindRibbonButton(window, L"&Go").has_value(), shown);
        std::vector<std::wstring> asked = {L"Microsoft.Outlook.Mail.Compose"};
        if (host.Traits().explorerRibbon)
            asked.insert(asked.begin(), L"Microsoft.Outlook.Explorer");
        EXPECT_EQ(addin.asked, asked);
        host.Shutdown();
    }
}

// Word's selection as its own window gives it (Type, Text; at an insertion point the next
// character) and Word's Application.Selection, which belongs to the active document.
TEST(HostsimWord, SelectionIsTheDocumentsOwnAndApplicationSelectionTheActiveOnes)
{
    const ComApartment apartment;
    HostOptions options;
    options.version = L"16.0.17928";
    Host host(options);
    host.ShowMainWindow();
    InspectorSetup setup;
    setup.editor = EditorKind::Word;
    setup.text = L"para\vline\r";
    setup.selectionEnd = 9;
    const WindowId first = host.OpenInspector(setup);
    setup.text = L"other\r";
    setup.selectionEnd = 5;
    host.OpenInspector(setup);

    const auto document = Object(host.InspectorObject(first).Get(), L"WordEditor");
    const auto selection =
        Object(test::ItemAt(Object(document.Get(), L"Windows").Get(), 1).Get(), L"Selection");
    EXPECT_EQ(Text(selection.Get(), L"Text"), L"para\vline");
    EXPECT_EQ(Text(selection.Get(), L"Type"), L"2");
    EXPECT_EQ(
        Text(Object(Object(document.Get(), L"Application").Get(), L"Selection").Get(), L"Text"),
        L"other");
    host.Select(first, 2, 2);
    EXPECT_EQ(Text(selection.Get(), L"Type"), L"1");
    EXPECT_EQ(Text(selection.Get(), L"Text"), L"r");
    EXPECT_THROW(host.OpenInspector(InspectorSetup{}), std::invalid_argument)
        << "from 2007 on every message is written in Word";
    host.Shutdown();
}

// Members the client got in later versions are unknown names before.
TEST(HostsimWord, RepliesInTheReadingPaneCameWithVersionFifteen)
{
    const ComApartment apartment;
    for (const wchar_t* version : {L"14.0.7268", L"15.0.5589"})
    {
        HostOptions options;
        options.version = version;
        Host host(options);
        host.ShowMainWindow();
        ComPtr<IDispatch> explorer;
        ASSERT_EQ(CallObjectMethod(host.Application().Get(), L"ActiveExplorer", {}, &explorer),
                  S_OK);
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(L"ActiveInlineResponseWordEditor")};
        EXPECT_EQ(explorer->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
                  host.Traits().inlineResponses ? S_OK : DISP_E_UNKNOWNNAME);
        host.Shutdown();
    }
}

} // namespace
} // namespace tessel::hostsim
