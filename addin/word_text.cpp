#include "addin/word_text.h"

#include "engine/quote_text.h"
#include "engine/unquote_text.h"

#include <vector>

namespace tessel
{
namespace
{

struct WordLine
{
    std::u16string_view text;
    char16_t end; // a paragraph mark, a line break, or 0 for the last line
};

// The lines between Word's line ends; a text that ends with a line end has an empty last line.
std::vector<WordLine> SplitWordLines(std::u16string_view text)
{
    std::vector<WordLine> lines;
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); ++at)
    {
        if (text[at] == kWordParagraphMark || text[at] == kWordLineBreak)
        {
            lines.push_back({text.substr(start, at - start), text[at]});
            start = at + 1;
        }
    }
    lines.push_back({text.substr(start), 0});
    return lines;
}

// One line's part of the quoted text: its pieces behind the sign, each ended by CR LF, and the
// sign that QuoteText puts after the last one left out. The last CR LF becomes the line's own
// end; the others, where the line was wrapped, become line breaks.
void AppendQuotedLine(std::u16string& result, std::u16string_view quoted, std::size_t signSize,
                      char16_t end)
{
    const std::u16string_view pieces = quoted.substr(0, quoted.size() - signSize);
    const std::size_t lastEnd = pieces.rfind(u"\r\n");
    std::size_t start = 0;
    for (std::size_t at = pieces.find(u"\r\n"); at != std::u16string_view::npos;
         at = pieces.find(u"\r\n", start))
    {
        result.append(pieces.substr(start, at - start));
        result.push_back(at == lastEnd ? end : kWordLineBreak);
        start = at + 2;
    }
    result.append(pieces.substr(start));
}

} // namespace

std::u16string QuoteWordText(std::u16string_view text, std::u16string_view addSign, int wrapWidth)
{
    std::vector<WordLine> lines = SplitWordLines(text);
    // As in QuoteText, a line end at the very end starts no further line.
    if (lines.size() > 1 && lines.back().text.empty())
        lines.pop_back();
    std::u16string result;
    for (const WordLine& line : lines)
        AppendQuotedLine(result, QuoteText(line.text, addSign, wrapWidth), addSign.size(),
                         line.end != 0 ? line.end : kWordParagraphMark);
    result.append(addSign);
    return result;
}

std::u16string UnquoteWordText(std::u16string_view text, std::u16string_view removeSign,
                               int unquoteLevels)
{
    std::u16string result;
    for (const WordLine& line : SplitWordLines(text))
    {
        result.append(UnquoteText(line.text, removeSign, unquoteLevels));
        if (line.end != 0)
            result.push_back(line.end);
    }
    return result;
}

} // namespace tessel
