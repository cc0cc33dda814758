#include "hostsim/program/addin_loader.h"

#include <cwchar>
#include <vector>

namespace tessel::hostsim
{
namespace
{

using CanUnloadNowFunction = HRESULT(STDAPICALLTYPE*)();
using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);

template <typename Function> Function Export(HMODULE module, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The registered server of a class: InprocServer32's default value.
bool InprocServerPath(REFCLSID clsid, std::wstring& path)
{
    const std::wstring key = L"CLSID\\" + GuidText(clsid) + L"\\InprocServer32";
    const DWORD flags = RRF_RT_REG_SZ;
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, flags, nullptr, nullptr, &bytes) !=
        ERROR_SUCCESS)
        return false;
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1);
    bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, flags, nullptr, buffer.data(),
                     &bytes) != ERROR_SUCCESS)
        return false;
    path = buffer.data();
    return true;
}

std::wstring FullPath(const std::wstring& path)
{
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return path;
    std::vector<wchar_t> buffer(length);
    if (GetFullPathNameW(path.c_str(), length, buffer.data(), nullptr) == 0)
        return path;
    return buffer.data();
}

} // namespace

std::wstring StatusText(HRESULT hr)
{
    if (hr == S_OK)
        return L"S_OK";
    if (hr == S_FALSE)
        return L"S_FALSE";
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

HRESULT LoadedAddin::CreateByProgId(const std::wstring& progId, std::wstring& description,
                                    std::wstring& error)
{
    CLSID clsid = CLSID_NULL;
    HRESULT hr = CLSIDFromProgID(progId.c_str(), &clsid);
    if (FAILED(hr))
    {
        error = L"no class is registered for the ProgID " + progId + L" (" + StatusText(hr) + L")";
        return hr;
    }
    ComPtr<IUnknown> object;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object));
    if (FAILED(hr))
    {
        error = L"cannot create " + progId + L" " + GuidText(clsid) + L" (" + StatusText(hr) + L")";
        return hr;
    }
    // The client knows its add-ins by ProgID only; the DLL is whatever the class names.
    std::wstring path;
    if (!InprocServerPath(clsid, path))
    {
        error = L"no InprocServer32 path for " + GuidText(clsid);
        return REGDB_E_CLASSNOTREG;
    }
    hr = KeepModule(path, error);
    if (FAILED(hr))
        return hr;
    description = progId + L" " + GuidText(clsid) + L" from " + path;
    return TakeObject(object.Get(), error);
}

HRESULT LoadedAddin::CreateFromDll(const std::wstring& path, std::wstring& description,
                                   std::wstring& error)
{
    const std::wstring fullPath = FullPath(path);
    m_module.reset(LoadLibraryExW(fullPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
    if (!m_module)
    {
        const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
        error = L"cannot load " + fullPath + L" (" + StatusText(hr) + L")";
        return hr;
    }
    const auto getClassObject = Export<GetClassObjectFunction>(m_module.get(), "DllGetClassObject");
    if (getClassObject == nullptr)
    {
        error = fullPath + L" has no DllGetClassObject";
        return E_NOINTERFACE;
    }
    ComPtr<IClassFactory> factory;
    HRESULT hr = getClassObject(CLSID_Addin, IID_PPV_ARGS(&factory));
    ComPtr<IUnknown> object;
    if (SUCCEEDED(hr))
        hr = factory->CreateInstance(nullptr, IID_PPV_ARGS(&object));
    if (FAILED(hr))
    {
        error = L"cannot create " + GuidText(CLSID_Addin) + L" from " + fullPath + L" (" +
                StatusText(hr) + L")";
        return hr;
    }
    description = GuidText(CLSID_Addin) + L" from " + fullPath + L" (DllGetClassObject)";
    return TakeObject(object.Get(), error);
}

HRESULT LoadedAddin::KeepModule(const std::wstring& path, std::wstring& error)
{
    // A reference of our own, so that the module cannot go before it has been asked.
    if (!GetModuleHandleExW(0, path.c_str(), m_module.put()))
    {
        const HRESULT hr = HRESULT_FROM_WIN32(GetLastError());
        error = L"the registered server " + path + L" is not the module that was loaded (" +
                StatusText(hr) + L")";
        return hr;
    }
    return S_OK;
}

HRESULT LoadedAddin::TakeObject(IUnknown* object, std::wstring& error)
{
    const HRESULT hr = object->QueryInterface(IID_PPV_ARGS(&m_spAddin));
    if (FAILED(hr))
        error = L"the add-in object has no IDTExtensibility2 (" + StatusText(hr) + L")";
    return hr;
}

HRESULT LoadedAddin::CanUnloadNow() const
{
    if (!m_module)
        return E_UNEXPECTED;
    const auto canUnloadNow = Export<CanUnloadNowFunction>(m_module.get(), "DllCanUnloadNow");
    return canUnloadNow ? canUnloadNow() : E_NOINTERFACE;
}

} // namespace tessel::hostsim
