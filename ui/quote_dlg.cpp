#include "ui/quote_dlg.h"

#include "engine/quote_text.h"
#include "engine/unquote_text.h"
#include "settings/data_paths.h"
#include "settings/ini_file.h"
#include "settings/sign_history.h"
#include "ui/framework/resource_module.h"
#include "ui/number_field.h"
#include "win/ansi.h"

namespace tessel
{
namespace
{

constexpr char kSection[] = "Settings";
constexpr char kModeKey[] = "Mode";
constexpr char kWrapWidthKey[] = "WordWrap";
constexpr char kUnquoteLevelsKey[] = "UnquoteLevels";
constexpr char kAddSignKey[] = "QuoteLast";
constexpr char kRemoveSignKey[] = "UnquoteLast";

constexpr int kMinWidth = 10;
constexpr int kMaxWidth = 110;
constexpr int kMinLevels = 1;
constexpr int kMaxLevels = 50;

// Keyboard messages, WM_KEYDOWN to the last of the classic range.
constexpr UINT kFirstKeyMessage = WM_KEYDOWN;
constexpr UINT kLastKeyMessage = 0x108;

} // namespace

CQuoteDlg::CQuoteDlg() : CDialog(IDD) {}

CQuoteDlg::~CQuoteDlg() = default;

const MessageMap& CQuoteDlg::GetMessageMap() const
{
    static const MessageMapEntry entries[] = {
        OnMessage<CQuoteDlg, &CQuoteDlg::OnClose>(WM_CLOSE), // only OK or Cancel end it
        OnCommand<CQuoteDlg, &CQuoteDlg::OnConfirm>(IDC_CONFIRM),
        OnCommand<CQuoteDlg, &CQuoteDlg::OnDismiss>(IDC_DISMISS),
        OnCommand<CQuoteDlg, &CQuoteDlg::OnQuoteMode>(IDC_QUOTE_MODE),
        OnCommand<CQuoteDlg, &CQuoteDlg::OnUnquoteMode>(IDC_UNQUOTE_MODE),
        OnCommand<CQuoteDlg, &CQuoteDlg::OnConfirm>(ID_QUOTE_OK),
        OnCommand<CQuoteDlg, &CQuoteDlg::OnDismiss>(ID_QUOTE_CANCEL),
    };
    static const MessageMap map = {&CDialog::GetMessageMap(), entries, std::size(entries)};
    return map;
}

void CQuoteDlg::DoDataExchange()
{
    m_cbRemoveSign.Attach(GetDlgItem(IDC_REMOVE_SIGN));
    m_cbAddSign.Attach(GetDlgItem(IDC_ADD_SIGN));
}

BOOL CQuoteDlg::PreTranslateMessage(MSG* message)
{
    // Enter and Esc go through the dialog's own key table before the dialog manager sees them,
    // so Enter confirms even when a button has the focus and neither key reaches the default
    // button or cancel handling.
    if (message->message >= kFirstKeyMessage && message->message <= kLastKeyMessage &&
        m_hAccel != nullptr && TranslateAcceleratorW(m_hWnd, m_hAccel, message))
        return TRUE;
    return CDialog::PreTranslateMessage(message);
}

BOOL CQuoteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_hAccel = LoadAcceleratorsW(GetResourceModule(), MAKEINTRESOURCEW(IDR_QUOTE_KEYS));

    // Any stored mode other than unquote counts as quote.
    m_options.mode = IniReadInt(kSection, kModeKey, kQuoteMode, g_strIniPath);
    ShowMode(m_options.mode == kUnquoteMode ? kUnquoteMode : kQuoteMode);

    m_options.wrapWidth = IniReadInt(kSection, kWrapWidthKey, 60, g_strIniPath);
    SetNumberField(m_hWnd, IDC_WRAP_WIDTH, m_options.wrapWidth);
    m_options.unquoteLevels = IniReadInt(kSection, kUnquoteLevelsKey, 1, g_strIniPath);
    SetNumberField(m_hWnd, IDC_UNQUOTE_LEVELS, m_options.unquoteLevels);

    LoadSignHistory(g_strHistoryPath, m_history);
    for (const std::string& sign : m_history)
    {
        m_cbAddSign.AddString(sign);
        m_cbRemoveSign.AddString(sign);
    }
    FillSignBox(m_cbAddSign, IniReadString(kSection, kAddSignKey, "", g_strIniPath));
    FillSignBox(m_cbRemoveSign, IniReadString(kSection, kRemoveSignKey, "", g_strIniPath));

