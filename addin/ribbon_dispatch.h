#pragma once
// The add-in object's two dispatch sides that the ribbon reaches. The client asks the add-in for
// IRibbonExtensibility, calls its GetCustomUI for each of its ribbons, and calls the callbacks
// that the XML names late-bound, by name (GetIDsOfNames, then Invoke with DISPATCH_METHOD and
// the IRibbonControl as the only argument), on the object's IDispatch. So IAddin's dispatch side
// knows the callbacks beside the names of its type library, and IRibbonExtensibility's own
// dispatch side knows them beside GetCustomUI, whichever of the two the client calls.

#include "addin/ribbon.h"
#include "addin/type_info_dispatch.h"
#include "server/interfaces.h"

namespace tessel
{

// IAddin's dispatch side: the ribbon's callbacks, then the type library's names.
class AddinDispatch : public TypeInfoDispatch<IAddin, TypeInfoHolder::Addin>
{
  public:
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT nameCount, LCID locale,
                               DISPID* ids) final;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* parameters,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) final;

  protected:
    ~AddinDispatch() = default;
    // Runs a callback; its status goes back to the client, an exception as its status.
    virtual HRESULT OnRibbonCallback(RibbonCallback callback, IDispatch* control) = 0;
};

// IRibbonExtensibility with a dispatch side of its own, without type information: GetCustomUI
// (dispatch identifier 1, as in the Office type library) and the ribbon's callbacks.
class RibbonExtensibilityDispatch : public IRibbonExtensibility
{
  public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) final;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) final;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT nameCount, LCID locale,
                               DISPID* ids) final;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* parameters,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) final;

  protected:
    ~RibbonExtensibilityDispatch() = default;
    virtual HRESULT OnRibbonCallback(RibbonCallback callback, IDispatch* control) = 0;
};

} // namespace tessel
