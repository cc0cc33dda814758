#pragma once
// The command line of hostsim.exe: which add-in to load, how the host presents itself, the
// message window to open and how the user answers the Quote/Unquote dialog.

#include "engine/quote_limits.h"
#include "hostsim/host_options.h"
#include "hostsim/keyboard.h"

#include <optional>
#include <string>
#include <vector>

namespace tessel::hostsim
{

enum class DialogAnswer
{
    AtTheScreen, // no --mode: the person at the display answers
    Quote,
    Unquote,
    Accept, // --accept: confirm what the dialog shows
    Cancel,
};

// What the scripted user does while the Quote/Unquote dialog is open, before answering it.
enum class DuringDialog
{
    Nothing,
    Click, // clicks the same quote item again
    Close, // closes the message window
    Quit,  // ends the client
};

struct ProgramOptions
{
    bool help = false;
    std::wstring progId = L"Tessel.Addin"; // used when dllPath is empty
    std::wstring dllPath;
    std::wstring title = L"Inbox - Microsoft Outlook"; // the version's own when not given
    std::wstring version = L"11.0.5608";
    HostKind host = HostKind::Classic;
    int windows = 1;          // mail windows holding the message
    bool inlineReply = false; // the message is a reply written in the main window's reading pane
    bool about = false;       // click the About button after the quote command
    DuringDialog duringDialog = DuringDialog::Nothing;
    bool inspectorOnTop = false;      // a message window above the main window at start
    std::optional<int> explorerMenus; // the main menu bar's menus; default: the client's 7
    bool controlObject = true;        // CommandBarControl.Control gives the control
    GuardAnswer guard = GuardAnswer::Allow;
    std::wstring messageFile;
    EditorKind editor = EditorKind::Html; // Word from version 12 on
    bool saved = false;
    EditMessageItem editItem = EditMessageItem::Disabled();
    DialogAnswer answer = DialogAnswer::AtTheScreen;
    std::wstring sign = L"> ";
    int width = kDefaultWrapWidth;
    int levels = kDefaultUnquoteLevels;
    const Key* confirmKey = nullptr; // null: the OK button (Cancel for --mode cancel)
    std::wstring outFile;            // empty: not written
    std::wstring captureFile;        // empty: no picture of the dialog
};

// Parses the arguments after the program name. On a usage error returns false and sets error
// to a one-line reason.
bool ParseProgramOptions(const std::vector<std::wstring>& arguments, ProgramOptions& options,
                         std::wstring& error);

extern const std::wstring kProgramUsage;

} // namespace tessel::hostsim
