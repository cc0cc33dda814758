#pragma once
// The editor's selection object (createRange, type) and the two kinds of range it can give: a
// text range (text, read and written) and a control range, which answers IHTMLControlRange and
// not IHTMLTxtRange. Each holds its document; the document holds none of them.

#include "hostsim/automation_object.h"

namespace tessel::hostsim
{

class HtmlDocument;

class HtmlSelection final : public Automation<HtmlSelection>
{
  public:
    HtmlSelection(std::shared_ptr<HostState> state, HtmlDocument* document);
    static MemberTable<HtmlSelection> Members();

  private:
    ~HtmlSelection() override;
    HRESULT CreateRange(const Arguments& arguments, _variant_t* result);
    HRESULT GetType(const Arguments& arguments, _variant_t* result);

    ComPtr<HtmlDocument> m_document;
};

class HtmlTxtRange final : public Automation<HtmlTxtRange>
{
  public:
    HtmlTxtRange(std::shared_ptr<HostState> state, HtmlDocument* document, std::size_t start,
                 std::size_t end);
    static MemberTable<HtmlTxtRange> Members();

  private:
    ~HtmlTxtRange() override;
    HRESULT GetText(const Arguments& arguments, _variant_t* result);
    HRESULT PutText(const Arguments& arguments);

    ComPtr<HtmlDocument> m_document;
    std::size_t m_start;
    std::size_t m_end;
};

class HtmlControlRange final : public Automation<HtmlControlRange>
{
  public:
    HtmlControlRange(std::shared_ptr<HostState> state, const std::wstring& label);
    static MemberTable<HtmlControlRange> Members();

  private:
    ~HtmlControlRange() override;
    HRESULT GetLength(const Arguments& arguments, _variant_t* result);
};

} // namespace tessel::hostsim
