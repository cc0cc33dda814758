#pragma once
// The class entry that DllMain attaches to the module: the add-in class of Tessel.dll.

#include "server/class_entry.h"

namespace tessel
{

ClassEntry& ServerClassEntry();

} // namespace tessel
