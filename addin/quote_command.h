#pragma once
// The quote command: takes the selected text of the host's active message window, lets the
// user quote or unquote it in the Quote/Unquote dialog, writes the result over the selection
// and saves the message. Refusals (not being edited, not the HTML editor, nothing selected)
// are message boxes; failing host calls end the command silently with their status.

#include "win/com.h"

namespace tessel
{

// application: the host's _Application; editMessageButton: the window's own Edit Message
// menu item, or null when it has none.
HRESULT RunQuoteCommand(IDispatch* application, IDispatch* editMessageButton);

} // namespace tessel
