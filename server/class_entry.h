#pragma once
// The server's class table has one row: the creatable class, how to make an instance of it, and
// its class factory once the first DllGetClassObject has made it.

#include "win/published_com_ptr.h"

#include <windows.h>
#include <unknwn.h>

namespace tessel
{

// Creates an object of the class: the plain form when outer is null, the aggregated form with
// it. Asks the new object for riid; when that fails the object is destroyed again and the
// QueryInterface error returned. E_OUTOFMEMORY when the object cannot be allocated.
using InstanceCreator = HRESULT (*)(IUnknown* outer, REFIID riid, void** object);

struct ClassEntry
{
    const CLSID& clsid;
    InstanceCreator createInstance;
    // Holds the first reference of the factory from its creation until ReleaseClassFactory.
    PublishedComPtr<IUnknown> factory;
};

// DllGetClassObject for one class entry: the cached factory's riid, created on first use.
HRESULT GetClassObject(ClassEntry& entry, REFCLSID clsid, REFIID riid, void** object);

// Drops the cached factory; the next GetClassObject creates a new one.
void ReleaseClassFactory(ClassEntry& entry);

} // namespace tessel
