#include "addin/command_support.h"

#include "addin/dispatch_call.h"
#include "server/module.h"
#include "ui/framework/resource_module.h"
#include "ui/resource.h"
#include "win/result.h"

#include <climits>

namespace tessel
{
namespace
{

// Fixed buffers: some of these messages tell that memory ran out. Each text is read from the
// string table when it is shown.
void ShowMessage(UINT textId, UINT captionId)
{
    wchar_t text[256];
    wchar_t caption[64];
    LoadResourceString(textId, text);
    LoadResourceString(captionId, caption);
    MessageBoxW(nullptr, text, caption, MB_OK);
}

bool g_commandRunning = false;

} // namespace

void ShowRefusal(UINT textId)
{
    ShowMessage(textId, IDS_COMMAND_TITLE);
}

void ShowNoSelection()
{
    ShowMessage(IDS_NO_SELECTION, IDS_NO_SELECTION_TITLE);
}

// Every command checks Busy() first, so commands never nest.
RunningCommand::RunningCommand()
{
    g_commandRunning = true;
    ModuleLock();
}

RunningCommand::~RunningCommand()
{
    g_commandRunning = false;
    ModuleUnlock();
}

bool RunningCommand::Busy()
{
    return g_commandRunning;
}

namespace
{

// S_OK with the result once the user confirmed the dialog, S_FALSE when they dismissed it.
HRESULT AskForResult(std::wstring text, const TextEngine& engine, std::wstring* result)
{
    try
    {
        CQuoteDlg dialog;
        dialog.SetInputText(std::move(text));
        dialog.SetTextEngine(engine);
        // Only a result the dialog computed replaces the selection, whatever ended the dialog.
        if (dialog.DoModal() != 1 || !dialog.HasResultText())
            return S_FALSE;
        *result = dialog.TakeResultText();
        return S_OK;
    }
    catch (...)
    {
        const HRESULT hr = ResultFromCaughtException();
        ShowMessage(hr == E_OUTOFMEMORY ? IDS_OUT_OF_MEMORY_UNCHANGED : IDS_FAILURE_UNCHANGED,
                    IDS_COMMAND_TITLE);
        return hr;
    }
}

// Sets the text property of a range, replacing what it spans. The text goes to the host as one
// BSTR, without further copies; ours goes first, so that a large selection needs as little
// memory as can be.
HRESULT WriteOver(IDispatch* range, const wchar_t* textProperty, std::wstring text)
{
    RETURN_HR_IF(E_OUTOFMEMORY, text.size() > UINT_MAX);
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    RETURN_HR_IF_NULL(E_OUTOFMEMORY, value.bstrVal);
    std::wstring().swap(text);
    _variant_t written;
    written.Attach(value);
    return PutProperty(range, textProperty, written);
}

} // namespace

HRESULT TransformAndWriteBack(std::wstring text, const TextEngine& engine, const WriteBack& target)
{
    std::wstring result;
    const HRESULT asked = AskForResult(std::move(text), engine, &result);
    if (asked != S_OK)
        return SUCCEEDED(asked) ? S_OK : asked;
    if (!target.stillThere())
        return S_OK;
    RETURN_IF_FAILED(WriteOver(target.range, target.textProperty, std::move(result)));
    return CallMethod(target.mailItem, L"Save", {});
}

bool IsStillOpen(IDispatch* application, IDispatch* inspector)
{
    ComPtr<IDispatch> inspectors;
    long count = 0;
    if (FAILED(GetObjectProperty(application, L"Inspectors", &inspectors)) || !inspectors ||
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

} // namespace tessel
