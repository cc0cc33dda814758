#include "addin/menu_items.h"

#include "addin/dispatch_call.h"
#include "addin/host_iids.h"
#include "win/result.h"

namespace tessel
{
namespace
{

constexpr long kControlButton = 1; // the command bars' plain button type

// The drop-down menu behind a menu bar item. The item from Controls.Item is itself the popup in
// the client; CommandBarControl.Control, reserved for internal use, is only the second way.
HRESULT PopupOf(IDispatch* menuControl, ComPtr<IDispatch>* popup)
{
    if (SUCCEEDED(QueryHostInterface(menuControl, host::kCommandBarPopup, popup)))
        return S_OK;
    ComPtr<IDispatch> control;
    RETURN_IF_FAILED(GetRequiredObject(menuControl, L"Control", &control));
    return QueryHostInterface(control.Get(), host::kCommandBarPopup, popup);
}

HRESULT SetUpButton(IDispatch* button, const wchar_t* caption, const wchar_t* tag)
{
    RETURN_IF_FAILED(PutProperty(button, L"Caption", _variant_t(caption)));
    RETURN_IF_FAILED(PutProperty(button, L"Enabled", _variant_t(true)));
    RETURN_IF_FAILED(PutProperty(button, L"Visible", _variant_t(true)));
    return PutProperty(button, L"Tag", _variant_t(tag));
}

} // namespace

HRESULT GetMenuControls(IDispatch* commandBars, long menuPosition, ComPtr<IDispatch>* controls)
{
    ComPtr<IDispatch> menuBar;
    RETURN_IF_FAILED(GetRequiredObject(commandBars, L"ActiveMenuBar", &menuBar));
    ComPtr<IDispatch> barControls;
    RETURN_IF_FAILED(GetRequiredObject(menuBar.Get(), L"Controls", &barControls));
    ComPtr<IDispatch> menuControl;
    RETURN_IF_FAILED(
        GetRequiredObject(barControls.Get(), L"Item", {_variant_t(menuPosition)}, &menuControl));
    ComPtr<IDispatch> popup;
    RETURN_IF_FAILED(PopupOf(menuControl.Get(), &popup));
    return GetRequiredObject(popup.Get(), L"Controls", controls);
}

HRESULT AddTemporaryButton(IDispatch* controls, const wchar_t* caption, const wchar_t* tag,
                           ComPtr<IDispatch>* button)
{
    // Add(Type, Id, Parameter, Before, Temporary): a button at the end that the host forgets
    // when it closes.
    RETURN_IF_FAILED(
        CallRequiredObjectMethod(controls, L"Add",
                                 {_variant_t(kControlButton), MissingArgument(), MissingArgument(),
                                  MissingArgument(), BooleanAsShort(true)},
                                 button));
    const HRESULT hr = SetUpButton(button->Get(), caption, tag);
    if (FAILED(hr))
        DeleteMenuItem(*button); // half made: no caption, or a tag that others may share
    return hr;
}

void DeleteMenuItem(ComPtr<IDispatch>& item)
{
    if (item)
        CallMethod(item.Get(), L"Delete", {MissingArgument()});
    item.Reset();
}

} // namespace tessel
