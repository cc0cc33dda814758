#pragma once
// The COM smart types we use everywhere: ComPtr for interface pointers, _bstr_t and _variant_t
// for BSTR and VARIANT. comdef.h supplies _com_error and _com_issue_error, which the inline
// members of _bstr_t and _variant_t call on failure; com_support.cpp supplies the two string
// conversions that mingw-w64 declares but does not ship.

#include <windows.h>
#include <comdef.h>
#include <comutil.h>
#include <wrl/client.h>

namespace tessel
{
using Microsoft::WRL::ComPtr;
} // namespace tessel
