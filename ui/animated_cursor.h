#pragma once
// Animated cursors kept as resources of type "ANICURSORS". The platform loads animated cursors
// only from files, so the resource goes through a temporary file.

#include "win/unique_handle.h"

#include <windows.h>

namespace tessel
{

// The cursor made from this module's "ANICURSORS" resource with this id; a null handle
// when any step fails (no such resource, no temporary file, a failed write, a file that is no
// cursor). The temporary file never outlives the call.
unique_hcursor LoadAnimatedCursor(UINT resourceId);

} // namespace tessel
