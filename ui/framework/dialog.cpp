#include "ui/framework/dialog.h"

#include "win/this_module.h"

namespace tessel
{

CDialog::CDialog(UINT templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog()
{
    if (m_hWnd != nullptr)
        DestroyWindow(m_hWnd);
}

const MessageMap& CDialog::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        OnCommand<CDialog, &CDialog::OnOK>(IDOK),
        OnCommand<CDialog, &CDialog::OnCancel>(IDCANCEL),
    };
    static const MessageMap map = {nullptr, entries, std::size(entries)};
    return map;
}

BOOL CDialog::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CDialog::OnInitDialog()
{
    DoDataExchange();
    return TRUE;
}

void CDialog::EndDialog(INT_PTR result)
{
    m_result = result;
    m_running = false;
    if (m_hWnd != nullptr)
        PostMessageW(m_hWnd, WM_NULL, 0, 0); // wakes the loop if it waits in GetMessage
}

INT_PTR CDialog::DoModal()
{
    m_result = -1;
    m_running = true;
    m_quit = false;
    m_error = nullptr;
    const HWND window = CreateDialogParamW(ThisModule(), MAKEINTRESOURCEW(m_templateId), m_parent,
                                           &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    const bool disabledOwner = window != nullptr && m_parent != nullptr &&
                               IsWindowEnabled(m_parent) && !EnableWindow(m_parent, FALSE);
    if (window != nullptr)
    {
        if (!IsWindowVisible(window))
            ShowWindow(window, SW_SHOWNORMAL);
        RunMessageLoop();
    }
    m_running = false;

    // The owner gets its input back before the dialog goes, so that activation returns to it.
    if (disabledOwner)
        EnableWindow(m_parent, TRUE);
    if (m_hWnd != nullptr)
        DestroyWindow(m_hWnd);
    if (m_quit)
        PostQuitMessage(static_cast<int>(m_quitCode));
    if (m_error)
        std::rethrow_exception(std::exchange(m_error, nullptr));
    return window == nullptr || m_quit ? -1 : m_result;
}

void CDialog::RunMessageLoop()
{
    while (m_running && m_hWnd != nullptr)
    {
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0)
        {
            m_quit = true;
            m_quitCode = message.wParam;
            break;
        }
        if (IsForDialog(message) && PreTranslateMessage(&message))
            continue;
        if (IsDialogMessageW(m_hWnd, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool CDialog::IsForDialog(const MSG& message) const
{
    return message.hwnd != nullptr && (message.hwnd == m_hWnd || IsChild(m_hWnd, message.hwnd));
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = window;
    }
    auto* const dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (dialog == nullptr)
        return FALSE; // messages before WM_INITDIALOG
    if (message == WM_NCDESTROY)
    {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        dialog->m_hWnd = nullptr;
        dialog->m_running = false;
        return FALSE;
    }
    // No exception may unwind through the system's frames: keep it for DoModal and end the run.
    try
    {
        return message == WM_INITDIALOG ? dialog->OnInitDialog()
                                        : dialog->Dispatch(message, wParam);
    }
    catch (...)
    {
        dialog->m_error = std::current_exception();
        dialog->EndDialog(-1);
        return FALSE;
    }
}

BOOL CDialog::Dispatch(UINT message, WPARAM wParam)
{
    // Commands come from buttons (notification 0) and accelerator keys (1); other notifications
    // of a control, such as a combo box's, are not commands.
    const bool isCommand = message == WM_COMMAND && HIWORD(wParam) <= 1;
    if (message == WM_COMMAND && !isCommand)
        return FALSE;
    for (const MessageMap* map = &GetMessageMap(); map != nullptr; map = map->base)
    {
        for (std::size_t i = 0; i < map->count; ++i)
        {
            const MessageMapEntry& entry = map->entries[i];
            if (entry.message == message && (!isCommand || entry.commandId == LOWORD(wParam)))
            {
                entry.handler(*this);
                return TRUE;
            }
        }
    }
    return FALSE;
}

} // namespace tessel
