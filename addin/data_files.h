#pragma once
// Where the settings file and the sign history live: beside the add-in's DLL, or beside the
// host's program when the DLL's own path cannot be had.

#include <string>

namespace tessel
{

// The full path of the module that holds this code (the DLL); empty when it cannot be had.
std::wstring GetAddinDllPath();

// A form of the path that the ANSI file functions open: the path itself when the ANSI code page
// spells every character of it, else its short form; empty when it has neither (short names
// turned off on that volume) or does not exist.
std::string AnsiPathOf(const std::wstring& path);

// The path without its last component: trailing backslashes go first, then everything from the
// last backslash on. A path without a backslash gives "".
std::string GetFolderOfPath(const std::string& path);

// The folder of the host's program, with its trailing backslash; "-1" when it cannot be had.
std::string GetHostExeFolder();

// Sets g_strIniPath and g_strHistoryPath for a DLL at dllPath: beside it, also in a folder whose
// name the ANSI code page cannot spell; beside the host's program when there is no such DLL;
// empty (nothing is stored) when the DLL's folder has no ANSI name at all.
void LocateDataFiles(const std::wstring& dllPath);

} // namespace tessel
