#pragma once
// Quoting and unquoting text as Word's documents hold it: CR ends a paragraph and VT (0x0B) is a
// manual line break. The engine sees both as line ends; each line keeps its own end in the result,
// so that quoting and then unquoting with the same sign gives back the paragraphs and line breaks
// as they were. The breaks that wrapping adds inside a line are manual line breaks (the pieces
// stay one paragraph), and the line end that quoting adds after a last line without one is a
// paragraph mark.

#include <string>
#include <string_view>

namespace tessel
{

constexpr char16_t kWordParagraphMark = u'\r';
constexpr char16_t kWordLineBreak = u'\v';

// As QuoteText, with Word's line ends.
std::u16string QuoteWordText(std::u16string_view text, std::u16string_view addSign, int wrapWidth);
// As UnquoteText, with Word's line ends.
std::u16string UnquoteWordText(std::u16string_view text, std::u16string_view removeSign,
                               int unquoteLevels);

} // namespace tessel
