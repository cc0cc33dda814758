#pragma once
// The command line of hostsim.exe: which add-in to load, how the host presents itself, the
// message window to open and how the user answers the Quote/Unquote dialog.

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

struct ProgramOptions
{
    bool help = false;
    std::wstring progId = L"Tessel.Addin"; // used when dllPath is empty
    std::wstring dllPath;
    std::wstring title = L"Inbox - Microsoft Outlook";
    std::wstring version = L"11.0.5608";
    std::wstring messageFile;
    EditorKind editor = EditorKind::Html;
    bool saved = false;
    EditMessageItem editItem = EditMessageItem::Disabled();
    DialogAnswer answer = DialogAnswer::AtTheScreen;
    std::wstring sign = L"> ";
    int width = 60;
    int levels = 1;
    const Key* confirmKey = nullptr; // null: the OK button (Cancel for --mode cancel)
    std::wstring outFile;            // empty: not written
    std::wstring captureFile;        // empty: no picture of the dialog
};

// Parses the arguments after the program name. On a usage error returns false and sets error
// to a one-line reason.
bool ParseProgramOptions(const std::vector<std::wstring>& arguments, ProgramOptions& options,
                         std::wstring& error);

extern const wchar_t* const kProgramUsage;

} // namespace tessel::hostsim
