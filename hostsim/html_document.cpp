#include "hostsim/html_document.h"

#include "hostsim/html_selection.h"
#include "hostsim/iids.h"
#include "hostsim/text_span.h"

#include <algorithm>

namespace tessel::hostsim
{

MemberTable<HtmlDocument> HtmlDocument::Members()
{
    using T = HtmlDocument;
    static const Member<T> members[] = {
        {L"selection", 1, MemberKind::Property, &T::GetSelection, nullptr, 0, 0},
    };
    return {members, std::size(members)};
}

HtmlDocument::HtmlDocument(std::shared_ptr<HostState> state, const std::wstring& window,
                           std::wstring text, std::size_t selectionStart, std::size_t selectionEnd,
                           SelectionKind kind)
    : Automation(state, L"HTMLDocument", window + L" > HTML document", {kIID_IHTMLDocument2}),
      m_window(window), m_text(std::move(text))
{
    Select(selectionStart, selectionEnd, kind);
}

void HtmlDocument::Select(std::size_t start, std::size_t end, SelectionKind kind)
{
    const TextSpan span = SpanWithin(start, end, m_text.size());
    m_selectionStart = span.start;
    m_selectionEnd = span.end;
    m_selectionKind = kind;
}

void HtmlDocument::Replace(std::size_t start, std::size_t end, const std::wstring& text)
{
    const TextSpan span = SpanWithin(start, end, m_text.size());
    m_text.replace(span.start, span.end - span.start, text);
    m_selectionStart = m_selectionEnd = span.start + text.size();
    m_selectionKind = SelectionKind::Text;
    Event event{EventKind::WriteText};
    event.window = m_window;
    event.value = text;
    State().record.Add(std::move(event));
}

HRESULT HtmlDocument::GetSelection(const Arguments&, _variant_t* result)
{
    return ReturnObject(MakeObject<HtmlSelection>(SharedState(), this).Get(), result);
}

HtmlDocument::~HtmlDocument() = default;

} // namespace tessel::hostsim
