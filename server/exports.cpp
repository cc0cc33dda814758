// The four exports of the in-process server (ordinals in tessel.def).

#include "server/module.h"
#include "server/registration.h"

#include <windows.h>
#include <objbase.h>

STDAPI DllCanUnloadNow()
{
    return tessel::ModuleCanUnloadNow();
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    return tessel::ModuleGetClassObject(clsid, riid, object);
}

STDAPI DllRegisterServer()
{
    return tessel::RegisterServer();
}

STDAPI DllUnregisterServer()
{
    return tessel::UnregisterServer();
}
