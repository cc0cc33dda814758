#include "ui/framework/combo_box.h"

namespace tessel
{

int CComboBox::AddString(const std::string& text)
{
    return static_cast<int>(
        SendMessageA(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CComboBox::FindString(int startAfter, const std::string& prefix) const
{
    return static_cast<int>(SendMessageA(m_hWnd, CB_FINDSTRING, static_cast<WPARAM>(startAfter),
                                         reinterpret_cast<LPARAM>(prefix.c_str())));
}

int CComboBox::SetCurSel(int index)
{
    return static_cast<int>(SendMessageA(m_hWnd, CB_SETCURSEL, static_cast<WPARAM>(index), 0));
}

int CComboBox::GetCurSel() const
{
    return static_cast<int>(SendMessageA(m_hWnd, CB_GETCURSEL, 0, 0));
}

int CComboBox::GetCount() const
{
    return static_cast<int>(SendMessageA(m_hWnd, CB_GETCOUNT, 0, 0));
}

std::string CComboBox::GetLBText(int index) const
{
    const LRESULT length = SendMessageA(m_hWnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return {};
    // The length may be larger than the text for multi-byte conversions; the copy says how much.
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

std::string CComboBox::GetWindowText() const
{
    const int length = GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = ::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

} // namespace tessel
