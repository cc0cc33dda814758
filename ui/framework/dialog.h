#pragma once
// The dialog class the add-in's two dialogs derive from: a dialog template shown modally by a
// message loop of our own, so that a dialog can look at each key before the dialog manager
// does, and a static message map per class that routes messages and commands to members.

#include <windows.h>

#include <cstddef>
#include <exception>
#include <iterator>
#include <utility>

namespace tessel
{

class CDialog;

// One row of a message map: a window message, or WM_COMMAND from one command id (a button click
// or an accelerator key), and the member that handles it.
struct MessageMapEntry
{
    UINT message;
    UINT commandId; // WM_COMMAND rows only
    void (*handler)(CDialog& dialog);
};

// A class's rows and the map of its base class, searched after them.
struct MessageMap
{
    const MessageMap* base;
    const MessageMapEntry* entries;
    std::size_t count;
};

namespace detail
{
template <typename Dialog, void (Dialog::*Handler)()> void CallHandler(CDialog& dialog)
{
    (static_cast<Dialog&>(dialog).*Handler)();
}
} // namespace detail

template <typename Dialog, void (Dialog::*Handler)()>
constexpr MessageMapEntry OnMessage(UINT message)
{
    return {message, 0, &detail::CallHandler<Dialog, Handler>};
}

template <typename Dialog, void (Dialog::*Handler)()> constexpr MessageMapEntry OnCommand(UINT id)
{
    return {WM_COMMAND, id, &detail::CallHandler<Dialog, Handler>};
}

class CDialog
{
  public:
    explicit CDialog(UINT templateId, HWND parent = nullptr);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Shows the dialog and runs its messages until EndDialog; returns the code given to it, or
    // -1 when the dialog could not be created or the thread was told to quit (the quit message
    // is posted again for the caller's loop).
    INT_PTR DoModal();

    HWND GetSafeHwnd() const { return m_hWnd; }

  protected:
    virtual const MessageMap& GetMessageMap() const;
    // Attaches control objects to their windows; run by the base initialisation.
    virtual void DoDataExchange() {}
    // Sees each message for the dialog and its controls before the dialog manager does; true
    // when it consumed the message.
    virtual BOOL PreTranslateMessage(MSG* message);
    // WM_INITDIALOG. TRUE lets the system focus the first tab stop.
    virtual BOOL OnInitDialog();

    // Ends the modal run with this code once the current message is handled.
    void EndDialog(INT_PTR result);
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

    HWND m_hWnd = nullptr;

  private:
    // The base class ends the dialog on the standard commands IDOK and IDCANCEL.
    void OnOK() { EndDialog(IDOK); }
    void OnCancel() { EndDialog(IDCANCEL); }

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    BOOL Dispatch(UINT message, WPARAM wParam);
    void RunMessageLoop();
    bool IsForDialog(const MSG& message) const;

    UINT m_templateId;
    HWND m_parent;
    bool m_running = false;
    INT_PTR m_result = -1;
    bool m_quit = false;
    WPARAM m_quitCode = 0;
    std::exception_ptr m_error; // thrown by a handler; rethrown by DoModal
};

} // namespace tessel
