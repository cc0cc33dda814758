#include "ui/number_field.h"

#include <cstdint>
#include <string>

namespace tessel
{

int ParseNumberText(std::wstring_view text)
{
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos)
        return 0;
    const std::size_t last = text.find_last_not_of(L' ');
    text = text.substr(first, last - first + 1);

    bool negative = false;
    if (text.front() == L'-' || text.front() == L'+')
    {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return 0;
    std::int64_t magnitude = 0;
    for (const wchar_t digit : text)
    {
        if (digit < L'0' || digit > L'9')
            return 0;
        magnitude = magnitude * 10 + (digit - L'0');
        if (magnitude > std::int64_t{INT32_MAX} + 1)
            return 0;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return value < INT32_MIN || value > INT32_MAX ? 0 : static_cast<int>(value);
}

int GetNumberField(HWND dialog, int id)
{
    const HWND field = GetDlgItem(dialog, id);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return ParseNumberText(text);
}

void SetNumberField(HWND dialog, int id, int value)
{
    SetDlgItemInt(dialog, id, static_cast<UINT>(value), FALSE);
}

} // namespace tessel
