#include "ui/quote_dlg.h"

#include "engine/quote_text.h"
#include "engine/unquote_text.h"
#include "settings/data_paths.h"
#include "settings/ini_file.h"
#include "settings/sign_history.h"
#include "ui/framework/resource_module.h"
#include "ui/number_field.h"
#include "win/ansi.h"
#include "win/this_module.h"

#include <optional>
#include <vector>

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

// Keyboard messages, WM_KEYDOWN to the last of the classic range.
constexpr UINT kFirstKeyMessage = WM_KEYDOWN;
constexpr UINT kLastKeyMessage = 0x108;

// The dialog's command for a key that ends a dialog, whatever modifiers are held; 0 for other
// keys. The key table binds Enter and Esc alone. With Shift or Ctrl held, and for the Execute
// key and Ctrl+Break, the dialog manager would act instead: press the focused button (Cancel,
// say) or end the dialog with IDOK or IDCANCEL, without the dialog's checks.
UINT EndingKeyCommand(const MSG& message)
{
    if (message.message != WM_KEYDOWN)
        return 0;
    switch (message.wParam)
    {
        case VK_RETURN:
        case VK_EXECUTE:
            return ID_QUOTE_OK;
        case VK_ESCAPE:
        case VK_CANCEL:
            return ID_QUOTE_CANCEL;
        default:
            return 0;
    }
}

} // namespace

CQuoteDlg::CQuoteDlg() : CDialog(IDD) {}

CQuoteDlg::~CQuoteDlg() = default;

// Through lambdas: the engine's functions may gain overloads or defaults. Their blocks become
// strings here, a copy of the selection, which costs nothing next to the calls into the client.
const TextEngine kBlockTextEngine = {
    [](std::u16string_view text, std::u16string_view addSign, int wrapWidth) {
        return QuoteText(text, addSign, wrapWidth).str();
    },
    [](std::u16string_view text, std::u16string_view removeSign, int unquoteLevels) {
        return UnquoteText(text, removeSign, unquoteLevels).str();
    },
};

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
        // The dialog manager's own commands end the dialog only the way the buttons do.
        OnCommand<CQuoteDlg, &CQuoteDlg::OnConfirm>(IDOK),
        OnCommand<CQuoteDlg, &CQuoteDlg::OnDismiss>(IDCANCEL),
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
    if (const UINT command = EndingKeyCommand(*message))
    {
        SendMessageW(m_hWnd, WM_COMMAND, MAKEWPARAM(command, 1), 0); // as from the key table
        return TRUE;
    }
    return CDialog::PreTranslateMessage(message);
}

BOOL CQuoteDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_hAccel = LoadAcceleratorsW(ThisModule(), MAKEINTRESOURCEW(IDR_QUOTE_KEYS));

    // Any stored mode other than unquote counts as quote.
    const bool unquote = IniReadInt(kSection, kModeKey, kQuoteMode, g_strIniPath) == kUnquoteMode;
    ShowMode(unquote ? kUnquoteMode : kQuoteMode);

    m_options.wrapWidth = IniReadInt(kSection, kWrapWidthKey, kDefaultWrapWidth, g_strIniPath);
    SetNumberField(m_hWnd, IDC_WRAP_WIDTH, m_options.wrapWidth);
    m_options.unquoteLevels =
        IniReadInt(kSection, kUnquoteLevelsKey, kDefaultUnquoteLevels, g_strIniPath);
    SetNumberField(m_hWnd, IDC_UNQUOTE_LEVELS, m_options.unquoteLevels);

    LoadSignHistory(g_strHistoryPath, m_history);
    std::vector<std::wstring> signs;
    signs.reserve(m_history.GetCount());
    for (const std::string& sign : m_history)
        signs.push_back(AnsiToWide(sign));
    signs = m_cbAddSign.SortedAsListed(std::move(signs));
    m_cbAddSign.AppendSorted(signs);
    m_cbRemoveSign.AppendSorted(signs);
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
    // The last sign itself where it is an item, so that "a:" is not taken for "A:"; otherwise
    // the first item that begins with it, ignoring case.
    const std::wstring last = AnsiToWide(lastSign);
    int found = box.FindExactCase(last);
    if (found == CB_ERR)
        found = box.FindString(-1, last);
    box.SetCurSel(found == CB_ERR ? 0 : found); // with no items nothing is selected
}

