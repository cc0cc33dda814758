#pragma once
// Walking the host's object model the way the add-in does: by name, late-bound, through
// addin/dispatch_call.h. Each helper gives null (or empty) when a step fails, so that a test
// can assert on the result.

#include "addin/dispatch_call.h"

#include <string>

namespace tessel::hostsim::test
{

inline ComPtr<IDispatch> Object(IDispatch* object, const wchar_t* name)
{
    ComPtr<IDispatch> result;
    if (object == nullptr || FAILED(GetObjectProperty(object, name, &result)))
        return nullptr;
    return result;
}

inline ComPtr<IDispatch> ItemAt(IDispatch* collection, long position)
{
    ComPtr<IDispatch> result;
    if (collection == nullptr ||
        FAILED(GetObjectProperty(collection, L"Item", {_variant_t(position)}, &result)))
        return nullptr;
    return result;
}

inline std::wstring Text(IDispatch* object, const wchar_t* name)
{
    _bstr_t text;
    if (object == nullptr || FAILED(GetStringProperty(object, name, &text)))
        return L"<failed>";
    return text.length() ? std::wstring(text, text.length()) : std::wstring();
}

// The Controls of the popup at a menu bar position of a window (an inspector or explorer).
inline ComPtr<IDispatch> MenuControls(IDispatch* window, long menu)
{
    const auto bar = Object(Object(window, L"CommandBars").Get(), L"ActiveMenuBar");
    const auto popup = Object(ItemAt(Object(bar.Get(), L"Controls").Get(), menu).Get(), L"Control");
    return Object(popup.Get(), L"Controls");
}

inline bool Answers(IUnknown* object, REFIID iid)
{
    ComPtr<IUnknown> answer;
    return object != nullptr &&
           SUCCEEDED(object->QueryInterface(iid, reinterpret_cast<void**>(answer.GetAddressOf())));
}

} // namespace tessel::hostsim::test
