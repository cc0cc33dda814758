#pragma once
// What the client hostsim plays does according to its version and generation, decided here and
// nowhere else: the rest of hostsim asks these traits.

#include "hostsim/host_options.h"

#include <string>
#include <vector>

namespace tessel::hostsim
{

struct ClientTraits
{
    int majorVersion = 0;
    // The 2000-2003 clients disconnect their add-ins only once, after the last window closed,
    // no reference to any of their objects is held ("the client stays in memory" otherwise);
    // 2007 and later disconnect them regardless.
    bool waitsForReleasedObjects = true;
    // InspectorEvents_10 and ExplorerEvents_10 exist from version 10 (2002) on.
    bool events10 = true;
    // BeforeMaximize and the other window-size events, on the _10 interfaces only, from version
    // 11 (2003) on.
    bool windowSizeEvents = true;
    // From version 12 (2007) on: the ribbon (IRibbonExtensibility) in the message windows, and
    // Word as the editor of every message.
    bool ribbon = false;
    // From version 14 (2010) on the main window has a ribbon too.
    bool explorerRibbon = false;
    // From version 15 (2013) on replies are written in the main window's reading pane.
    bool inlineResponses = false;
    // From version 14 (2010) on the client ends without telling its add-ins (no OnBeginShutdown,
    // no OnDisconnection).
    bool fastShutdown = false;
    // The customUI namespaces whose ribbon XML the client loads.
    std::vector<std::wstring> customUiNamespaces;
};

ClientTraits TraitsOf(const HostOptions& options);

// The number before the first dot of a version text; 0 when there is none.
int MajorVersion(const std::wstring& version);

} // namespace tessel::hostsim
