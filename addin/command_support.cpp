#include "addin/command_support.h"

#include "addin/dispatch_call.h"
#include "server/module.h"
#include "win/result.h"

#include <climits>
#include <initializer_list>

namespace tessel
{
namespace
{

constexpr char kTitle[] = "Custom Tessel for Outlook";
// The no-selection message has always carried this caption, misspelt; users know it so.
constexpr char kNoSelectionTitle[] = "Cutsom Tessel for Outlook";

// Told when the dialog could not give a result; fixed texts, as memory may have run out.
constexpr char kOutOfMemoryLeftUnchanged[] =
    "There is not enough memory to (un)quote the selected text.\r\n"
    "The text was left unchanged.";
constexpr char kFailureLeftUnchanged[] = "The selected text could not be (un)quoted.\r\n"
                                         "The text was left unchanged.";

std::string JoinLines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text.append(text.empty() ? "" : "\r\n").append(line);
    return text;
}

void ShowMessage(const char* text, const char* caption)
{
    MessageBoxA(nullptr, text, caption, MB_OK);
}

bool g_commandRunning = false;

} // namespace

CommandMessages ComposeMessages()
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

void ShowRefusal(const std::string& text)
{
    ShowMessage(text.c_str(), kTitle);
}

void ShowNoSelection(const CommandMessages& messages)
{
    ShowMessage(messages.noSelection.c_str(), kNoSelectionTitle);
}

RunningCommand::RunningCommand() : m_bWasBusy(g_commandRunning)
{
    g_commandRunning = true;
    ModuleLock();
}

RunningCommand::~RunningCommand()
{
    g_commandRunning = m_bWasBusy;
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
        ShowMessage(hr == E_OUTOFMEMORY ? kOutOfMemoryLeftUnchanged : kFailureLeftUnchanged,
                    kTitle);
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