    // The user starts in the current mode's sign box. The platform's choice (the first enabled
    // tab stop) would be the checked mode button, since checking a radio button gives it the
    // tab stop.
    SetFocus(GetDlgItem(m_options.mode == kUnquoteMode ? IDC_REMOVE_SIGN : IDC_ADD_SIGN));
    return FALSE;
}

void CQuoteDlg::FillSignBox(CComboBox& box, const std::string& lastSign)
{
    const int found = box.FindString(-1, lastSign);
    box.SetCurSel(found == CB_ERR ? 0 : found); // with no items nothing is selected
}

void CQuoteDlg::ShowMode(int mode)
{
    const bool quote = mode == kQuoteMode;
    CheckDlgButton(m_hWnd, IDC_QUOTE_MODE, quote ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, IDC_UNQUOTE_MODE, quote ? BST_UNCHECKED : BST_CHECKED);
    EnableWindow(GetDlgItem(IDC_ADD_SIGN), quote);
    EnableWindow(GetDlgItem(IDC_WRAP_WIDTH), quote);
    EnableWindow(GetDlgItem(IDC_REMOVE_SIGN), !quote);
    EnableWindow(GetDlgItem(IDC_UNQUOTE_LEVELS), !quote);
    m_options.mode = mode;
}

void CQuoteDlg::OnConfirm()
{
    m_options.addSign = m_cbAddSign.GetWindowText();
    m_options.removeSign = m_cbRemoveSign.GetWindowText();
    m_options.wrapWidth = GetNumberField(m_hWnd, IDC_WRAP_WIDTH);
    m_options.unquoteLevels = GetNumberField(m_hWnd, IDC_UNQUOTE_LEVELS);
    m_options.mode =
        IsDlgButtonChecked(m_hWnd, IDC_QUOTE_MODE) == BST_CHECKED ? kQuoteMode : kUnquoteMode;

    // The mode is kept even when the values then turn out invalid.
    IniWriteInt(kSection, kModeKey, m_options.mode, g_strIniPath);
    if (const UINT message = ValidationMessage())
    {
        ShowValidationMessage(message);
        return;
    }
    StoreChoices();

    const bool quote = m_options.mode == kQuoteMode;
    const std::wstring sign = AnsiToWide(quote ? m_options.addSign : m_options.removeSign);
    const std::u16string result =
        quote ? QuoteText(AsUtf16(m_strInputText), AsUtf16(sign), m_options.wrapWidth)
              : UnquoteText(AsUtf16(m_strInputText), AsUtf16(sign), m_options.unquoteLevels);
    m_strResultText.assign(AsWide(result));
    EndDialog(1);
}

UINT CQuoteDlg::ValidationMessage() const
{
    if (m_options.mode == kQuoteMode)
    {
        if (m_options.wrapWidth < kMinWidth || m_options.wrapWidth > kMaxWidth)
            return IDS_WIDTH_RANGE;
        return m_options.addSign.empty() ? IDS_ADD_SIGN_MISSING : 0;
    }
    if (m_options.unquoteLevels < kMinLevels || m_options.unquoteLevels > kMaxLevels)
        return IDS_LEVELS_RANGE;
    return m_options.removeSign.empty() ? IDS_REMOVE_SIGN_MISSING : 0;
}

void CQuoteDlg::ShowValidationMessage(UINT textId) const
{
    MessageBoxW(m_hWnd, LoadResourceString(textId).c_str(), GetResourceModuleName().c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

void CQuoteDlg::StoreChoices()
{
    // Both signs and every number are kept, whatever the mode; "QuoteLast" is written between
    // remembering the add sign and the remove sign.
    RememberSigns(m_history, m_options.addSign, m_options.removeSign, [this] {
        IniWriteString(kSection, kAddSignKey, m_options.addSign, g_strIniPath);
    });
    IniWriteString(kSection, kRemoveSignKey, m_options.removeSign, g_strIniPath);
    IniWriteInt(kSection, kWrapWidthKey, m_options.wrapWidth, g_strIniPath);
    IniWriteInt(kSection, kUnquoteLevelsKey, m_options.unquoteLevels, g_strIniPath);
}

} // namespace tessel
