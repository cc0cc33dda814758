#pragma once
// Process-wide connection state: set by the first connection that passes its checks and kept
// until the DLL is unloaded (a disconnection does not clear it).

extern bool g_bConnected;

namespace tessel
{

// Tests only: back to the state right after the DLL was loaded (not connected, no data paths).
void ResetConnectionStateForTests();

} // namespace tessel