void CQuoteDlg::ShowMode(QuoteMode mode)
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
    // The signs as typed, in any script; only the files are ANSI.
    const std::wstring addSign = m_cbAddSign.GetText();
    const std::wstring removeSign = m_cbRemoveSign.GetText();
    m_options.wrapWidth = GetNumberField(m_hWnd, IDC_WRAP_WIDTH);
    m_options.unquoteLevels = GetNumberField(m_hWnd, IDC_UNQUOTE_LEVELS);
    m_options.mode =
        IsDlgButtonChecked(m_hWnd, IDC_QUOTE_MODE) == BST_CHECKED ? kQuoteMode : kUnquoteMode;

    // The mode is kept even when the values then turn out invalid.
    IniWriteInt(kSection, kModeKey, m_options.mode, g_strIniPath);
    const bool quote = m_options.mode == kQuoteMode;
    const std::wstring& sign = quote ? addSign : removeSign;
    if (const UINT message = ValidationMessage(sign))
    {
        ShowValidationMessage(message);
        return;
    }
    StoreChoices(addSign, removeSign);

    const std::u16string result =
        quote ? m_engine.quote(AsUtf16(m_strInputText), AsUtf16(sign), m_options.wrapWidth)
              : m_engine.unquote(AsUtf16(m_strInputText), AsUtf16(sign), m_options.unquoteLevels);
    m_strResultText.assign(AsWide(result));
    m_bHasResult = true;
    EndDialog(1);
}

UINT CQuoteDlg::ValidationMessage(const std::wstring& sign) const
{
    if (m_options.mode == kQuoteMode)
    {
        if (!kWrapWidthRange.Contains(m_options.wrapWidth))
            return IDS_WIDTH_RANGE;
        return sign.empty() ? IDS_ADD_SIGN_MISSING : 0;
    }
    if (!kUnquoteLevelsRange.Contains(m_options.unquoteLevels))
        return IDS_LEVELS_RANGE;
    return sign.empty() ? IDS_REMOVE_SIGN_MISSING : 0;
}

void CQuoteDlg::ShowValidationMessage(UINT textId) const
{
    MessageBoxW(m_hWnd, LoadResourceString(textId).c_str(), GetResourceModuleName().c_str(),
                MB_OK | MB_ICONEXCLAMATION);
}

void CQuoteDlg::StoreChoices(const std::wstring& addSign, const std::wstring& removeSign)
{
    // Both signs and every number are kept, whatever the mode; "QuoteLast" is written between
    // remembering the add sign and the remove sign. A sign that the ANSI code page cannot hold
    // exactly is used but stored nowhere: a question mark in its place would be another sign,
    // and the last sign stored before stays the one offered next time.
    const std::optional<std::string> add = WideToAnsiExact(addSign);
    const std::optional<std::string> remove = WideToAnsiExact(removeSign);
    m_options.addSign = add.value_or("");
    m_options.removeSign = remove.value_or("");
    RememberSigns(m_history, m_options.addSign, m_options.removeSign, [this, &add] {
        if (add)
            IniWriteString(kSection, kAddSignKey, *add, g_strIniPath);
    });
    if (remove)
        IniWriteString(kSection, kRemoveSignKey, *remove, g_strIniPath);
    IniWriteInt(kSection, kWrapWidthKey, m_options.wrapWidth, g_strIniPath);
    IniWriteInt(kSection, kUnquoteLevelsKey, m_options.unquoteLevels, g_strIniPath);
}

} // namespace tessel
