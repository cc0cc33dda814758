#pragma once
// Late-bound calls into the host: members by name through IDispatch, arguments in the order of
// the published object model. Every failure comes back as an HRESULT; nothing is thrown.
//
// The host answers each member only with the invoke kinds its type information gives it, so
// methods are called as methods (DISPATCH_METHOD), and properties are read as automation
// clients read them (DISPATCH_PROPERTYGET | DISPATCH_METHOD).

#include "win/com.h"

#include <initializer_list>

namespace tessel
{

// An optional argument left out.
_variant_t MissingArgument();
// An automation boolean passed as a 16-bit integer, as the host's Temporary argument expects.
_variant_t BooleanAsShort(bool value);

// Property reads, also of parameterised properties (Item(index)).
HRESULT GetProperty(IDispatch* object, const wchar_t* name, _variant_t* result);
HRESULT GetProperty(IDispatch* object, const wchar_t* name,
                    std::initializer_list<_variant_t> arguments, _variant_t* result);
// The value goes to the host as it is, without a copy (a large text, say).
HRESULT PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value);
// Methods; result may be null.
HRESULT CallMethod(IDispatch* object, const wchar_t* name,
                   std::initializer_list<_variant_t> arguments, _variant_t* result = nullptr);

// For object-valued members: S_OK with the object, S_OK with null when the member gave no
// object (null, empty or not an object), or the call's failure.
HRESULT GetObjectProperty(IDispatch* object, const wchar_t* name, ComPtr<IDispatch>* result);
HRESULT GetObjectProperty(IDispatch* object, const wchar_t* name,
                          std::initializer_list<_variant_t> arguments, ComPtr<IDispatch>* result);
HRESULT CallObjectMethod(IDispatch* object, const wchar_t* name,
                         std::initializer_list<_variant_t> arguments, ComPtr<IDispatch>* result);
// For members that must give an object: no object fails like the call would (E_FAIL).
HRESULT GetRequiredObject(IDispatch* object, const wchar_t* name, ComPtr<IDispatch>* result);
HRESULT GetRequiredObject(IDispatch* object, const wchar_t* name,
                          std::initializer_list<_variant_t> arguments, ComPtr<IDispatch>* result);
HRESULT CallRequiredObjectMethod(IDispatch* object, const wchar_t* name,
                                 std::initializer_list<_variant_t> arguments,
                                 ComPtr<IDispatch>* result);

// QueryInterface for one of the host's interfaces, kept as IDispatch since every call on it is
// late-bound. A null object gives E_NOINTERFACE.
HRESULT QueryHostInterface(IUnknown* object, const IID& iid, ComPtr<IDispatch>* result);
HRESULT GetStringProperty(IDispatch* object, const wchar_t* name, _bstr_t* result);
HRESULT GetLongProperty(IDispatch* object, const wchar_t* name, long* result);
HRESULT GetBoolProperty(IDispatch* object, const wchar_t* name, bool* result);

// Whether two interface pointers are the same COM object (the same IUnknown).
bool SameObject(IUnknown* left, IUnknown* right);

} // namespace tessel
