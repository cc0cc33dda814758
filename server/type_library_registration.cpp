#include "server/type_library_registration.h"

#include "win/com.h"
#include "win/result.h"
#include "win/unique_handle.h"

namespace tessel
{
namespace
{

constexpr wchar_t kSeparators[] = L"\\/:";

using UnRegisterTypeLibFunction = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);

} // namespace

std::wstring TypeLibBesideModule(const std::wstring& modulePath)
{
    // Only a dot in the file name counts; one in a folder name must not cut the path there.
    const std::size_t nameStart = modulePath.find_last_of(kSeparators);
    const std::size_t dot = modulePath.find_last_of(L'.');
    const bool hasExtension =
        dot != std::wstring::npos && (nameStart == std::wstring::npos || dot > nameStart);
    return (hasExtension ? modulePath.substr(0, dot) : modulePath) + L".tlb";
}

std::wstring HelpDirectoryOf(const std::wstring& path)
{
    const std::size_t separator = path.find_last_of(kSeparators);
    return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator + 1);
}

HRESULT LoadServerTypeLib(const std::wstring& modulePath, ITypeLib** library,
                          std::wstring* loadedFrom)
{
    RETURN_HR_IF_NULL(E_POINTER, library);
    RETURN_HR_IF_NULL(E_POINTER, loadedFrom);
    *library = nullptr;
    if (SUCCEEDED(LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, library)))
    {
        *loadedFrom = modulePath;
        return S_OK;
    }
    const std::wstring besideModule = TypeLibBesideModule(modulePath);
    RETURN_IF_FAILED(LoadTypeLibEx(besideModule.c_str(), REGKIND_NONE, library));
    *loadedFrom = besideModule;
    return S_OK;
}

HRESULT RegisterServerTypeLib(const std::wstring& modulePath)
{
    ComPtr<ITypeLib> library;
    std::wstring path;
    RETURN_IF_FAILED(LoadServerTypeLib(modulePath, &library, &path));
    std::wstring helpDirectory = HelpDirectoryOf(path);
    return RegisterTypeLib(library.Get(), path.data(), helpDirectory.data());
}

void UnregisterServerTypeLib(const std::wstring& modulePath)
{
    ComPtr<ITypeLib> library;
    std::wstring path;
    if (FAILED(LoadServerTypeLib(modulePath, &library, &path)))
        return;
    TLIBATTR* attributes = nullptr;
    if (FAILED(library->GetLibAttr(&attributes)))
        return;
    const TLIBATTR attributesCopy = *attributes;
    library->ReleaseTLibAttr(attributes);

    // Looked up at run time, as older systems lack the export.
    const unique_hmodule oleaut32(LoadLibraryW(L"oleaut32.dll"));
    if (!oleaut32)
        return;
    const FARPROC found = GetProcAddress(oleaut32.get(), "UnRegisterTypeLib");
    if (found == nullptr)
        return;
    const auto unregister =
        reinterpret_cast<UnRegisterTypeLibFunction>(reinterpret_cast<void (*)()>(found));
    unregister(attributesCopy.guid, attributesCopy.wMajorVerNum, attributesCopy.wMinorVerNum,
               attributesCopy.lcid, attributesCopy.syskind);
}

} // namespace tessel
