// The only creatable class of Tessel.dll: the add-in object.

#include "server/server_class.h"

#include "addin/create_addin.h"
#include "server/interfaces.h"

namespace tessel
{

ClassEntry& ServerClassEntry()
{
    static ClassEntry entry{CLSID_Addin, CreateAddinInstance, {}};
    return entry;
}

} // namespace tessel
