#pragma once
// Quoting exactly as written out, line by line and piece by piece, with none of the engine's
// shortcuts: split at line ends, then while the rest of a line is wider than the width, cut
// after the last blank of its longest prefix that fits, or at that prefix's end. The engine
// must agree with it; it is slow (it measures the rest again for every piece).

#include "engine/display_width.h"

#include <algorithm>
#include <string>

namespace tessel::test
{

inline int ReferenceColumns(std::u16string_view text)
{
    int columns = 0;
    for (std::size_t pos = 0; pos < text.size();)
    {
        const TextChar ch = CharAt(text, pos);
        columns += CodePointColumns(ch.codePoint);
        pos += ch.units;
    }
    return columns;
}

// Units in the longest prefix of at most `width` columns.
inline std::size_t ReferenceFittingPrefix(std::u16string_view text, int width)
{
    std::size_t pos = 0;
    for (int columns = 0; pos < text.size();)
    {
        const TextChar ch = CharAt(text, pos);
        if (columns + CodePointColumns(ch.codePoint) > width)
            break;
        columns += CodePointColumns(ch.codePoint);
        pos += ch.units;
    }
    return pos;
}

inline std::u16string QuoteByPieces(std::u16string_view text, std::u16string_view sign, int width)
{
    width = std::max(width, 10);
    std::u16string result;
    std::size_t pos = 0;
    do
    {
        std::size_t end = pos;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        std::u16string_view rest = text.substr(pos, end - pos);
        while (ReferenceColumns(rest) > width)
        {
            const std::u16string_view prefix = rest.substr(0, ReferenceFittingPrefix(rest, width));
            const std::size_t blank = prefix.rfind(u' ');
            const std::size_t cut = blank == std::u16string_view::npos ? prefix.size() : blank + 1;
            result.append(sign).append(rest.substr(0, cut)).append(u"\r\n");
            rest.remove_prefix(cut);
        }
        result.append(sign).append(rest).append(u"\r\n");
        if (end < text.size())
            end += text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1;
        pos = end;
    } while (pos < text.size());
    return result.append(sign);
}

} // namespace tessel::test
