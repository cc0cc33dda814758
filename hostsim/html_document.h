#pragma once
// The HTML editor's document as the add-in reads it: plain UTF-16 text with a selection (start
// and end offsets; equal for a caret). selection gives a selection object, whose createRange
// gives a text range over the selection, a control range, or nothing (SelectionKind).

#include "hostsim/automation_object.h"
#include "hostsim/host_options.h"

namespace tessel::hostsim
{

class HtmlDocument final : public Automation<HtmlDocument>
{
  public:
    // window: "Inspector 2", for the record.
    HtmlDocument(std::shared_ptr<HostState> state, const std::wstring& window, std::wstring text,
                 std::size_t selectionStart, std::size_t selectionEnd, SelectionKind kind);
    static MemberTable<HtmlDocument> Members();

    const std::wstring& Text() const { return m_text; }
    std::size_t SelectionStart() const { return m_selectionStart; }
    std::size_t SelectionEnd() const { return m_selectionEnd; }
    SelectionKind Selection() const { return m_selectionKind; }
    // Offsets beyond the text are brought back to its end.
    void Select(std::size_t start, std::size_t end, SelectionKind kind);
    // Writes text over [start, end), records it and leaves the caret after it, as the editor
    // does when a range's text is set.
    void Replace(std::size_t start, std::size_t end, const std::wstring& text);

  private:
    ~HtmlDocument() override;
    HRESULT GetSelection(const Arguments& arguments, _variant_t* result);

    std::wstring m_window;
    std::wstring m_text;
    std::size_t m_selectionStart = 0;
    std::size_t m_selectionEnd = 0;
    SelectionKind m_selectionKind = SelectionKind::Text;
};

} // namespace tessel::hostsim
