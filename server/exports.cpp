// The four exports of the in-process server (ordinals in tessel.def).

#include "server/module.h"
#include "server/registration.h"
#include "win/result.h"

#include <windows.h>
#include <objbase.h>

// No exception may reach the caller, whatever happens inside.

STDAPI DllCanUnloadNow()
{
    try
    {
        return tessel::ModuleCanUnloadNow();
    }
    CATCH_RETURN()
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** object)
{
    try
    {
        return tessel::ModuleGetClassObject(clsid, riid, object);
    }
    CATCH_RETURN()
}

STDAPI DllRegisterServer()
{
    try
    {
        return tessel::RegisterServer();
    }
    CATCH_RETURN()
}

STDAPI DllUnregisterServer()
{
    try
    {
        return tessel::UnregisterServer();
    }
    CATCH_RETURN()
}
