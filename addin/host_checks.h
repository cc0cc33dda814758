#pragma once
// What the add-in checks before it wakes up in a host process: the host's main window and its
// title, and the host's version.

#include <string>

namespace tessel
{

// The title of the host's main window (class "rctrl_renwnd32"), or false when there is none.
bool FindHostMainWindowTitle(std::string* title);

// Titles end in "Microsoft Outlook" or "Microsoft Office Outlook", exactly.
bool IsHostTitleAccepted(const std::string& title);

// The major version (9, 10 or 11) from the host's version text, or 0 for any other.
int HostMajorVersion(const std::string& version);

} // namespace tessel
