#pragma once
// What the add-in checks before it wakes up in a host process: the host's main window and its
// title, and the host's version; and whether the user opted in to the 2007-365 clients.

#include <string>

namespace tessel
{

// Whether this process has a top-level window of the host's class ("rctrl_renwnd32") whose
// title is accepted (with anyTitle, whatever its title: those of the 2013 and later clients name
// the account and are translated). The host's message windows have the same class, and one of
// them may lie above the main window (the host started by opening a message), so every such
// window counts.
bool FindHostMainWindow(bool anyTitle = false);

// Titles end in "Microsoft Outlook" or "Microsoft Office Outlook", exactly.
bool IsHostTitleAccepted(const std::string& title);

// The major version (9, 10 or 11) from the host's version text, or 0 for any other.
int HostMajorVersion(const std::string& version);

// The major version of a 2007-365 client (12 to 16: the number before the first dot of
// "16.0.17928.20114"), or 0 for any other.
int ModernHostMajorVersion(const std::string& version);
constexpr int kFirstModernVersion = 12; // 2007
constexpr int kLastModernVersion = 16;  // 2016, 2019, 2021 and 365

// Whether the user opted in to the 2007-365 clients: the DWORD value ModernClients, not 0, under
// HKEY_CURRENT_USER\Software\Tessel.
bool ModernClientsOptedIn();

} // namespace tessel
