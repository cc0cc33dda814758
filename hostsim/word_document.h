#pragma once
// Word as the mail editor of the 2007-365 clients (and of WordMail before), as the add-in reads
// and writes it: a Document with the text and selection of one message; its Windows collection,
// whose one Window has the document's own Selection (Type, Text, Range, Start, End); Ranges
// (Text, Start, End); and the Word Application, whose Selection and ActiveDocument belong to the
// active document, which need not be the message's. Paragraphs end in CR, manual line breaks are
// VT (0x0B); at an insertion point Selection.Text is the next character. Each object holds what
// it needs; the document holds its application, not the reverse.

#include "hostsim/automation_object.h"
#include "hostsim/host_options.h"

namespace tessel::hostsim
{

class WordDocument;

class WordApplication final : public Automation<WordApplication>
{
  public:
    explicit WordApplication(std::shared_ptr<HostState> state);
    static MemberTable<WordApplication> Members();

    // The document that Word counts as active; null when none is open.
    void SetActive(WordDocument* document) { m_active = document; }
    void Forget(WordDocument* document);

  private:
    ~WordApplication() override;
    HRESULT GetSelection(const Arguments& arguments, _variant_t* result);
    HRESULT GetActiveDocument(const Arguments& arguments, _variant_t* result);

    WordDocument* m_active = nullptr; // not counted: a document forgets itself when it goes
};

class WordDocument final : public Automation<WordDocument>
{
  public:
    // window: "Inspector 2" or "Explorer", for the record.
    WordDocument(std::shared_ptr<HostState> state, WordApplication* application,
                 const std::wstring& window, std::wstring text, std::size_t selectionStart,
                 std::size_t selectionEnd, SelectionKind kind);
    static MemberTable<WordDocument> Members();

    const std::wstring& Text() const { return m_text; }
    std::size_t SelectionStart() const { return m_selectionStart; }
    std::size_t SelectionEnd() const { return m_selectionEnd; }
    SelectionKind Selection() const { return m_selectionKind; }
    // Offsets beyond the text are brought back to its end.
    void Select(std::size_t start, std::size_t end, SelectionKind kind);
    // Writes text over [start, end) and records it; returns where the new text ends.
    std::size_t Replace(std::size_t start, std::size_t end, const std::wstring& text);
    WordApplication& Application() const { return *m_application.Get(); }

  private:
    ~WordDocument() override;
    HRESULT GetWindows(const Arguments& arguments, _variant_t* result);
    HRESULT GetApplication(const Arguments& arguments, _variant_t* result);

    ComPtr<WordApplication> m_application;
    std::wstring m_window;
    std::wstring m_text;
    std::size_t m_selectionStart = 0;
    std::size_t m_selectionEnd = 0;
    SelectionKind m_selectionKind = SelectionKind::Text;
};

// A document's Windows collection: one window (Item(1), Count).
class WordWindows final : public Automation<WordWindows>
{
  public:
    WordWindows(std::shared_ptr<HostState> state, WordDocument* document);
    static MemberTable<WordWindows> Members();

  private:
    ~WordWindows() override;
    HRESULT GetItem(const Arguments& arguments, _variant_t* result);
    HRESULT GetCount(const Arguments& arguments, _variant_t* result);

    ComPtr<WordDocument> m_document;
};

class WordWindow final : public Automation<WordWindow>
{
  public:
    WordWindow(std::shared_ptr<HostState> state, WordDocument* document);
    static MemberTable<WordWindow> Members();

  private:
    ~WordWindow() override;
    HRESULT GetSelection(const Arguments& arguments, _variant_t* result);

    ComPtr<WordDocument> m_document;
};

// The selection of a document's window: it follows the document's selection as it is now.
class WordSelection final : public Automation<WordSelection>
{
  public:
    WordSelection(std::shared_ptr<HostState> state, WordDocument* document);
    static MemberTable<WordSelection> Members();

  private:
    ~WordSelection() override;
    HRESULT GetType(const Arguments& arguments, _variant_t* result);
    HRESULT GetText(const Arguments& arguments, _variant_t* result);
    HRESULT PutText(const Arguments& arguments);
    HRESULT GetRange(const Arguments& arguments, _variant_t* result);
    HRESULT GetStart(const Arguments& arguments, _variant_t* result);
    HRESULT GetEnd(const Arguments& arguments, _variant_t* result);

    ComPtr<WordDocument> m_document;
};

// A fixed span of a document; writing its Text replaces the span and the range then spans the
// new text.
class WordRange final : public Automation<WordRange>
{
  public:
    WordRange(std::shared_ptr<HostState> state, WordDocument* document, std::size_t start,
              std::size_t end);
    static MemberTable<WordRange> Members();

  private:
    ~WordRange() override;
    HRESULT GetText(const Arguments& arguments, _variant_t* result);
    HRESULT PutText(const Arguments& arguments);
    HRESULT GetStart(const Arguments& arguments, _variant_t* result);
    HRESULT GetEnd(const Arguments& arguments, _variant_t* result);

    ComPtr<WordDocument> m_document;
    std::size_t m_start;
    std::size_t m_end;
};

} // namespace tessel::hostsim
