#include "addin/dispatch_call.h"

#include "win/result.h"

#include <algorithm>
#include <vector>

namespace tessel
{
namespace
{

HRESULT GetDispId(IDispatch* object, const wchar_t* name, DISPID* id)
{
    RETURN_HR_IF_NULL(E_POINTER, object);
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, id);
}

// DISPPARAMS hold the arguments last one first; this is the only place that reverses them. The
// arguments are passed as they are (shallow): the caller's variants own the values.
HRESULT Invoke(IDispatch* object, const wchar_t* name, WORD flags, const VARIANT* arguments,
               std::size_t count, _variant_t* result)
{
    DISPID id = DISPID_UNKNOWN;
    RETURN_IF_FAILED(GetDispId(object, name, &id));
    try
    {
        std::vector<VARIANT> reversed(arguments, arguments + count);
        std::reverse(reversed.begin(), reversed.end());
        DISPID namedPut = DISPID_PROPERTYPUT;
        DISPPARAMS parameters = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        if (flags == DISPATCH_PROPERTYPUT)
        {
            parameters.rgdispidNamedArgs = &namedPut;
            parameters.cNamedArgs = 1;
        }
        VARIANT answer;
        VariantInit(&answer);
        const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                                          result ? &answer : nullptr, nullptr, nullptr);
        if (result)
            result->Attach(answer);
        return hr;
    }
    CATCH_RETURN()
}

// _variant_t adds nothing to VARIANT, so an array of one is an array of the other.
static_assert(sizeof(_variant_t) == sizeof(VARIANT), "_variant_t must be a plain VARIANT");

HRESULT Invoke(IDispatch* object, const wchar_t* name, WORD flags,
               std::initializer_list<_variant_t> arguments, _variant_t* result)
{
    return Invoke(object, name, flags, arguments.begin(), arguments.size(), result);
}

constexpr WORD kPropertyRead = DISPATCH_PROPERTYGET | DISPATCH_METHOD;

// The value's dispatch side; null when the value is no object or has none.
void AsObject(const _variant_t& value, ComPtr<IDispatch>* result)
{
    result->Reset();
    const bool isObject = value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN;
    // A failed QueryInterface should leave null; the host's object is not trusted to.
    if (isObject && value.punkVal != nullptr &&
        FAILED(value.punkVal->QueryInterface(IID_PPV_ARGS(result->ReleaseAndGetAddressOf()))))
        result->Reset();
}

HRESULT Required(HRESULT hr, const ComPtr<IDispatch>& result)
{
    RETURN_IF_FAILED(hr);
    return result ? S_OK : E_FAIL;
}

} // namespace

_variant_t MissingArgument()
{
    return _variant_t(DISP_E_PARAMNOTFOUND, VT_ERROR);
}

_variant_t BooleanAsShort(bool value)
{
    return _variant_t(static_cast<short>(value ? -1 : 0));
}

HRESULT GetProperty(IDispatch* object, const wchar_t* name, _variant_t* result)
{
    return Invoke(object, name, kPropertyRead, {}, result);
}

HRESULT GetProperty(IDispatch* object, const wchar_t* name,
                    std::initializer_list<_variant_t> arguments, _variant_t* result)
{
    return Invoke(object, name, kPropertyRead, arguments, result);
}

HRESULT PutProperty(IDispatch* object, const wchar_t* name, const VARIANT& value)
{
    return Invoke(object, name, DISPATCH_PROPERTYPUT, &value, 1, nullptr);
}

HRESULT CallMethod(IDispatch* object, const wchar_t* name,
                   std::initializer_list<_variant_t> arguments, _variant_t* result)
{
    return Invoke(object, name, DISPATCH_METHOD, arguments, result);
}

HRESULT GetObjectProperty(IDispatch* object, const wchar_t* name, ComPtr<IDispatch>* result)
{
    return GetObjectProperty(object, name, {}, result);
}

HRESULT GetObjectProperty(IDispatch* object, const wchar_t* name,
                          std::initializer_list<_variant_t> arguments, ComPtr<IDispatch>* result)
{
    _variant_t value;
    RETURN_IF_FAILED(GetProperty(object, name, arguments, &value));
    AsObject(value, result);
    return S_OK;
}

HRESULT CallObjectMethod(IDispatch* object, const wchar_t* name,
                         std::initializer_list<_variant_t> arguments, ComPtr<IDispatch>* result)
{
    _variant_t value;
    RETURN_IF_FAILED(CallMethod(object, name, arguments, &value));
    AsObject(value, result);
    return S_OK;
}

HRESULT GetRequiredObject(IDispatch* object, const wchar_t* name, ComPtr<IDispatch>* result)
{
    return Required(GetObjectProperty(object, name, result), *result);
}

HRESULT GetRequiredObject(IDispatch* object, const wchar_t* name,
                          std::initializer_list<_variant_t> arguments, ComPtr<IDispatch>* result)
{
    return Required(GetObjectProperty(object, name, arguments, result), *result);
}

HRESULT CallRequiredObjectMethod(IDispatch* object, const wchar_t* name,
                                 std::initializer_list<_variant_t> arguments,
                                 ComPtr<IDispatch>* result)
{
    return Required(CallObjectMethod(object, name, arguments, result), *result);
}

HRESULT QueryHostInterface(IUnknown* object, const IID& iid, ComPtr<IDispatch>* result)
{
    result->Reset();
    RETURN_HR_IF_NULL(E_NOINTERFACE, object);
    return object->QueryInterface(iid, reinterpret_cast<void**>(result->ReleaseAndGetAddressOf()));
}

HRESULT GetStringProperty(IDispatch* object, const wchar_t* name, _bstr_t* result)
{
    _variant_t value;
    RETURN_IF_FAILED(GetProperty(object, name, &value));
    RETURN_IF_FAILED(VariantChangeType(&value, &value, 0, VT_BSTR));
    *result = _bstr_t(value.bstrVal, true);
    return S_OK;
}

HRESULT GetLongProperty(IDispatch* object, const wchar_t* name, long* result)
{
    _variant_t value;
    RETURN_IF_FAILED(GetProperty(object, name, &value));
    RETURN_IF_FAILED(VariantChangeType(&value, &value, 0, VT_I4));
    *result = value.lVal;
    return S_OK;
}

HRESULT GetBoolProperty(IDispatch* object, const wchar_t* name, bool* result)
{
    _variant_t value;
    RETURN_IF_FAILED(GetProperty(object, name, &value));
    RETURN_IF_FAILED(VariantChangeType(&value, &value, 0, VT_BOOL));
    *result = value.boolVal != VARIANT_FALSE;
    return S_OK;
}

bool SameObject(IUnknown* left, IUnknown* right)
{
    if (left == nullptr || right == nullptr)
        return false;
    ComPtr<IUnknown> leftIdentity;
    ComPtr<IUnknown> rightIdentity;
    return SUCCEEDED(left->QueryInterface(IID_PPV_ARGS(&leftIdentity))) &&
           SUCCEEDED(right->QueryInterface(IID_PPV_ARGS(&rightIdentity))) &&
           leftIdentity.Get() == rightIdentity.Get();
}

} // namespace tessel
