#include "win/this_module.h"

#include "win/result.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace tessel
{

HINSTANCE ThisModule()
{
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

HRESULT GetModulePath(HMODULE module, std::wstring* path)
{
    RETURN_HR_IF_NULL(E_POINTER, path);
    path->clear();
    // A path cut short at MAX_PATH would name a file that does not exist: grow the buffer until
    // the whole name fits.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;)
    {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(module, buffer.data(), size);
        RETURN_HR_IF(HResultFromLastError(), length == 0);
        if (length < size)
        {
            buffer.resize(length);
            *path = std::move(buffer);
            return S_OK;
        }
        RETURN_HR_IF(HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE), size >= 32768);
        buffer.resize(static_cast<std::size_t>(size) * 2);
    }
}

} // namespace tessel
