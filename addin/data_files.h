#pragma once
// Where the settings file and the sign history live: beside the add-in's DLL, or beside the
// host's program when the DLL's own path cannot be had.

#include <string>

namespace tessel
{

// The full path of the module that holds this code (the DLL), found from the address of one of
// its own variables; empty when that fails.
std::string GetAddinDllPath();

// The path without its last component: trailing backslashes go first, then everything from the
// last backslash on. A path without a backslash gives "".
std::string GetFolderOfPath(const std::string& path);

// The folder of the host's program, with its trailing backslash; "-1" when it cannot be had.
std::string GetHostExeFolder();

// Sets g_strIniPath and g_strHistoryPath for a DLL at dllPath.
void LocateDataFiles(const std::string& dllPath);

} // namespace tessel
