#pragma once
// What the add-in checks before it wakes up in a host process: the host's main window and its
// title, and the host's version.

#include <string>

namespace tessel
{

// Whether this process has a top-level window of the host's class ("rctrl_renwnd32") whose
// title is accepted. The host's message windows have the same class, and one of them may lie
// above the main window (the host started by opening a message), so every such window counts.
bool FindHostMainWindow();

// Titles end in "Microsoft Outlook" or "Microsoft Office Outlook", exactly.
bool IsHostTitleAccepted(const std::string& title);

// The major version (9, 10 or 11) from the host's version text, or 0 for any other.
int HostMajorVersion(const std::string& version);

} // namespace tessel
