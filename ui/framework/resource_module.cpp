#include "ui/framework/resource_module.h"

#include "win/this_module.h"

namespace tessel
{

std::wstring GetResourceModuleName()
{
    std::wstring path;
    if (FAILED(GetModulePath(ThisModule(), &path)))
        return {};
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
    const int length = LoadStringW(ThisModule(), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text != nullptr ? std::wstring(text, static_cast<std::size_t>(length))
                                         : std::wstring();
}

} // namespace tessel
