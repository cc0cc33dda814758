#include "hostsim/word_document.h"

#include "hostsim/iids.h"
#include "hostsim/text_span.h"
#include "win/result.h"

#include <algorithm>

namespace tessel::hostsim
{
namespace
{

// Word's WdSelectionType.
constexpr long kNoSelection = 0;
constexpr long kInsertionPoint = 1;
constexpr long kNormalSelection = 2;
constexpr long kInlineShapeSelection = 7;
// What Word's text holds for an inline picture.
constexpr wchar_t kInlineShapeCharacter[] = L"\x01";

} // namespace

MemberTable<WordApplication> WordApplication::Members()
{
    using T = WordApplication;
    static const Member<T> members[] = {
        {L"Selection", 0x3F, MemberKind::Property, &T::GetSelection, nullptr, 0, 0},
        {L"ActiveDocument", 0x3, MemberKind::Property, &T::GetActiveDocument, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

WordApplication::WordApplication(std::shared_ptr<HostState> state)
    : Automation(state, L"WordApplication", L"Word", {kIID_WordApplication})
{
}

void WordApplication::Forget(WordDocument* document)
{
    if (m_active == document)
        m_active = nullptr;
}

// Word reports "no document is open" as an exception.
HRESULT WordApplication::GetSelection(const Arguments&, _variant_t* result)
{
    RETURN_HR_IF_NULL(DISP_E_EXCEPTION, m_active);
    return ReturnObject(MakeObject<WordSelection>(SharedState(), m_active).Get(), result);
}

HRESULT WordApplication::GetActiveDocument(const Arguments&, _variant_t* result)
{
    RETURN_HR_IF_NULL(DISP_E_EXCEPTION, m_active);
    return ReturnObject(m_active, result);
}

WordApplication::~WordApplication() = default;

MemberTable<WordDocument> WordDocument::Members()
{
    using T = WordDocument;
    static const Member<T> members[] = {
        {L"Windows", 0x16, MemberKind::Property, &T::GetWindows, nullptr, 0, 0},
        {L"Application", 0x3E8, MemberKind::Property, &T::GetApplication, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

WordDocument::WordDocument(std::shared_ptr<HostState> state, WordApplication* application,
                           const std::wstring& window, std::wstring text,
                           std::size_t selectionStart, std::size_t selectionEnd, SelectionKind kind)
    : Automation(state, L"WordDocument", window + L" > Word document", {kIID_WordDocument}),
      m_application(application), m_window(window), m_text(std::move(text))
{
    Select(selectionStart, selectionEnd, kind);
}

void WordDocument::Select(std::size_t start, std::size_t end, SelectionKind kind)
{
    const TextSpan span = SpanWithin(start, end, m_text.size());
    m_selectionStart = span.start;
    m_selectionEnd = span.end;
    m_selectionKind = kind;
}

std::size_t WordDocument::Replace(std::size_t start, std::size_t end, const std::wstring& text)
{
    const TextSpan span = SpanWithin(start, end, m_text.size());
    start = span.start;
    end = span.end;
    m_text.replace(start, end - start, text);
    // The selection moves with the text: positions after the span by its change in length, a
    // position inside it to its new end.
    const auto moved = [&](std::size_t position) {
        if (position >= end)
            return position - (end - start) + text.size();
        return position > start ? start + text.size() : position;
    };
    m_selectionStart = moved(m_selectionStart);
    m_selectionEnd = moved(m_selectionEnd);
    Event event{EventKind::WriteText};
    event.window = m_window;
    event.value = text;
    State().record.Add(std::move(event));
    return start + text.size();
}

HRESULT WordDocument::GetWindows(const Arguments&, _variant_t* result)
{
    return ReturnObject(MakeObject<WordWindows>(SharedState(), this).Get(), result);
}

HRESULT WordDocument::GetApplication(const Arguments&, _variant_t* result)
{
    return ReturnObject(m_application.Get(), result);
}

WordDocument::~WordDocument()
{
    m_application->Forget(this);
}

MemberTable<WordWindows> WordWindows::Members()
{
    using T = WordWindows;
    static const Member<T> members[] = {
        {L"Item", DISPID_VALUE, MemberKind::Method, &T::GetItem, nullptr, 1, 0},
        {L"Count", 0x2, MemberKind::Property, &T::GetCount, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

WordWindows::WordWindows(std::shared_ptr<HostState> state, WordDocument* document)
    : Automation(state, L"WordWindows", document->Label() + L" > windows", {kIID_WordWindows}),
      m_document(document)
{
}

// Word reports an index out of range ("the requested member of the collection does not exist")
// as an exception.
HRESULT WordWindows::GetItem(const Arguments& arguments, _variant_t* result)
{
    _variant_t index;
    RETURN_IF_FAILED(arguments.Get(0, VT_I4, &index));
    RETURN_HR_IF(DISP_E_EXCEPTION, index.lVal != 1);
    return ReturnObject(MakeObject<WordWindow>(SharedState(), m_document.Get()).Get(), result);
}

HRESULT WordWindows::GetCount(const Arguments&, _variant_t* result)
{
    return ReturnLong(1, result);
}

WordWindows::~WordWindows() = default;

MemberTable<WordWindow> WordWindow::Members()
{
    using T = WordWindow;
    static const Member<T> members[] = {
        {L"Selection", 0x4, MemberKind::Property, &T::GetSelection, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

WordWindow::WordWindow(std::shared_ptr<HostState> state, WordDocument* document)
    : Automation(state, L"WordWindow", document->Label() + L" > window 1", {kIID_WordWindow}),
      m_document(document)
{
}

HRESULT WordWindow::GetSelection(const Arguments&, _variant_t* result)
{
    return ReturnObject(MakeObject<WordSelection>(SharedState(), m_document.Get()).Get(), result);
}

WordWindow::~WordWindow() = default;

MemberTable<WordSelection> WordSelection::Members()
{
    using T = WordSelection;
    static const Member<T> members[] = {
        {L"Text", 0x0, MemberKind::Property, &T::GetText, &T::PutText, 0, 0},
        {L"Type", 0x4, MemberKind::Property, &T::GetType, nullptr, 0, 0},
        {L"Range", 0x190, MemberKind::Property, &T::GetRange, nullptr, 0, 0},
        {L"Start", 0x1F4, MemberKind::Property, &T::GetStart, nullptr, 0, 0},
        {L"End", 0x1F5, MemberKind::Property, &T::GetEnd, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

WordSelection::WordSelection(std::shared_ptr<HostState> state, WordDocument* document)
    : Automation(state, L"WordSelection", document->Label() + L" > selection",
                 {kIID_WordSelection}),
      m_document(document)
{
}

HRESULT WordSelection::GetType(const Arguments&, _variant_t* result)
{
    switch (m_document->Selection())
    {
        case SelectionKind::NoRange:
            return ReturnLong(kNoSelection, result);
        case SelectionKind::Control:
            return ReturnLong(kInlineShapeSelection, result);
        case SelectionKind::Text:
            break;
    }
    const bool collapsed = m_document->SelectionStart() == m_document->SelectionEnd();
    return ReturnLong(collapsed ? kInsertionPoint : kNormalSelection, result);
}

HRESULT WordSelection::GetText(const Arguments&, _variant_t* result)
{
    const std::wstring& text = m_document->Text();
    const std::size_t start = m_document->SelectionStart();
    switch (m_document->Selection())
    {
        case SelectionKind::NoRange:
            return ReturnString({}, result);
        case SelectionKind::Control:
            return ReturnString(kInlineShapeCharacter, result);
        case SelectionKind::Text:
            break;
    }
    // At an insertion point Word gives the character after it.
    const std::size_t end = std::max(m_document->SelectionEnd(), std::min(start + 1, text.size()));
    return ReturnString(text.substr(start, end - start), result);
}

HRESULT WordSelection::PutText(const Arguments& arguments)
{
    _variant_t value;
    RETURN_IF_FAILED(arguments.Get(0, VT_BSTR, &value));
    const std::wstring text(value.bstrVal, SysStringLen(value.bstrVal));
    // The selection then spans the new text.
    const std::size_t end =
        m_document->Replace(m_document->SelectionStart(), m_document->SelectionEnd(), text);
    m_document->Select(end - text.size(), end, SelectionKind::Text);
    return S_OK;
}

HRESULT WordSelection::GetRange(const Arguments&, _variant_t* result)
{
    return ReturnObject(MakeObject<WordRange>(SharedState(), m_document.Get(),
                                              m_document->SelectionStart(),
                                              m_document->SelectionEnd())
                            .Get(),
                        result);
}

HRESULT WordSelection::GetStart(const Arguments&, _variant_t* result)
{
    return ReturnLong(static_cast<long>(m_document->SelectionStart()), result);
}

HRESULT WordSelection::GetEnd(const Arguments&, _variant_t* result)
{
    return ReturnLong(static_cast<long>(m_document->SelectionEnd()), result);
}

WordSelection::~WordSelection() = default;

MemberTable<WordRange> WordRange::Members()
{
    using T = WordRange;
    static const Member<T> members[] = {
        {L"Text", 0x0, MemberKind::Property, &T::GetText, &T::PutText, 0, 0},
        {L"Start", 0x3, MemberKind::Property, &T::GetStart, nullptr, 0, 0},
        {L"End", 0x4, MemberKind::Property, &T::GetEnd, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

WordRange::WordRange(std::shared_ptr<HostState> state, WordDocument* document, std::size_t start,
                     std::size_t end)
    : Automation(state, L"WordRange", document->Label() + L" > range", {kIID_WordRange}),
      m_document(document), m_start(start), m_end(end)
{
}

HRESULT WordRange::GetText(const Arguments&, _variant_t* result)
{
    return ReturnString(SpanText(m_document->Text(), m_start, m_end), result);
}

HRESULT WordRange::PutText(const Arguments& arguments)
{
    _variant_t value;
    RETURN_IF_FAILED(arguments.Get(0, VT_BSTR, &value));
    const std::wstring text(value.bstrVal, SysStringLen(value.bstrVal));
    m_end = m_document->Replace(m_start, m_end, text);
    m_start = m_end - text.size();
    return S_OK;
}

HRESULT WordRange::GetStart(const Arguments&, _variant_t* result)
{
    return ReturnLong(static_cast<long>(m_start), result);
}

HRESULT WordRange::GetEnd(const Arguments&, _variant_t* result)
{
    return ReturnLong(static_cast<long>(m_end), result);
}

WordRange::~WordRange() = default;

} // namespace tessel::hostsim
