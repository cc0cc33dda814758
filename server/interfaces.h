#pragma once
// The server's COM interfaces and identifiers for C++ code: IAddin, CLSID_Addin, IID_IAddin and
// LIBID_TESSELLib (generated from tessel.idl), IDTExtensibility2 with its enums,
// LIBID_AddInDesignerObjects and IRibbonExtensibility (generated from extensibility.idl). The GUIDs
// are defined once, in the server library.

#include <windows.h>
#include <ole2.h>
#include <oaidl.h>

#include "server/tessel_idl.h"
#include "server/extensibility_idl.h"

namespace tessel
{

// Both type libraries are looked up and registered as version 1.0.
constexpr WORD kTypeLibMajorVersion = 1;
constexpr WORD kTypeLibMinorVersion = 0;

} // namespace tessel
