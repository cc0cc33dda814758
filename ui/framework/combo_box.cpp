#include "ui/framework/combo_box.h"

#include <algorithm>
#include <utility>

namespace tessel
{
namespace
{

// The key by which the locale's comparison ignoring case orders a text: comparing two keys
// byte by byte orders them as CompareString with NORM_IGNORECASE does.
std::string SortKey(LCID locale, const std::wstring& text)
{
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    const int length = static_cast<int>(text.size());
    const int size = LCMapStringW(locale, flags, text.c_str(), length, nullptr, 0);
    std::string key(static_cast<std::size_t>(std::max(size, 0)), '\0');
    if (size > 0)
        LCMapStringW(locale, flags, text.c_str(), length, reinterpret_cast<LPWSTR>(key.data()),
                     size);
    return key;
}

} // namespace

std::vector<std::wstring> CComboBox::SortedAsListed(std::vector<std::wstring> items) const
{
    const LCID locale = static_cast<LCID>(SendMessageW(m_hWnd, CB_GETLOCALE, 0, 0));
    std::vector<std::pair<std::string, std::wstring>> keyed;
    keyed.reserve(items.size());
    for (std::wstring& item : items)
    {
        std::string key = SortKey(locale, item);
        keyed.emplace_back(std::move(key), std::move(item));
    }
    // Stable, so that texts equal but for case keep their order.
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& left, const auto& right) { return left.first < right.first; });
    items.clear();
    for (auto& [key, item] : keyed)
        items.push_back(std::move(item));
    return items;
}

void CComboBox::AppendSorted(const std::vector<std::wstring>& items)
{
    std::size_t characters = 0;
    for (const std::wstring& item : items)
        characters += item.size() + 1;
    SendMessageW(m_hWnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(m_hWnd, CB_INITSTORAGE, items.size(), characters * sizeof(wchar_t));
    // CB_INSERTSTRING at the end skips the sorted box's search; the items are in its order.
    for (const std::wstring& item : items)
        SendMessageW(m_hWnd, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageW(m_hWnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

int CComboBox::FindString(int startAfter, const std::wstring& prefix) const
{
    return static_cast<int>(SendMessageW(m_hWnd, CB_FINDSTRING, static_cast<WPARAM>(startAfter),
                                         reinterpret_cast<LPARAM>(prefix.c_str())));
}

int CComboBox::FindExactCase(const std::wstring& text) const
{
    // CB_FINDSTRINGEXACT ignores case; of the items it finds, take the one that matches exactly.
    // It searches on from an index and wraps round to the top.
    const int first =
        static_cast<int>(SendMessageW(m_hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(text.c_str())));
    for (int found = first; found != CB_ERR;)
    {
        if (GetLBText(found) == text)
            return found;
        found =
            static_cast<int>(SendMessageW(m_hWnd, CB_FINDSTRINGEXACT, static_cast<WPARAM>(found),
                                          reinterpret_cast<LPARAM>(text.c_str())));
        if (found <= first)
            break;
    }
    return CB_ERR;
}

int CComboBox::SetCurSel(int index)
{
    return static_cast<int>(SendMessageW(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0));
}

std::wstring CComboBox::GetLBText(int index) const
{
    const LRESULT length = SendMessageW(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

std::wstring CComboBox::GetText() const
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    const int copied = GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

} // namespace tessel
