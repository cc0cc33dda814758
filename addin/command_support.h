#pragma once
// What the quote command of the menu item (the 2000-2003 clients) and that of the ribbon button
// (the 2007-365 clients) share: their messages, the guard against a command inside a command,
// the dialog run, and writing the result back.

#include "ui/quote_dlg.h"
#include "win/com.h"

#include <string>

namespace tessel
{

// The refusals, each composed afresh for every command from its fixed lines.
struct CommandMessages
{
    std::string editFirst;
    std::string htmlEditorNeeded;
    std::string noSelection;
};
CommandMessages ComposeMessages();
// No owner window, OK only, no icon; under the product's title.
void ShowRefusal(const std::string& text);
// The no-selection message, under its own caption.
void ShowNoSelection(const CommandMessages& messages);

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

  private:
    bool m_bWasBusy;
};

// S_OK with the result once the user confirmed the dialog, S_FALSE when they dismissed it. An
// exception inside it (no memory for the result, say) ends it with its failure, after telling
// the user that the text was left unchanged.
HRESULT AskForResult(std::wstring text, const TextEngine& engine, std::wstring* result);

// Whether the message window is still among the host's open windows.
bool IsStillOpen(IDispatch* application, IDispatch* inspector);

// Sets the text property of a range, replacing what it spans. The text goes to the host as one
// BSTR, without further copies; ours goes first, so that a large selection needs as little
// memory as can be.
HRESULT WriteOver(IDispatch* range, const wchar_t* textProperty, std::wstring text);

} // namespace tessel
