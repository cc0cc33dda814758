#include "ui/framework/resource_module.h"

namespace tessel
{
namespace
{

HINSTANCE g_resourceModule = nullptr;

} // namespace

void SetResourceModule(HINSTANCE module)
{
    g_resourceModule = module;
}

HINSTANCE GetResourceModule()
{
    return g_resourceModule != nullptr ? g_resourceModule : GetModuleHandleW(nullptr);
}

std::wstring GetResourceModuleName()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;)
    {
        const DWORD length =
            GetModuleFileNameW(GetResourceModule(), path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
        {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2); // cut short: try a larger buffer
    }
    const std::size_t folderEnd = path.find_last_of(L"\\/");
    std::wstring name = folderEnd == std::wstring::npos ? path : path.substr(folderEnd + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos && dot != 0)
        name.resize(dot);
    return name;
}

std::wstring LoadResourceString(UINT id)
{
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself.
    const wchar_t* text = nullptr;
    const int length = LoadStringW(GetResourceModule(), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text != nullptr ? std::wstring(text, static_cast<std::size_t>(length))
                                         : std::wstring();
}

} // namespace tessel
