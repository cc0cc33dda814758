#include "addin/menu_items.h"

#include "addin/dispatch_call.h"
#include "addin/host_iids.h"
#include "win/result.h"

namespace tessel
{
namespace
{

constexpr long kControlButton = 1; // the command bars' plain button type

// A member that gave no object where one is needed ends the lookup like a failed call.
HRESULT RequireObject(HRESULT hr)
{
    return hr == S_FALSE ? E_FAIL : hr;
}

} // namespace

HRESULT GetMenuControls(IDispatch* commandBars, long menuPosition, ComPtr<IDispatch>* controls)
{
    ComPtr<IDispatch> menuBar;
    RETURN_IF_FAILED(RequireObject(GetObjectProperty(commandBars, L"ActiveMenuBar", &menuBar)));
    ComPtr<IDispatch> barControls;
    RETURN_IF_FAILED(RequireObject(GetObjectProperty(menuBar.Get(), L"Controls", &barControls)));
    ComPtr<IDispatch> menuControl;
    RETURN_IF_FAILED(RequireObject(
        CallObjectMethod(barControls.Get(), L"Item", {_variant_t(menuPosition)}, &menuControl)));
    ComPtr<IDispatch> control;
    RETURN_IF_FAILED(RequireObject(GetObjectProperty(menuControl.Get(), L"Control", &control)));
    ComPtr<IDispatch> popup;
    RETURN_IF_FAILED(QueryHostInterface(control.Get(), host::kCommandBarPopup, &popup));
    return RequireObject(GetObjectProperty(popup.Get(), L"Controls", controls));
}

HRESULT AddTemporaryButton(IDispatch* controls, const wchar_t* caption, ComPtr<IDispatch>* button)
{
    // Add(Type, Id, Parameter, Before, Temporary): a button at the end that the host forgets
    // when it closes.
    RETURN_IF_FAILED(
        RequireObject(CallObjectMethod(controls, L"Add",
                                       {_variant_t(kControlButton), MissingArgument(),
                                        MissingArgument(), MissingArgument(), BooleanAsShort(true)},
                                       button)));
    RETURN_IF_FAILED(PutProperty(button->Get(), L"Caption", _variant_t(caption)));
    RETURN_IF_FAILED(PutProperty(button->Get(), L"Enabled", _variant_t(true)));
    return PutProperty(button->Get(), L"Visible", _variant_t(true));
}

} // namespace tessel
