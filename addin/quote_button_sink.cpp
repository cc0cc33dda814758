#include "addin/quote_button_sink.h"

#include "addin/host_iids.h"
#include "addin/quote_command.h"
#include "win/result.h"

#include <new>

namespace tessel
{

QuoteButtonSink* QuoteButtonSink::Create(IDispatch* application, IDispatch* editMessageButton)
{
    return new (std::nothrow) QuoteButtonSink(application, editMessageButton);
}

QuoteButtonSink::QuoteButtonSink(IDispatch* application, IDispatch* editMessageButton)
    : EventSink(host::kCommandBarButtonEvents), m_spApp(application),
      m_spEditMessageButton(editMessageButton)
{
}

QuoteButtonSink::~QuoteButtonSink()
{
    Unadvise();
    m_spEditMessageButton.Reset();
    m_spApp.Reset();
}

STDMETHODIMP QuoteButtonSink::Invoke(DISPID id, REFIID riid, LCID, WORD, DISPPARAMS* parameters,
                                     VARIANT*, EXCEPINFO*, UINT*)
{
    if (!IsEqualIID(riid, IID_NULL))
        return DISP_E_UNKNOWNINTERFACE;
    if (id != host::kButtonClickEvent)
        return DISP_E_MEMBERNOTFOUND;
    if (parameters == nullptr)
        return E_POINTER;
    if (parameters->cArgs != 2)
        return DISP_E_BADPARAMCOUNT;
    // The command may run a modal dialog during which the host could drop its connection;
    // keep this sink alive until the command is over.
    const ComPtr<IDispatch> self(this);
    try
    {
        return RunQuoteCommand(m_spApp.Get(), m_spEditMessageButton.Get());
    }
    CATCH_RETURN()
}

} // namespace tessel
