// The one definition of every GUID that the generated headers declare. The system headers come
// first, without INITGUID, so that only our own identifiers are defined here.

#include <windows.h>
#include <ole2.h>
#include <oaidl.h>

#include <initguid.h>

#include "server/interfaces.h"
