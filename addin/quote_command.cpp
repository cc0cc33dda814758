#include "addin/quote_command.h"

#include "addin/dispatch_call.h"
#include "addin/host_iids.h"
#include "server/module.h"
#include "ui/quote_dlg.h"
#include "win/ansi.h"
#include "win/result.h"

#include <climits>
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

// Told when the dialog could not give a result; fixed texts, as memory may have run out.
constexpr char kOutOfMemoryLeftUnchanged[] =
    "There is not enough memory to (un)quote the selected text.\r\n"
    "The text was left unchanged.";
constexpr char kFailureLeftUnchanged[] = "The selected text could not be (un)quoted.\r\n"
                                         "The text was left unchanged.";

void ShowMessage(const char* text, const char* caption)
{
    MessageBoxA(nullptr, text, caption, MB_OK);
}

// The dialog has no owner, so the host's windows stay clickable while it is open; a click there
// must not start a second command inside the first. The module stays loaded meanwhile.
bool g_commandRunning = false;

class RunningCommand
{
  public:
    RunningCommand() { g_commandRunning = true; }
    ~RunningCommand() { g_commandRunning = false; }
    RunningCommand(const RunningCommand&) = delete;
    RunningCommand& operator=(const RunningCommand&) = delete;

  private:
    ScopedModuleLock m_moduleLock;
};

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

// S_OK with the result once the user confirmed, S_FALSE when they dismissed the dialog. An
// exception inside it (no memory for the result, say) ends it with its failure, after telling
// the user that the text was left unchanged.
HRESULT AskForResult(std::wstring text, std::wstring* result)
{
    try
    {
        CQuoteDlg dialog;
        dialog.SetInputText(std::move(text));
        // Only a result the dialog computed replaces the selection, whatever ended the dialog.
        if (dialog.DoModal() != 1 || !dialog.HasResultText())
            return S_FALSE;
        *result = dialog.TakeResultText();
        return S_OK;
    }
    catch (...)
    {
        const HRESULT hr = ResultFromCaughtException();
        ShowMessage(hr == E_OUTOFMEMORY ? kOutOfMemoryLeftUnchanged : kFailureLeftUnchanged,
                    kTitle);
        return hr;
    }
}

// Whether the message window is still among the host's open windows.
bool IsStillOpen(IDispatch* application, IDispatch* inspector)
{
    ComPtr<IDispatch> inspectors;
    long count = 0;
    if (GetObjectProperty(application, L"Inspectors", &inspectors) != S_OK ||
        FAILED(GetLongProperty(inspectors.Get(), L"Count", &count)))
        return false;
    for (long position = 1; position <= count; ++position)
    {
        ComPtr<IDispatch> open;
        if (SUCCEEDED(
                GetObjectProperty(inspectors.Get(), L"Item", {_variant_t(position)}, &open)) &&
            SameObject(open.Get(), inspector))
            return true;
    }
    return false;
}

// The text goes to the host as one BSTR, without further copies; ours goes first, so that a
// large selection needs as little memory as can be.
HRESULT WriteOver(IDispatch* textRange, std::wstring text)
{
    RETURN_HR_IF(E_OUTOFMEMORY, text.size() > UINT_MAX);
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, value.bstrVal);
    std::wstring().swap(text);
    _variant_t written;
    written.Attach(value);
    return PutProperty(textRange, L"text", written);
}

} // namespace

HRESULT RunQuoteCommand(IDispatch* application, IDispatch* editMessageButton)
{
    if (g_commandRunning)
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

    const Messages messages = ComposeMessages();
    bool mustEditFirst = false;
    RETURN_IF_FAILED(MustEditFirst(mailItem.Get(), editMessageButton, &mustEditFirst));
    if (mustEditFirst)
    {
        ShowMessage(messages.editFirst.c_str(), kTitle);
        return S_OK;
    }

    long editorType = 0;
    RETURN_IF_FAILED(GetLongProperty(inspector.Get(), L"EditorType", &editorType));
    if (editorType != kHtmlEditor)
    {
        ShowMessage(messages.htmlEditorNeeded.c_str(), kTitle);
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
        ShowMessage(messages.noSelection.c_str(), kNoSelectionTitle);
        return S_OK;
    }

    std::wstring result;
    const HRESULT asked = AskForResult(std::move(text), &result);
    if (asked != S_OK)
        return SUCCEEDED(asked) ? S_OK : asked;
    // A window closed while the dialog was open is left alone: nothing written, nothing saved.
    if (!IsStillOpen(application, inspector.Get()))
        return S_OK;
    RETURN_IF_FAILED(WriteOver(textRange.Get(), std::move(result)));
    return CallMethod(mailItem.Get(), L"Save", {});
}

} // namespace tessel
