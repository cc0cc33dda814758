#pragma once
// The type information behind the add-in's two dispatch interfaces, loaded from the registered
// type library on first use and kept until the module shuts down.

#include <windows.h>
#include <oaidl.h>

namespace tessel
{

enum class TypeInfoHolder
{
    Addin,         // IAddin in TESSELLib 1.0
    Extensibility, // IDTExtensibility2 in the add-in designer library 1.0
};

// The holder's type information with a reference for the caller. The first call (and every
// call after a failure) loads it from the registered library for lcid; a failure returns the
// loading error (TYPE_E_LIBNOTREGISTERED when the library is not registered) and leaves the
// holder empty.
HRESULT GetHolderTypeInfo(TypeInfoHolder holder, LCID lcid, ITypeInfo** info);

// Releases what the holders keep; the next GetHolderTypeInfo loads again.
void ReleaseTypeInfoHolders();

} // namespace tessel
