#pragma once
// What the quote command of the menu item (the 2000-2003 clients) and that of the ribbon button
// (the 2007-365 clients) share: their messages, the guard against a command inside a command,
// the dialog run, and writing the result back.

#include "ui/quote_dlg.h"
#include "win/com.h"

#include <functional>
#include <string>

namespace tessel
{

// A refusal from the string table (IDS_EDIT_FIRST, IDS_HTML_EDITOR_NEEDED): no owner window, OK
// only, no icon; under the product's title.
void ShowRefusal(UINT textId);
// The no-selection message, under its own caption.
void ShowNoSelection();

// Held while a command runs: the dialog has no owner, so the host's windows stay clickable while
// it is open, and a click there must not start a second command inside the first. The module
// stays loaded meanwhile.
class RunningCommand
{
  public:
    RunningCommand();
    ~RunningCommand();
    RunningCommand(const RunningCommand&) = delete;
    RunningCommand& operator=(const RunningCommand&) = delete;

    // Whether a command is running already (then the new one does nothing).
    static bool Busy();
};

// Where the result goes: the range read (its text property's name) and the mail item to save.
struct WriteBack
{
    IDispatch* range;
    const wchar_t* textProperty;
    IDispatch* mailItem;
    // Whether the window is still there to be written, after the dialog.
    std::function<bool()> stillThere;
};

// The end of every command: the user transforms the text in the dialog; unless they dismissed
// it, or the window is gone by then (nothing is written or saved), the result replaces the
// range and the item is saved. An exception inside the dialog (no memory for the result, say)
// ends it with its failure, after telling the user that the text was left unchanged.
HRESULT TransformAndWriteBack(std::wstring text, const TextEngine& engine, const WriteBack& target);

// Whether the message window is still among the host's open windows.
bool IsStillOpen(IDispatch* application, IDispatch* inspector);

} // namespace tessel
