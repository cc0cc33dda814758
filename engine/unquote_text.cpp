#include "engine/unquote_text.h"

#include "engine/unit_writer.h"
#include "engine/unquote_lines.h"

namespace tessel
{
namespace
{

constexpr std::size_t kNone = std::u16string_view::npos;

bool StartsWith(std::u16string_view text, std::size_t pos, std::u16string_view prefix)
{
    return text.size() - pos >= prefix.size() && text.compare(pos, prefix.size(), prefix) == 0;
}

constexpr std::u16string_view kCRLF = u"\r\n";

// A sign without CR or LF can neither make nor break a CR LF when it is removed, so every pass
// removes one sign from the start of the same lines, and the passes together remove up to
// `levels` signs from each line start: one walk over the text does it.
TextBlock StripPerLine(std::u16string_view text, std::u16string_view sign, int levels)
{
    TextBlock result;
    UnitWriter<char16_t, InPlaceBuffer> writer(result, text.size());
    const char16_t* const textEnd = text.data() + text.size();
    ForEachUnquotedLine(text.data(), textEnd, sign, levels, LineStarts::AfterCrLf,
                        [&](const char16_t* from, const char16_t*, const char16_t* next) {
                            writer.Put(from, static_cast<std::size_t>(next - from), textEnd);
                        });
    writer.Finish();
    return result;
}

// One pass: removes the sign after every CR LF (resuming right after the CR LF that stays),
// then from the front. Returns whether anything was removed.
bool RemoveOneLevel(std::u16string& text, std::u16string_view sign)
{
    const std::u16string_view source = text;
    std::u16string result;
    result.reserve(source.size());
    bool removed = false;
    std::size_t pos = 0;
    for (std::size_t lineEnd; (lineEnd = source.find(kCRLF, pos)) != kNone;)
    {
        const std::size_t afterLineEnd = lineEnd + kCRLF.size();
        result.append(source.substr(pos, afterLineEnd - pos));
        pos = afterLineEnd;
        if (StartsWith(source, pos, sign))
        {
            pos += sign.size();
            removed = true;
        }
    }
    result.append(source.substr(pos));
    if (StartsWith(result, 0, sign))
    {
        result.erase(0, sign.size());
        removed = true;
    }
    text.swap(result);
    return removed;
}

} // namespace

TextBlock UnquoteText(std::u16string_view text, std::u16string_view removeSign, int unquoteLevels)
{
    if (unquoteLevels <= 0 || removeSign.empty())
        return TextBlock(text);
    if (removeSign.find_first_of(u"\r\n") == kNone)
        return StripPerLine(text, removeSign, unquoteLevels);

    // A sign holding line-end characters can make or break line starts as it goes, so such a
    // sign is removed pass by pass; once a pass removes nothing, no later pass would.
    std::u16string result(text);
    for (int level = 0; level < unquoteLevels && RemoveOneLevel(result, removeSign); ++level)
    {
    }
    return TextBlock(result);
}

} // namespace tessel
