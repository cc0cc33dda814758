#pragma once
// The modal "Quote/Unquote Selected Text" dialog: the user picks quote or unquote mode, a sign
// and a width or level count; on OK the choices are checked and stored and the engine runs on
// the input text.

#include "settings/quote_options.h"
#include "settings/string_list.h"
#include "ui/framework/combo_box.h"
#include "ui/framework/dialog.h"
#include "ui/resource.h"

#include <string>
#include <string_view>

namespace tessel
{

// How the dialog runs the engine on its input. The default takes the input as one block with
// CR LF, LF or CR line ends (QuoteText and UnquoteText); text with line ends of other kinds (Word's
// paragraph marks and line breaks) comes with a pair of its own.
struct TextEngine
{
    std::u16string (*quote)(std::u16string_view text, std::u16string_view addSign, int wrapWidth);
    std::u16string (*unquote)(std::u16string_view text, std::u16string_view removeSign,
                              int unquoteLevels);
};
extern const TextEngine kBlockTextEngine;

class CQuoteDlg : public CDialog
{
  public:
    enum
    {
        IDD = IDD_QUOTE
    };

    CQuoteDlg();
    ~CQuoteDlg() override;

    void SetInputText(std::wstring text) { m_strInputText = std::move(text); }
    void SetTextEngine(const TextEngine& engine) { m_engine = engine; }
    // Whether a confirmation ran the engine; only then is the result text the one to write.
    bool HasResultText() const { return m_bHasResult; }
    const std::wstring& GetResultText() const { return m_strResultText; }
    // The result handed over without a copy (it may be large); the dialog keeps none.
    std::wstring TakeResultText() { return std::move(m_strResultText); }

  protected:
    const MessageMap& GetMessageMap() const override;
    void DoDataExchange() override;
    BOOL PreTranslateMessage(MSG* message) override;
    BOOL OnInitDialog() override;

  private:
    void OnClose() {}
    void OnConfirm();
    void OnDismiss() { EndDialog(0); }
    void OnQuoteMode() { ShowMode(kQuoteMode); }
    void OnUnquoteMode() { ShowMode(kUnquoteMode); }

    void ShowMode(QuoteMode mode);
    void FillSignBox(CComboBox& box, const std::string& lastSign);
    // The message for the first value of the chosen mode that is out of range or missing (its
    // sign as typed), or 0.
    UINT ValidationMessage(const std::wstring& sign) const;
    void ShowValidationMessage(UINT textId) const;
    void StoreChoices(const std::wstring& addSign, const std::wstring& removeSign);

    // mode, wrapWidth and unquoteLevels are read at initialisation; the signs are the ones stored
    // at the last confirmation, empty for a sign the ANSI code page cannot hold
    QuoteOptions m_options;
    CStringList m_history;
    std::wstring m_strInputText;
    TextEngine m_engine = kBlockTextEngine;
    std::wstring m_strResultText;
    bool m_bHasResult = false;
    HACCEL m_hAccel = nullptr; // from the resources: freed with the module, not by us
    CComboBox m_cbRemoveSign;
    CComboBox m_cbAddSign;
};

} // namespace tessel
