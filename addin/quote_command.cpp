#include "addin/quote_command.h"

#include "addin/command_support.h"
#include "addin/dispatch_call.h"
#include "addin/host_iids.h"
#include "ui/resource.h"
#include "win/ansi.h"
#include "win/result.h"

#include <string>

namespace tessel
{
namespace
{

constexpr long kHtmlEditor = 2;
constexpr char kEditMessageCaption[] = "&Edit Message";

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
    if (RunningCommand::Busy())
        return S_OK;
    const RunningCommand running;

    // The host's active window, which need not be the one whose item was clicked.
    ComPtr<IDispatch> inspector;
    RETURN_IF_FAILED(CallObjectMethod(application, L"ActiveInspector", {}, &inspector));
    if (!inspector)
        return S_OK;
    ComPtr<IDispatch> item;
    RETURN_IF_FAILED(GetObjectProperty(inspector.Get(), L"CurrentItem", &item));
    ComPtr<IDispatch> mailItem;
    if (FAILED(QueryHostInterface(item.Get(), host::kMailItem, &mailItem)))
        return S_OK;

    bool mustEditFirst = false;
    RETURN_IF_FAILED(MustEditFirst(mailItem.Get(), editMessageButton, &mustEditFirst));
    if (mustEditFirst)
    {
        ShowRefusal(IDS_EDIT_FIRST);
        return S_OK;
    }

    long editorType = 0;
    RETURN_IF_FAILED(GetLongProperty(inspector.Get(), L"EditorType", &editorType));
    if (editorType != kHtmlEditor)
    {
        ShowRefusal(IDS_HTML_EDITOR_NEEDED);
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
        ShowNoSelection();
        return S_OK;
    }

    // A window closed while the dialog was open is left alone: nothing written, nothing saved.
    return TransformAndWriteBack(std::move(text), kBlockTextEngine,
                                 {textRange.Get(), L"text", mailItem.Get(),
                                  [&] { return IsStillOpen(application, inspector.Get()); }});
}

} // namespace tessel
