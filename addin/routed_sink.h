#pragma once
// The add-in object's own event sinks. They have no reference count of their own: AddRef and
// Release act on the add-in object, so a connection that the host holds on a sink keeps the
// object alive. Events go through a fixed routing table to the object's handlers.

#include "win/com.h"

namespace tessel
{

class Addin;

class RoutedSink final : public IDispatch
{
  public:
    RoutedSink(Addin& owner, IUnknown& ownerUnknown, int sinkNumber, const IID& eventInterface)
        : m_owner(owner), m_ownerUnknown(ownerUnknown), m_sinkNumber(sinkNumber),
          m_eventInterface(eventInterface)
    {
    }
    RoutedSink(const RoutedSink&) = delete;
    RoutedSink& operator=(const RoutedSink&) = delete;

    // The event interface, IUnknown and IDispatch give the sink itself.
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return m_ownerUnknown.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_ownerUnknown.Release(); }

    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    // An event without a route is answered with S_OK and changes nothing; a routed event
    // calls its handler and returns S_OK whatever the handler did.
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* parameters,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

  private:
    HRESULT Route(DISPID id, DISPPARAMS* parameters);

    Addin& m_owner;
    IUnknown& m_ownerUnknown; // the add-in object's (outer, when aggregated) IUnknown
    const int m_sinkNumber;
    const IID& m_eventInterface;
};

} // namespace tessel
