#include "addin/quote_command.h"

#include "addin/dispatch_call.h"
#include "addin/host_iids.h"
#include "ui/quote_dlg.h"
#include "win/ansi.h"
#include "win/result.h"

#include <string>

namespace tessel
{
namespace
{

constexpr long kHtmlEditor = 2;
constexpr char kEditMessageCaption[] = "&Edit Message";

constexpr char kTitle[] = "Custom Tessel for Outlook";
// The no-selection message has always carried this caption, misspelt; users know it so.
constexpr char kNoSelectionTitle[] = "Cutsom Tessel for Outlook";

struct Messages
{
    std::string editFirst;
    std::string htmlEditorNeeded;
    std::string noSelection;
};

std::string JoinLines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text.append(text.empty() ? "" : "\r\n").append(line);
    return text;
}

Messages ComposeMessages()
{
    return {
        JoinLines(
            {"Please edit the message first.", "To edit the message click: Edit/Edit Message."}),
        JoinLines({"This function requires HTML editor.",
                   "To switch to HTML editor click: Format/HTML.",
                   "Once the changes are applied you can switch back to RTF/Word editor."}),
        JoinLines({"No text to (un)quote.", "Please select some text first."}),
    };
}

void ShowMessage(const std::string& text, const char* caption)
{
    MessageBoxA(nullptr, text.c_str(), caption, MB_OK);
}

// A message that was never saved has an empty EntryID and is always editable. Otherwise the
// window's own Edit Message item tells: while it is enabled, the message is shown for reading.
// An item with another caption (a translated host, a changed menu) or no item at all does not
// block the command; nor does an item whose state cannot be read. All three values are read
// every time.
HRESULT MustEditFirst(IDispatch* mailItem, IDispatch* editMessageButton, bool* mustEditFirst)
{
    _bstr_t entryId;
    RETURN_IF_FAILED(GetStringProperty(mailItem, L"EntryID", &entryId));
    bool editable = entryId.length() == 0;
    bool enabled = false;
    if (editMessageButton == nullptr)
    {
        editable = true;
    }
    else
    {
        _bstr_t caption;
        if (FAILED(GetStringProperty(editMessageButton, L"Caption", &caption)) ||
            WideToAnsi(std::wstring_view(caption, caption.length())) != kEditMessageCaption)
            editable = true;
        if (FAILED(GetBoolProperty(editMessageButton, L"Enabled", &enabled)))
            enabled = false;
    }
    *mustEditFirst = enabled && !editable;
    return S_OK;
}

HRESULT ReadSelection(IDispatch* inspector, ComPtr<IDispatch>* textRange, std::wstring* text)
{
    ComPtr<IDispatch> editor;
    RETURN_IF_FAILED(GetObjectProperty(inspector, L"HTMLEditor", &editor));
    ComPtr<IDispatch> document;
    if (FAILED(QueryHostInterface(editor.Get(), host::kHtmlDocument2, &document)))
        return S_FALSE;
    ComPtr<IDispatch> selection;
    RETURN_IF_FAILED(GetObjectProperty(document.Get(), L"selection", &selection));
    if (!selection)
        return S_FALSE;
    ComPtr<IDispatch> range;
    RETURN_IF_FAILED(CallObjectMethod(selection.Get(), L"createRange", {}, &range));
    if (FAILED(QueryHostInterface(range.Get(), host::kHtmlTxtRange, textRange)))
        return S_FALSE;
    _bstr_t selected;
    RETURN_IF_FAILED(GetStringProperty(textRange->Get(), L"text", &selected));
    text->assign(std::wstring_view(selected, selected.length()));
    return S_OK;
}

} // namespace

HRESULT RunQuoteCommand(IDispatch* application, IDispatch* editMessageButton)
{
    // The host's active window, which need not be the one whose item was clicked.
    ComPtr<IDispatch> inspector;
    RETURN_IF_FAILED(GetObjectProperty(application, L"ActiveInspector", &inspector));
    if (!inspector)
        return S_OK;
    ComPtr<IDispatch> item;
    RETURN_IF_FAILED(GetObjectProperty(inspector.Get(), L"CurrentItem", &item));
    ComPtr<IDispatch> mailItem;
    if (FAILED(QueryHostInterface(item.Get(), host::kMailItem, &mailItem)))
        return S_OK;

    const Messages messages = ComposeMessages();
    bool mustEditFirst = false;
    RETURN_IF_FAILED(MustEditFirst(mailItem.Get(), editMessageButton, &mustEditFirst));
    if (mustEditFirst)
    {
        ShowMessage(messages.editFirst, kTitle);
        return S_OK;
    }

    long editorType = 0;
    RETURN_IF_FAILED(GetLongProperty(inspector.Get(), L"EditorType", &editorType));
    if (editorType != kHtmlEditor)
    {
        ShowMessage(messages.htmlEditorNeeded, kTitle);
        return S_OK;
    }

    // The selection stays UTF-16 all the way: nothing outside the ANSI code page is lost.
    ComPtr<IDispatch> textRange;
    std::wstring text;
    const HRESULT read = ReadSelection(inspector.Get(), &textRange, &text);
    if (read != S_OK)
        return SUCCEEDED(read) ? S_OK : read;
    if (text.empty())
    {
        ShowMessage(messages.noSelection, kNoSelectionTitle);
        return S_OK;
    }

    std::wstring result;
    {
        CQuoteDlg dialog;
        dialog.SetInputText(std::move(text));
        // Only a result the dialog computed replaces the selection, whatever ended the dialog.
        if (dialog.DoModal() != 1 || !dialog.HasResultText())
            return S_OK;
        result = dialog.GetResultText();
    }

    const _bstr_t written(SysAllocStringLen(result.data(), static_cast<UINT>(result.size())),
                          false);
    RETURN_HR_IF(E_OUTOFMEMORY, written.length() != result.size());
    RETURN_IF_FAILED(PutProperty(textRange.Get(), L"text", _variant_t(written)));
    return CallMethod(mailItem.Get(), L"Save", {});
}

} // namespace tessel
