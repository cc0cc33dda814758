#include "server/module.h"

namespace tessel
{
namespace
{

volatile LONG g_lockCount = 0;

} // namespace

void ModuleLock()
{
    InterlockedIncrement(&g_lockCount);
}

void ModuleUnlock()
{
    InterlockedDecrement(&g_lockCount);
}

LONG ModuleLockCount()
{
    return InterlockedCompareExchange(&g_lockCount, 0, 0);
}

} // namespace tessel
