#pragma once
// A combo box control seen through its window handle. Texts are UTF-16, as the dialog's window
// holds them; the caller converts to the ANSI of the settings and history files where needed.

#include <windows.h>

#include <string>
#include <vector>

namespace tessel
{

class CComboBox
{
  public:
    void Attach(HWND window) { m_hWnd = window; }

    // The items in the order a sorted combo box lists them: by the box's locale, ignoring case.
    std::vector<std::wstring> SortedAsListed(std::vector<std::wstring> items) const;
    // Adds many items, already in the order the box lists them (SortedAsListed), to the end of
    // a sorted combo box, with storage reserved first and drawing off meanwhile. Added one by
    // one with CB_ADDSTRING, each item would cost a search of the list and a move of the items
    // behind it.
    void AppendSorted(const std::vector<std::wstring>& items);
    // The first item after startAfter (-1: from the first) that begins with prefix, ignoring
    // case; CB_ERR when none does.
    int FindString(int startAfter, const std::wstring& prefix) const;
    // The item whose text is exactly text, case included; CB_ERR when none is.
    int FindExactCase(const std::wstring& text) const;
    // Selects an item and shows its text in the edit field; CB_ERR for an index out of range.
    int SetCurSel(int index);
    std::wstring GetLBText(int index) const;
    // The edit field's text, as typed or as selected.
    std::wstring GetText() const;

  private:
    HWND m_hWnd = nullptr;
};

} // namespace tessel
