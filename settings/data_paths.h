#pragma once
// Full paths of the settings file and the sign history, beside the add-in's DLL. Empty until a
// connection to the host passes its checks and sets them.

#include <string>

extern std::string g_strIniPath;
extern std::string g_strHistoryPath;
