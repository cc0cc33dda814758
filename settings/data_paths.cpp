#include "settings/data_paths.h"

std::string g_strIniPath;
std::string g_strHistoryPath;
