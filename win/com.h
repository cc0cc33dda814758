#pragma once
// The COM smart types we use everywhere: ComPtr for interface pointers, _bstr_t and _variant_t
// for BSTR and VARIANT. comdef.h supplies _com_error and _com_issue_error, which the inline
// members of _bstr_t and _variant_t call on failure; com_support.cpp supplies the two string
// conversions that mingw-w64 declares but does not ship.

#include <windows.h>
#include <comdef.h>
#include <comutil.h>
#include <wrl/client.h>

#include <string>

namespace tessel
{

using Microsoft::WRL::ComPtr;

// Braced, upper-case and hyphenated, as the registry holds it:
// "{E609BB12-284F-4656-A1A0-518F1295E4F0}".
std::wstring GuidText(REFGUID guid);

} // namespace tessel
