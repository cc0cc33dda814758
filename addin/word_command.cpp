// The quote command in Word, the editor of the 2007-365 clients, run from the ribbon button.

#include "addin/command_support.h"
#include "addin/dispatch_call.h"
#include "addin/host_iids.h"
#include "addin/quote_command.h"
#include "addin/word_text.h"
#include "win/result.h"

namespace tessel
{
namespace
{

// Word's WdSelectionType for a selection of text; an insertion point (whose Text is the next
// character), a frame, a table's columns or rows, a block or a shape are no text to (un)quote.
constexpr long kWordNormalSelection = 2;

const TextEngine kWordTextEngine = {&QuoteWordText, &UnquoteWordText};

// Where the button was clicked: a mail window, or a reply written in the main window's reading
// pane (2013 on), and the mail item and Word document written there.
struct ComposeWindow
{
    ComPtr<IDispatch> inspector; // null for a reply in the reading pane
    ComPtr<IDispatch> explorer;  // null for a mail window
    ComPtr<IDispatch> mailItem;
    ComPtr<IDispatch> document;
};

// S_FALSE when the context is no window with a mail item being written in Word.
HRESULT FindComposeWindow(IDispatch* context, ComposeWindow* window)
{
    ComPtr<IDispatch> item;
    ComPtr<IDispatch> editor;
    if (SUCCEEDED(QueryHostInterface(context, host::kInspector, &window->inspector)))
    {
        RETURN_IF_FAILED(GetObjectProperty(window->inspector.Get(), L"CurrentItem", &item));
        RETURN_IF_FAILED(GetObjectProperty(window->inspector.Get(), L"WordEditor", &editor));
    }
    else if (SUCCEEDED(QueryHostInterface(context, host::kExplorer, &window->explorer)))
    {
        RETURN_IF_FAILED(GetObjectProperty(window->explorer.Get(), L"ActiveInlineResponse", &item));
        RETURN_IF_FAILED(
            GetObjectProperty(window->explorer.Get(), L"ActiveInlineResponseWordEditor", &editor));
    }
    if (FAILED(QueryHostInterface(item.Get(), host::kMailItem, &window->mailItem)) ||
        FAILED(QueryHostInterface(editor.Get(), host::kWordDocument, &window->document)))
        return S_FALSE;
    return S_OK;
}

// The selection of the document's own window (Application.Selection follows whichever document
// is active, which need not be this one), as a range that stays where it is while the dialog is
// open. S_FALSE when nothing is selected.
HRESULT ReadWordSelection(IDispatch* document, ComPtr<IDispatch>* range, std::wstring* text)
{
    ComPtr<IDispatch> windows;
    RETURN_IF_FAILED(GetObjectProperty(document, L"Windows", &windows));
    ComPtr<IDispatch> window;
    RETURN_IF_FAILED(GetObjectProperty(windows.Get(), L"Item", {_variant_t(1L)}, &window));
    ComPtr<IDispatch> selection;
    RETURN_IF_FAILED(GetObjectProperty(window.Get(), L"Selection", &selection));
    long type = 0;
    RETURN_IF_FAILED(GetLongProperty(selection.Get(), L"Type", &type));
    if (type != kWordNormalSelection)
        return S_FALSE;
    RETURN_IF_FAILED(GetObjectProperty(selection.Get(), L"Range", range));
    _bstr_t selected;
    RETURN_IF_FAILED(GetStringProperty(range->Get(), L"Text", &selected));
    text->assign(std::wstring_view(selected, selected.length()));
    return text->empty() ? S_FALSE : S_OK;
}

// Whether the reply or the mail window is still there to be written: a window closed while the
// dialog was open, or a reply that was sent or discarded, is left alone.
bool IsStillThere(IDispatch* application, const ComposeWindow& window)
{
    if (window.inspector)
        return IsStillOpen(application, window.inspector.Get());
    ComPtr<IDispatch> editor;
    return SUCCEEDED(GetObjectProperty(window.explorer.Get(), L"ActiveInlineResponseWordEditor",
                                       &editor)) &&
           SameObject(editor.Get(), window.document.Get());
}

} // namespace

HRESULT RunWordQuoteCommand(IDispatch* application, IDispatch* control)
{
    if (RunningCommand::Busy())
        return S_OK;
    const RunningCommand running;

    ComPtr<IDispatch> ribbonControl;
    if (FAILED(QueryHostInterface(control, host::kRibbonControl, &ribbonControl)))
        return S_OK;
    ComPtr<IDispatch> context;
    RETURN_IF_FAILED(GetObjectProperty(ribbonControl.Get(), L"Context", &context));
    ComposeWindow window;
    const HRESULT found = FindComposeWindow(context.Get(), &window);
    if (found != S_OK)
        return SUCCEEDED(found) ? S_OK : found;

    ComPtr<IDispatch> range;
    std::wstring text;
    const HRESULT read = ReadWordSelection(window.document.Get(), &range, &text);
    RETURN_IF_FAILED(read);
    if (read == S_FALSE)
    {
        ShowNoSelection();
        return S_OK;
    }

    return TransformAndWriteBack(std::move(text), kWordTextEngine,
                                 {range.Get(), L"Text", window.mailItem.Get(),
                                  [&] { return IsStillThere(application, window); }});
}

} // namespace tessel
