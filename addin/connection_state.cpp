#include "addin/connection_state.h"

#include "settings/data_paths.h"

bool g_bConnected = false;

namespace tessel
{

void ResetConnectionStateForTests()
{
    g_bConnected = false;
    g_strIniPath.clear();
    g_strHistoryPath.clear();
}

} // namespace tessel
