#include "addin/ribbon.h"

#include "addin/host_checks.h"
#include "ui/framework/resource_module.h"
#include "ui/resource.h"
#include "win/xml_text.h"

namespace tessel
{
namespace
{

constexpr wchar_t kComposeRibbon[] = L"Microsoft.Outlook.Mail.Compose";
constexpr wchar_t kExplorerRibbon[] = L"Microsoft.Outlook.Explorer";
// The client's replies in the reading pane, and their Compose Tools tab set, came with 15.
constexpr int kFirstInlineReplyVersion = 15;

struct CallbackRow
{
    RibbonCallback callback;
    const wchar_t* name;
    DISPID id; // clear of the type library's identifiers and of the standard ones
};

const CallbackRow kCallbacks[] = {
    {RibbonCallback::Quote, L"OnQuoteSelectedText", 0x3001},
    {RibbonCallback::About, L"OnAboutTessel", 0x3002},
};

// The group, as it stands on both ribbons; the labels are the menu items' captions.
std::wstring Group()
{
    return L"<group id=\"TesselGroup\" label=\"Tessel\">"
           L"<button id=\"TesselQuote\" size=\"large\" label=\"" +
           XmlEscaped(LoadResourceString(IDS_QUOTE_ITEM)) +
           L"\" onAction=\"OnQuoteSelectedText\"/>"
           L"<button id=\"TesselAbout\" label=\"" +
           XmlEscaped(LoadResourceString(IDS_ABOUT_ITEM)) +
           L"\" onAction=\"OnAboutTessel\"/>"
           L"</group>";
}

std::wstring CustomUi(int hostVersion, const std::wstring& ribbon)
{
    // 2007 knows only the first namespace; 2010 brought the second.
    const wchar_t* space = hostVersion == kFirstModernVersion
                               ? L"http://schemas.microsoft.com/office/2006/01/customui"
                               : L"http://schemas.microsoft.com/office/2009/07/customui";
    return L"<customUI xmlns=\"" + std::wstring(space) + L"\"><ribbon>" + ribbon +
           L"</ribbon></customUI>";
}

} // namespace

std::wstring RibbonXml(const std::wstring& ribbonId, int hostVersion)
{
    if (hostVersion < kFirstModernVersion || hostVersion > kLastModernVersion)
        return {};
    if (ribbonId == kComposeRibbon)
        return CustomUi(hostVersion,
                        L"<tabs><tab idMso=\"TabNewMailMessage\">" + Group() + L"</tab></tabs>");
    if (ribbonId == kExplorerRibbon && hostVersion >= kFirstInlineReplyVersion)
        return CustomUi(hostVersion, L"<contextualTabs><tabSet idMso=\"TabComposeTools\">"
                                     L"<tab idMso=\"TabMessage\">" +
                                         Group() + L"</tab></tabSet></contextualTabs>");
    return {};
}

bool FindRibbonCallback(const wchar_t* name, DISPID* id)
{
    if (name == nullptr)
        return false;
    for (const CallbackRow& row : kCallbacks)
    {
        if (CompareStringOrdinal(name, -1, row.name, -1, TRUE) == CSTR_EQUAL)
        {
            *id = row.id;
            return true;
        }
    }
    return false;
}

std::optional<RibbonCallback> RibbonCallbackOf(DISPID id)
{
    for (const CallbackRow& row : kCallbacks)
        if (row.id == id)
            return row.callback;
    return std::nullopt;
}

} // namespace tessel
