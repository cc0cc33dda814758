#pragma once
// The add-in's part of the ribbon of the 2007-365 clients: the XML it gives for each of the
// client's ribbons, and the callbacks that XML names, which the client finds by name.

#include <windows.h>
#include <oaidl.h>

#include <optional>
#include <string>

namespace tessel
{

// The ribbon XML for one of the client's ribbons: a group with the "&Quote/Unquote Selected
// Text" and "About Custom Tessel Addin..." buttons on the message tab of a mail window being
// written ("Microsoft.Outlook.Mail.Compose") and, from version 15 on, on the message tab that the
// main window ("Microsoft.Outlook.Explorer") shows for a reply written in its reading pane. In
// the customUI namespace of the version (2006/01 for 12, 2009/07 from 14 on); empty (no UI) for
// every other ribbon and version.
std::wstring RibbonXml(const std::wstring& ribbonId, int hostVersion);

enum class RibbonCallback
{
    Quote, // the Quote/Unquote button's onAction
    About, // the About button's onAction
};

// The dispatch identifier of a callback the XML names, looked up without regard to case as
// automation names are; false for any other name.
bool FindRibbonCallback(const wchar_t* name, DISPID* id);
// The callback with that dispatch identifier, if it is one.
std::optional<RibbonCallback> RibbonCallbackOf(DISPID id);

} // namespace tessel
