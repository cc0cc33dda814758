#pragma once
// The DLL under test, loaded into the test program with its four exports. Each object loads it
// afresh (unless something else holds it) and frees it again.

#include "win/unique_handle.h"

#include <objbase.h>

#include <string>

namespace tessel::test
{

class ServerDll
{
  public:
    // Tessel.dll beside the test program.
    ServerDll();
    explicit ServerDll(const std::wstring& path);

    bool Loaded() const { return m_module.is_valid() && m_getClassObject != nullptr; }
    const std::wstring& Path() const { return m_path; }

    HRESULT CanUnloadNow() const { return m_canUnloadNow(); }
    HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** object) const
    {
        return m_getClassObject(clsid, riid, object);
    }
    HRESULT Register() const { return m_register(); }
    HRESULT Unregister() const { return m_unregister(); }

  private:
    using NoArguments = HRESULT(STDAPICALLTYPE*)();
    using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

    std::wstring m_path;
    unique_hmodule m_module;
    NoArguments m_canUnloadNow = nullptr;
    GetClassObjectFunction m_getClassObject = nullptr;
    NoArguments m_register = nullptr;
    NoArguments m_unregister = nullptr;
};

// Runs regsvr32 silently on the DLL (unregistering with /u) and returns its exit code, or -1
// when it could not be run.
long RunRegsvr32(const std::wstring& dllPath, bool unregister);

} // namespace tessel::test
