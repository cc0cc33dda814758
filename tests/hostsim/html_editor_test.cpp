// The HTML editor's selection read and replaced through the document, selection and text range,
// with text beyond the ANSI code page, and the selections that give no text range.

#include "hostsim/host.h"
#include "hostsim/iids.h"
#include "tests/hostsim/late_bound.h"

#include <gtest/gtest.h>

namespace tessel::hostsim
{
namespace
{

using test::Answers;
using test::Object;
using test::Text;

ComPtr<IDispatch> CreateRange(Host& host, WindowId window)
{
    const auto document = Object(host.InspectorObject(window).Get(), L"HTMLEditor");
    ComPtr<IDispatch> range;
    _variant_t value;
    if (FAILED(CallMethod(Object(document.Get(), L"selection").Get(), L"createRange", {}, &value)))
        return nullptr;
    if (value.vt == VT_DISPATCH && value.pdispVal != nullptr)
        value.pdispVal->QueryInterface(IID_PPV_ARGS(&range));
    return range;
}

TEST(HostsimHtmlEditor, ReadsAndReplacesTheSelectionInUtf16)
{
    const struct
    {
        const char* name;
        std::wstring text;
        std::size_t start, end;
        std::wstring selected, replacement, result;
    } cases[] = {
        {"Greek", L"Καλημέρα κόσμε\r\nτέλος", 9, 21, L"κόσμε\r\nτέλος", L"> κόσμε\r\n> τέλος",
         L"Καλημέρα > κόσμε\r\n> τέλος"},
        {"CJK", L"前文。日本語の文章です。", 3, 12, L"日本語の文章です。",
         L"> 日本語の\r\n> 文章です。", L"前文。> 日本語の\r\n> 文章です。"},
        {"emoji", L"a \U0001F600 b\r\nc", 0, 9, L"a \U0001F600 b\r\nc", L"", L""},
        {"caret", L"text", 2, 2, L"", L"\U0001F44D", L"te\U0001F44Dxt"},
        {"NUL characters", std::wstring(L"a\0b c", 5), 0, 3, std::wstring(L"a\0b", 3),
         std::wstring(L"x\0", 2), std::wstring(L"x\0 c", 4)},
    };
    for (const auto& c : cases)
    {
        Host host;
        const WindowId window =
            host.OpenInspector(ItemSetup{}, EditorKind::Html, c.text, c.start, c.end);
        const auto range = CreateRange(host, window);
        ASSERT_TRUE(Answers(range.Get(), kIID_IHTMLTxtRange)) << c.name;
        EXPECT_EQ(Text(range.Get(), L"text"), c.selected) << c.name;

        const _bstr_t replacement(
            SysAllocStringLen(c.replacement.data(), static_cast<UINT>(c.replacement.size())),
            false);
        ASSERT_EQ(PutProperty(range.Get(), L"text", _variant_t(replacement)), S_OK);
        EXPECT_EQ(host.EditorText(window), c.result) << c.name;
        EXPECT_EQ(Text(range.Get(), L"text"), c.replacement) << c.name;
        const std::size_t caret = c.start + c.replacement.size();
        EXPECT_EQ(host.EditorSelection(window), std::make_pair(caret, caret)) << c.name;
        const auto writes = host.Record().Of(EventKind::WriteText);
        ASSERT_EQ(writes.size(), 1u) << c.name;
        EXPECT_EQ(writes[0].value, c.replacement) << c.name;
    }
}

// The object-model guard of the 2002 client asks the user before a program reads a message;
// a refusal fails the read.
TEST(HostsimHtmlEditor, TheGuardCanDenyTheEditor)
{
    Host host({.guard = GuardAnswer::Deny});
    const auto inspector = host.InspectorObject(host.OpenInspector({.text = L"x"}));
    _variant_t editor;
    EXPECT_EQ(GetProperty(inspector.Get(), L"HTMLEditor", &editor), E_ACCESSDENIED);
    EXPECT_TRUE(Object(inspector.Get(), L"CurrentItem"));
}

TEST(HostsimHtmlEditor, SelectionsWithoutATextRange)
{
    Host host;
    const WindowId control =
        host.OpenInspector({.text = L"x", .selection = SelectionKind::Control});
    const WindowId none = host.OpenInspector({.text = L"x", .selection = SelectionKind::NoRange});
    const WindowId plain = host.OpenInspector({.editor = EditorKind::Text, .text = L"x"});

    const auto controlRange = CreateRange(host, control);
    ASSERT_TRUE(controlRange);
    EXPECT_FALSE(Answers(controlRange.Get(), kIID_IHTMLTxtRange));
    EXPECT_TRUE(Answers(controlRange.Get(), kIID_IHTMLControlRange));
    EXPECT_FALSE(CreateRange(host, none));

    _variant_t editor;
    ASSERT_EQ(GetProperty(host.InspectorObject(plain).Get(), L"HTMLEditor", &editor), S_OK);
    EXPECT_EQ(editor.vt, VT_DISPATCH);
    EXPECT_EQ(editor.pdispVal, nullptr);
}

} // namespace
} // namespace tessel::hostsim
