#pragma once
// The class factory's way to make the add-in object.

#include <windows.h>
#include <unknwn.h>

namespace tessel
{

// Without an outer object the plain add-in object; with one, the aggregated form, whose inner
// IUnknown is what riid must then ask for. E_OUTOFMEMORY when it cannot be allocated; when the
// requested interface is not offered, the new object is destroyed again and the error returned.
HRESULT CreateAddinInstance(IUnknown* outer, REFIID riid, void** object);

} // namespace tessel
