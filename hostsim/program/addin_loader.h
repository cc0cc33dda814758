#pragma once
// The add-in object as the client creates it: by its ProgID through COM, or straight from a
// DLL through that DLL's own DllGetClassObject. Either way the DLL's module is kept, so that
// its DllCanUnloadNow can be asked once everything has been released.

#include "server/interfaces.h"
#include "win/com.h"
#include "win/unique_handle.h"

#include <string>

namespace tessel::hostsim
{

class LoadedAddin
{
  public:
    // On failure returns the status and sets error to a one-line reason. On success sets
    // description to what was created from where.
    HRESULT CreateByProgId(const std::wstring& progId, std::wstring& description,
                           std::wstring& error);
    HRESULT CreateFromDll(const std::wstring& path, std::wstring& description, std::wstring& error);

    IDTExtensibility2* Object() const { return m_spAddin.Get(); }
    void ReleaseObject() { m_spAddin.Reset(); }

    // The DLL's own answer (S_OK or S_FALSE), or a failure when it cannot be asked.
    HRESULT CanUnloadNow() const;

  private:
    HRESULT KeepModule(const std::wstring& path, std::wstring& error);
    HRESULT TakeObject(IUnknown* object, std::wstring& error);

    ComPtr<IDTExtensibility2> m_spAddin;
    unique_hmodule m_module;
};

// "S_OK", "S_FALSE" or "0x80004005".
std::wstring StatusText(HRESULT hr);

} // namespace tessel::hostsim
