#pragma once
// The user's opt-in to the 2007-365 clients, set for as long as the object lives: the DWORD
// ModernClients under HKEY_CURRENT_USER\Software\Tessel, removed again (with the key, when
// nothing else is in it) at the end.

#include <windows.h>

namespace tessel::test
{

class ModernClientsOptIn
{
  public:
    explicit ModernClientsOptIn(DWORD value = 1);
    ~ModernClientsOptIn();
    ModernClientsOptIn(const ModernClientsOptIn&) = delete;
    ModernClientsOptIn& operator=(const ModernClientsOptIn&) = delete;
};

} // namespace tessel::test
