// The two conversions that _bstr_t needs for char strings, on the ANSI code page, and the text
// of a GUID.

#include "com.h"

#include <cstring>
#include <iterator>

namespace _com_util
{

BSTR WINAPI ConvertStringToBSTR(const char* source)
{
    if (source == nullptr)
        return nullptr;
    const int length = MultiByteToWideChar(CP_ACP, 0, source, -1, nullptr, 0);
    if (length <= 0)
        return nullptr;
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
    if (result == nullptr)
        _com_issue_error(E_OUTOFMEMORY);
    MultiByteToWideChar(CP_ACP, 0, source, -1, result, length);
    return result;
}

char* WINAPI ConvertBSTRToString(BSTR source)
{
    if (source == nullptr)
        return nullptr;
    const int length =
        WideCharToMultiByte(CP_ACP, 0, source, static_cast<int>(SysStringLen(source)) + 1, nullptr,
                            0, nullptr, nullptr);
    char* result = new char[static_cast<std::size_t>(length > 0 ? length : 1)];
    result[0] = '\0';
    WideCharToMultiByte(CP_ACP, 0, source, static_cast<int>(SysStringLen(source)) + 1, result,
                        length, nullptr, nullptr);
    return result;
}

} // namespace _com_util

namespace tessel
{

std::wstring GuidText(REFGUID guid)
{
    wchar_t text[39] = {}; // 38 characters and the terminator
    StringFromGUID2(guid, text, static_cast<int>(std::size(text)));
    return text;
}

} // namespace tessel
