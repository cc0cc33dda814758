#pragma once
// Late-bound calls into the host: members by name through IDispatch, arguments in the order of
// the published object model. Every failure comes back as an HRESULT; nothing is thrown.

#include "win/com.h"

#include <initializer_list>

namespace tessel
{

// An optional argument left out.
_variant_t MissingArgument();
// An automation boolean passed as a 16-bit integer, as the host's Temporary argument expects.
_variant_t BooleanAsShort(bool value);

HRESULT GetProperty(IDispatch* object, const wchar_t* name, _variant_t* result);
HRESULT PutProperty(IDispatch* object, const wchar_t* name, const _variant_t& value);
// Methods and parameterised properties (Item(index)); result may be null.
HRESULT CallMethod(IDispatch* object, const wchar_t* name,
                   std::initializer_list<_variant_t> arguments, _variant_t* result = nullptr);

// For object-valued members: S_OK with the object, S_FALSE with null when the member gave no
// object (null, empty or not an object), or the call's failure.
HRESULT GetObjectProperty(IDispatch* object, const wchar_t* name, ComPtr<IDispatch>* result);
HRESULT CallObjectMethod(IDispatch* object, const wchar_t* name,
                         std::initializer_list<_variant_t> arguments, ComPtr<IDispatch>* result);

// QueryInterface for one of the host's interfaces, kept as IDispatch since every call on it is
// late-bound. A null object gives E_NOINTERFACE.
HRESULT QueryHostInterface(IUnknown* object, const IID& iid, ComPtr<IDispatch>* result);
HRESULT GetStringProperty(IDispatch* object, const wchar_t* name, _bstr_t* result);
HRESULT GetLongProperty(IDispatch* object, const wchar_t* name, long* result);
HRESULT GetBoolProperty(IDispatch* object, const wchar_t* name, bool* result);

} // namespace tessel
