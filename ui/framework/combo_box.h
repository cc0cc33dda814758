#pragma once
// A combo box control seen through its window handle. Texts are ANSI, as the quotation signs
// are kept in the settings and history files.

#include <windows.h>

#include <string>

namespace tessel
{

class CComboBox
{
  public:
    void Attach(HWND window) { m_hWnd = window; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // Adds an item (in sorted place for a sorted combo box); its index, or CB_ERR.
    int AddString(const std::string& text);
    // The first item after startAfter (-1: from the first) that begins with prefix, ignoring
    // case; CB_ERR when none does.
    int FindString(int startAfter, const std::string& prefix) const;
    // Selects an item and shows its text in the edit field; CB_ERR for an index out of range.
    int SetCurSel(int index);
    int GetCurSel() const;
    int GetCount() const;
    std::string GetLBText(int index) const;
    // The edit field's text, as typed or as selected.
    std::string GetWindowText() const;

  private:
    HWND m_hWnd = nullptr;
};

} // namespace tessel
