#include "ui/about_dlg.h"

#include "ui/animated_cursor.h"
#include "ui/framework/resource_module.h"
#include "ui/web_page.h"
#include "win/ansi.h"

namespace tessel
{
namespace
{

void OpenWebPageOfString(UINT id)
{
    OpenWebPage(WideToAnsi(LoadResourceString(id)));
}

} // namespace

CAboutDlg::CAboutDlg() : CDialog(IDD) {}

// The window is gone by now (DoModal destroys it), so the cursor is no longer shown.
CAboutDlg::~CAboutDlg() = default;

const MessageMap& CAboutDlg::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        OnMessage<CAboutDlg, &CAboutDlg::Ignore>(WM_CLOSE), // only the Close button ends it
        OnCommand<CAboutDlg, &CAboutDlg::OnCloseButton>(IDC_ABOUT_CLOSE),
        OnCommand<CAboutDlg, &CAboutDlg::OnProductPage>(IDC_PRODUCT_PAGE),
        OnCommand<CAboutDlg, &CAboutDlg::OnAddinsPage>(IDC_ADDINS_PAGE),
        // The dialog manager's own commands (Shift+Esc, Ctrl+Break, ...) end nothing here.
        OnCommand<CAboutDlg, &CAboutDlg::Ignore>(IDOK),
        OnCommand<CAboutDlg, &CAboutDlg::Ignore>(IDCANCEL),
    };
    static const MessageMap map = {&CDialog::GetMessageMap(), entries, std::size(entries)};
    return map;
}

void CAboutDlg::DoDataExchange()
{
    m_stAnimation.Attach(GetDlgItem(IDC_ABOUT_ANIMATION));
}

BOOL CAboutDlg::PreTranslateMessage(MSG* message)
{
    if (message->message == WM_KEYDOWN)
    {
        // Enter goes straight to the focused control, so no button is pressed by default; so
        // does Execute, which the dialog manager takes for Enter.
        if (message->wParam == VK_RETURN || message->wParam == VK_EXECUTE)
        {
            TranslateMessage(message);
            DispatchMessageW(message);
            return TRUE;
        }
        if (message->wParam == VK_ESCAPE)
            return TRUE; // Esc does not close the dialog
    }
    return CDialog::PreTranslateMessage(message);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemTextW(m_hWnd, IDC_ABOUT_TEXT, LoadResourceString(IDS_ABOUT_TEXT).c_str());
    m_hCursor = LoadAnimatedCursor(IDR_TILES_CURSOR);
    m_stAnimation.SetCursor(m_hCursor.get());
    return TRUE; // the focus goes to the first tab stop, the product's button
}

void CAboutDlg::OnProductPage()
{
    OpenWebPageOfString(IDS_PRODUCT_PAGE);
}

void CAboutDlg::OnAddinsPage()
{
    OpenWebPageOfString(IDS_ADDINS_PAGE);
}

} // namespace tessel
