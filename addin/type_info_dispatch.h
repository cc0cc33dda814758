#pragma once
// IDispatch answered from type information, for one dual interface of an object that has
// several: each side keeps its own type information holder, and the methods are final (or made
// final by the one class that adds names of its own) so the object's IDispatch vtables stay
// apart.

#include "server/type_info.h"
#include "win/com.h"
#include "win/result.h"

namespace tessel
{

template <class Interface, TypeInfoHolder Holder> class TypeInfoDispatch : public Interface
{
  public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) final
    {
        RETURN_HR_IF_NULL(E_POINTER, count);
        *count = 1;
        return S_OK;
    }

    STDMETHODIMP GetTypeInfo(UINT, LCID locale, ITypeInfo** typeInfo) final
    {
        return GetHolderTypeInfo(Holder, locale, typeInfo);
    }

    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT nameCount, LCID locale,
                               DISPID* ids) override
    {
        ComPtr<ITypeInfo> info;
        RETURN_IF_FAILED(GetHolderTypeInfo(Holder, locale, &info));
        return info->GetIDsOfNames(names, nameCount, ids);
    }

    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* parameters,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override
    {
        RETURN_HR_IF(DISP_E_UNKNOWNINTERFACE, !IsEqualIID(riid, IID_NULL));
        try
        {
            ComPtr<ITypeInfo> info;
            RETURN_IF_FAILED(GetHolderTypeInfo(Holder, locale, &info));
            return info->Invoke(static_cast<Interface*>(this), id, flags, parameters, result,
                                exception, argumentError);
        }
        CATCH_RETURN()
    }
};

} // namespace tessel
