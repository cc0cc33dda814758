#pragma once
// A controlling object for aggregation tests: it answers IUnknown itself and passes every other
// request to the inner object it holds; it counts its references and is never deleted by them.

#include "win/com.h"

namespace tessel::test
{

class COuterObject final : public IUnknown
{
  public:
    IFACEMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (IsEqualIID(riid, IID_IUnknown))
        {
            *object = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return m_inner ? m_inner->QueryInterface(riid, object) : E_NOINTERFACE;
    }
    IFACEMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_cRef); }
    IFACEMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--m_cRef); }

    LONG References() const { return m_cRef; }
    // The inner object's non-delegating IUnknown, which this object owns.
    ComPtr<IUnknown> m_inner;

  private:
    LONG m_cRef = 1;
};

} // namespace tessel::test
