#include "addin/routed_sink.h"

#include "addin/addin_object.h"
#include "addin/event_sink.h"
#include "addin/host_iids.h"
#include "win/result.h"

#include <algorithm>
#include <iterator>

namespace tessel
{
namespace
{

// Unpacks an event's arguments, which DISPPARAMS hold last one first, in declared order and
// calls the handler. Returns false when an argument is not of the declared type.
using RouteCall = bool (*)(Addin& addin, const DISPPARAMS& parameters);

struct EventRoute
{
    int sinkNumber;
    DISPID id;
    UINT argumentCount;
    RouteCall call;
};

VARIANT& Argument(const DISPPARAMS& parameters, UINT declaredIndex)
{
    return parameters.rgvarg[parameters.cArgs - 1 - declaredIndex];
}

// NewInspector(Inspector: VT_DISPATCH)
bool CallNewInspector(Addin& addin, const DISPPARAMS& parameters)
{
    _variant_t inspector;
    if (FAILED(VariantChangeType(&inspector, &Argument(parameters, 0), 0, VT_DISPATCH)))
        return false;
    addin.OnNewInspector(inspector.pdispVal);
    return true;
}

// Click(Ctrl: VT_DISPATCH, CancelDefault: VT_BOOL by reference)
bool CallAboutClick(Addin& addin, const DISPPARAMS& parameters)
{
    _variant_t control;
    if (FAILED(VariantChangeType(&control, &Argument(parameters, 0), 0, VT_DISPATCH)))
        return false;
    VARIANT& cancel = Argument(parameters, 1);
    if (cancel.vt != (VT_BOOL | VT_BYREF))
        return false;
    addin.OnAboutClick(control.pdispVal, cancel.pboolVal);
    return true;
}

// Close()
bool CallExplorerClose(Addin& addin, const DISPPARAMS&)
{
    addin.OnExplorerClose();
    return true;
}

// Consulted by every sink, in this order.
const EventRoute kEventRoutes[] = {
    {1, host::kNewInspectorEvent, 1, &CallNewInspector},   // InspectorsEvents.NewInspector
    {2, host::kButtonClickEvent, 2, &CallAboutClick},      // the About item's Click
    {3, host::kExplorerCloseEvent, 0, &CallExplorerClose}, // ExplorerEvents.Close
};

} // namespace

STDMETHODIMP RoutedSink::QueryInterface(REFIID riid, void** object)
{
    return QueryEventSinkInterface(this, m_eventInterface, riid, object);
}

STDMETHODIMP RoutedSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                                EXCEPINFO*, UINT*)
{
    try
    {
        return Route(id, parameters);
    }
    CATCH_RETURN()
}

HRESULT RoutedSink::Route(DISPID id, DISPPARAMS* parameters)
{
    const auto route = std::find_if(std::begin(kEventRoutes), std::end(kEventRoutes),
                                    [&](const EventRoute& entry) {
                                        return entry.sinkNumber == m_sinkNumber && entry.id == id;
                                    });
    if (route == std::end(kEventRoutes))
        return S_OK;
    // The host sends the declared arguments; anything else is refused rather than guessed at.
    if (parameters == nullptr)
        return E_POINTER;
    if (parameters->cArgs != route->argumentCount || parameters->cNamedArgs != 0)
        return DISP_E_BADPARAMCOUNT;
    // The handler may run a modal dialog; the object must outlive it.
    const ComPtr<IUnknown> keepAlive(&m_ownerUnknown);
    if (!route->call(m_owner, *parameters))
        return DISP_E_TYPEMISMATCH;
    return S_OK;
}

} // namespace tessel
