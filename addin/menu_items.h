#pragma once
// The host's menus, addressed by fixed 1-based positions (captions differ between languages),
// and the temporary buttons the add-in adds to them.

#include "win/com.h"

namespace tessel
{

// Positions on the menu bars and in their drop-down menus.
struct MenuPositions
{
    static constexpr long kMainAboutMenu = 7;      // main window: the menu that gets the About item
    static constexpr long kInspectorEditMenu = 2;  // message window: the menu holding Edit Message
    static constexpr long kInspectorQuoteMenu = 5; // message window: the menu that gets our item
    // Edit Message within the edit menu: one item further down from host version 10 on.
    static long EditMessageItem(int hostVersion) { return hostVersion == 9 ? 10 : 11; }
};

// The controls of the drop-down menu at menuPosition of the command bars' active menu bar.
// Reading the menu bar itself is the step whose failure callers report; any later failure,
// and a position that holds nothing or no drop-down menu, gives a failure too.
HRESULT GetMenuControls(IDispatch* commandBars, long menuPosition, ComPtr<IDispatch>* controls);

// Appends a temporary plain button with the caption, enabled and visible, to the controls. The
// tag tells the host's click apart from those of other buttons: Office raises Click on every
// button with the same Id and Tag, so each item needs a tag of its own. A button that cannot be
// set up completely is deleted again.
HRESULT AddTemporaryButton(IDispatch* controls, const wchar_t* caption, const wchar_t* tag,
                           ComPtr<IDispatch>* button);

// Deletes an item the add-in added, if there is one, and lets go of it.
void DeleteMenuItem(ComPtr<IDispatch>& item);

} // namespace tessel
