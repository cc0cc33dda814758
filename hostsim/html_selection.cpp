#include "hostsim/html_selection.h"

#include "hostsim/html_document.h"
#include "hostsim/iids.h"
#include "hostsim/text_span.h"
#include "win/result.h"

#include <algorithm>

namespace tessel::hostsim
{

MemberTable<HtmlSelection> HtmlSelection::Members()
{
    using T = HtmlSelection;
    static const Member<T> members[] = {
        {L"createRange", 1, MemberKind::Method, &T::CreateRange, nullptr, 0, 0},
        {L"type", 2, MemberKind::Property, &T::GetType, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

HtmlSelection::HtmlSelection(std::shared_ptr<HostState> state, HtmlDocument* document)
    : Automation(state, L"HTMLSelection", document->Label() + L" > selection",
                 {kIID_IHTMLSelectionObject}),
      m_document(document)
{
}

HRESULT HtmlSelection::CreateRange(const Arguments&, _variant_t* result)
{
    switch (m_document->Selection())
    {
        case SelectionKind::NoRange:
            return ReturnObject(nullptr, result);
        case SelectionKind::Control:
            return ReturnObject(
                MakeObject<HtmlControlRange>(SharedState(), Label() + L" > control range").Get(),
                result);
        case SelectionKind::Text:
            break;
    }
    return ReturnObject(MakeObject<HtmlTxtRange>(SharedState(), m_document.Get(),
                                                 m_document->SelectionStart(),
                                                 m_document->SelectionEnd())
                            .Get(),
                        result);
}

HRESULT HtmlSelection::GetType(const Arguments&, _variant_t* result)
{
    if (m_document->Selection() == SelectionKind::Control)
        return ReturnString(L"Control", result);
    return ReturnString(
        m_document->SelectionStart() == m_document->SelectionEnd() ? L"None" : L"Text", result);
}

MemberTable<HtmlTxtRange> HtmlTxtRange::Members()
{
    using T = HtmlTxtRange;
    static const Member<T> members[] = {
        {L"text", 1, MemberKind::Property, &T::GetText, &T::PutText, 0, 0},
    };
    return {members, std::size(members)};
}

HtmlTxtRange::HtmlTxtRange(std::shared_ptr<HostState> state, HtmlDocument* document,
                           std::size_t start, std::size_t end)
    : Automation(state, L"HTMLTxtRange", document->Label() + L" > text range",
                 {kIID_IHTMLTxtRange}),
      m_document(document), m_start(start), m_end(end)
{
}

HRESULT HtmlTxtRange::GetText(const Arguments&, _variant_t* result)
{
    return ReturnString(SpanText(m_document->Text(), m_start, m_end), result);
}

HRESULT HtmlTxtRange::PutText(const Arguments& arguments)
{
    _variant_t value;
    RETURN_IF_FAILED(arguments.Get(0, VT_BSTR, &value));
    const std::wstring text(value.bstrVal, SysStringLen(value.bstrVal));
    m_document->Replace(m_start, m_end, text);
    // The range now spans the text it received.
    m_start = std::min(m_start, m_document->Text().size());
    m_end = m_start + text.size();
    return S_OK;
}

MemberTable<HtmlControlRange> HtmlControlRange::Members()
{
    using T = HtmlControlRange;
    static const Member<T> members[] = {
        {L"length", 1, MemberKind::Property, &T::GetLength, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

HtmlControlRange::HtmlControlRange(std::shared_ptr<HostState> state, const std::wstring& label)
    : Automation(state, L"HTMLControlRange", label, {kIID_IHTMLControlRange})
{
}

HRESULT HtmlControlRange::GetLength(const Arguments&, _variant_t* result)
{
    return ReturnLong(1, result);
}

HtmlSelection::~HtmlSelection() = default;

HtmlTxtRange::~HtmlTxtRange() = default;

HtmlControlRange::~HtmlControlRange() = default;

} // namespace tessel::hostsim
