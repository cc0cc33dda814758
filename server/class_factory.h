#pragma once
// The class factory of the server's class.

#include "server/class_entry.h"

namespace tessel
{

// A new factory that makes objects with createInstance, with one reference for the caller (the
// class entry's cache). Every further reference keeps the module locked: the factory locks the
// module when its count rises to 2 and unlocks it when the count falls back to 1, so only
// references held from outside keep the DLL loaded.
HRESULT CreateClassFactory(InstanceCreator createInstance, IUnknown** factory);

} // namespace tessel
