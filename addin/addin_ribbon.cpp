// The add-in object's ribbon in the 2007-365 clients: the XML of each of the client's ribbons,
// and the buttons' callbacks.

#include "addin/addin_object.h"
#include "addin/quote_command.h"
#include "addin/ribbon.h"
#include "win/result.h"

namespace tessel
{

STDMETHODIMP Addin::GetCustomUI(BSTR ribbonId, BSTR* ribbonXml)
{
    RETURN_HR_IF_NULL(E_POINTER, ribbonXml);
    *ribbonXml = nullptr;
    if (!ConnectedToModernClient() || ribbonId == nullptr)
        return S_OK;
    try
    {
        const std::wstring xml =
            RibbonXml(std::wstring(ribbonId, SysStringLen(ribbonId)), m_nVersion);
        if (xml.empty())
            return S_OK;
        *ribbonXml = SysAllocStringLen(xml.data(), static_cast<UINT>(xml.size()));
        return *ribbonXml != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    CATCH_RETURN()
}

HRESULT Addin::OnRibbonCallback(RibbonCallback callback, IDispatch* control)
{
    if (!ConnectedToModernClient())
        return S_OK;
    // The command and the dialogs run modally; the object must outlive them.
    const ComPtr<IUnknown> keepAlive(m_pControllingUnknown);
    switch (callback)
    {
        case RibbonCallback::Quote:
            return RunWordQuoteCommand(m_spApp.Get(), control);
        case RibbonCallback::About:
            ShowAboutDialog();
            return S_OK;
    }
    return S_OK;
}

} // namespace tessel
