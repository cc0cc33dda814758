#pragma once
// The quote command: takes the selected text of a message being written, lets the user quote or
// unquote it in the Quote/Unquote dialog, writes the result over the selection and saves the
// message. Refusals (not being edited, not the HTML editor, nothing selected) are message boxes;
// failing host calls end the command silently with their status. The 2000-2003 clients run it
// from the menu item, in the HTML editor; the 2007-365 clients from the ribbon button, in Word.

#include "win/com.h"

namespace tessel
{

// application: the host's _Application; editMessageButton: the window's own Edit Message
// menu item, or null when it has none.
HRESULT RunQuoteCommand(IDispatch* application, IDispatch* editMessageButton);

// application: the host's _Application; control: the IRibbonControl of the clicked button, whose
// Context is the mail window (an Inspector) or, for a reply written in the reading pane, the
// main window (an Explorer).
HRESULT RunWordQuoteCommand(IDispatch* application, IDispatch* control);

} // namespace tessel
