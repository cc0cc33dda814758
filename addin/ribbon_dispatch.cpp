#include "addin/ribbon_dispatch.h"

#include "win/result.h"

#include <algorithm>

namespace tessel
{
namespace
{

constexpr DISPID kGetCustomUiId = 1;

// Names after the first are parameter names, which no callback declares.
HRESULT FindCallbackIds(LPOLESTR* names, UINT nameCount, DISPID* ids)
{
    std::fill(ids, ids + nameCount, DISPID_UNKNOWN);
    if (!FindRibbonCallback(names[0], &ids[0]))
        return DISP_E_UNKNOWNNAME;
    return nameCount == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

// The only argument of a method call (DISPATCH_METHOD, one positional argument), as the type
// given, or the failure that answers a call of another shape.
HRESULT OnlyArgument(WORD flags, const DISPPARAMS* parameters, VARTYPE type, _variant_t* argument)
{
    RETURN_HR_IF(DISP_E_MEMBERNOTFOUND, (flags & DISPATCH_METHOD) == 0);
    RETURN_HR_IF_NULL(E_POINTER, parameters);
    RETURN_HR_IF(DISP_E_NONAMEDARGS, parameters->cNamedArgs != 0);
    RETURN_HR_IF(DISP_E_BADPARAMCOUNT, parameters->cArgs != 1);
    RETURN_HR_IF(DISP_E_TYPEMISMATCH,
                 FAILED(VariantChangeType(argument, &parameters->rgvarg[0], 0, type)));
    return S_OK;
}

// The one way both dispatch sides answer a callback: the call's shape checked, the control
// (IRibbonControl) taken, and no exception going further.
template <typename Run>
HRESULT AnswerRibbonCallback(WORD flags, const DISPPARAMS* parameters, Run run)
{
    try
    {
        _variant_t control;
        RETURN_IF_FAILED(OnlyArgument(flags, parameters, VT_DISPATCH, &control));
        return run(control.pdispVal);
    }
    CATCH_RETURN()
}

} // namespace

STDMETHODIMP AddinDispatch::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT nameCount, LCID locale,
                                          DISPID* ids)
{
    RETURN_HR_IF(E_POINTER, names == nullptr || ids == nullptr);
    DISPID callback = DISPID_UNKNOWN;
    if (nameCount > 0 && FindRibbonCallback(names[0], &callback))
        return FindCallbackIds(names, nameCount, ids);
    return TypeInfoDispatch::GetIDsOfNames(riid, names, nameCount, locale, ids);
}

STDMETHODIMP AddinDispatch::Invoke(DISPID id, REFIID riid, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError)
{
    const std::optional<RibbonCallback> callback = RibbonCallbackOf(id);
    if (!callback)
        return TypeInfoDispatch::Invoke(id, riid, locale, flags, parameters, result, exception,
                                        argumentError);
    RETURN_HR_IF(DISP_E_UNKNOWNINTERFACE, !IsEqualIID(riid, IID_NULL));
    return AnswerRibbonCallback(flags, parameters, [&](IDispatch* control) {
        return OnRibbonCallback(*callback, control);
    });
}

STDMETHODIMP RibbonExtensibilityDispatch::GetTypeInfoCount(UINT* count)
{
    RETURN_HR_IF_NULL(E_POINTER, count);
    *count = 0;
    return S_OK;
}

STDMETHODIMP RibbonExtensibilityDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** typeInfo)
{
    RETURN_HR_IF_NULL(E_POINTER, typeInfo);
    *typeInfo = nullptr;
    return DISP_E_BADINDEX;
}

STDMETHODIMP RibbonExtensibilityDispatch::GetIDsOfNames(REFIID riid, LPOLESTR* names,
                                                        UINT nameCount, LCID, DISPID* ids)
{
    RETURN_HR_IF(DISP_E_UNKNOWNINTERFACE, !IsEqualIID(riid, IID_NULL));
    RETURN_HR_IF(E_POINTER, names == nullptr || ids == nullptr);
    RETURN_HR_IF(E_INVALIDARG, nameCount == 0);
    if (names[0] != nullptr &&
        CompareStringOrdinal(names[0], -1, L"GetCustomUI", -1, TRUE) == CSTR_EQUAL)
    {
        std::fill(ids, ids + nameCount, DISPID_UNKNOWN);
        ids[0] = kGetCustomUiId;
        return nameCount == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
    return FindCallbackIds(names, nameCount, ids);
}

STDMETHODIMP RibbonExtensibilityDispatch::Invoke(DISPID id, REFIID riid, LCID, WORD flags,
                                                 DISPPARAMS* parameters, VARIANT* result,
                                                 EXCEPINFO*, UINT*)
{
    RETURN_HR_IF(DISP_E_UNKNOWNINTERFACE, !IsEqualIID(riid, IID_NULL));
    if (const std::optional<RibbonCallback> callback = RibbonCallbackOf(id))
        return AnswerRibbonCallback(flags, parameters, [&](IDispatch* control) {
            return OnRibbonCallback(*callback, control);
        });
    RETURN_HR_IF(DISP_E_MEMBERNOTFOUND, id != kGetCustomUiId);
    try
    {
        _variant_t ribbonId;
        RETURN_IF_FAILED(OnlyArgument(flags, parameters, VT_BSTR, &ribbonId));
        BSTR xml = nullptr;
        RETURN_IF_FAILED(GetCustomUI(ribbonId.bstrVal, &xml));
        _variant_t answer;
        answer.vt = VT_BSTR;
        answer.bstrVal = xml;
        if (result != nullptr)
            *result = answer.Detach();
        return S_OK;
    }
    CATCH_RETURN()
}

} // namespace tessel
