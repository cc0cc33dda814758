#pragma once
// Quoting exactly as written out, line by line and piece by piece, with none of the engine's
// shortcuts: split at line ends, then while the rest of a line is wider than the width, cut
// after the last blank of its longest prefix that fits, or at that prefix's end. The engine
// must agree with it; it is slow (it measures the rest again for every piece).
//
// Two ways of counting: by grapheme cluster, as the engine does (a blank is a place to cut
// only where it ends its cluster), and by code point, as the engine did before clusters, which
// must give the same result for text without marks, joiners, variation selectors or flags.

#include "engine/char_properties.h"
#include "engine/grapheme_cluster.h"

#include <algorithm>
#include <string>
#include <vector>

namespace tessel::test
{

struct Unit
{
    std::size_t size; // code units
    int columns;
};

// A line's clusters, found by the engine's segmentation (checked on its own against Unicode's
// test data), with their widths worked out here from the rule.
inline std::vector<Unit> ClustersOf(std::u16string_view line)
{
    std::vector<Unit> clusters;
    for (const char16_t* pos = line.data(); pos != line.data() + line.size();)
    {
        const char16_t* const end = NextCluster(pos, line.data() + line.size()).end;
        int regionalIndicators = 0;
        bool emojiPresentation = false;
        for (const char16_t* at = pos; at != end;)
        {
            const Decoded ch = DecodeAt(at, end);
            regionalIndicators += ch.codePoint >= 0x1F1E6 && ch.codePoint <= 0x1F1FF;
            emojiPresentation = emojiPresentation || ch.codePoint == 0xFE0F;
            at += ch.units;
        }
        const bool wide = PropertiesOf(DecodeAt(pos, end).codePoint).Wide() || emojiPresentation ||
                          regionalIndicators >= 2;
        clusters.push_back({static_cast<std::size_t>(end - pos), wide ? 2 : 1});
        pos = end;
    }
    return clusters;
}

inline std::vector<Unit> CodePointsOf(std::u16string_view line)
{
    std::vector<Unit> codePoints;
    for (std::size_t pos = 0; pos < line.size();)
    {
        const Decoded ch = DecodeAt(line.data() + pos, line.data() + line.size());
        codePoints.push_back({ch.units, CodePointColumns(ch.codePoint)});
        pos += ch.units;
    }
    return codePoints;
}

template <class Split>
std::u16string QuoteBy(Split split, std::u16string_view text, std::u16string_view sign, int width)
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
        for (std::vector<Unit> units = split(rest);;)
        {
            int columns = 0;
            std::size_t fitting = 0, fittingSize = 0, cut = 0;
            for (; fitting < units.size() && columns + units[fitting].columns <= width; ++fitting)
            {
                columns += units[fitting].columns;
                fittingSize += units[fitting].size;
                if (rest[fittingSize - 1] == u' ')
                    cut = fittingSize;
            }
            if (fitting == units.size())
                break;
            cut = cut == 0 ? fittingSize : cut;
            result.append(sign).append(rest.substr(0, cut)).append(u"\r\n");
            rest.remove_prefix(cut);
            units = split(rest);
        }
        result.append(sign).append(rest).append(u"\r\n");
        if (end < text.size())
            end += text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1;
        pos = end;
    } while (pos < text.size());
    return result.append(sign);
}

inline std::u16string QuoteByClusters(std::u16string_view text, std::u16string_view sign, int width)
{
    return QuoteBy(ClustersOf, text, sign, width);
}

inline std::u16string QuoteByCodePoints(std::u16string_view text, std::u16string_view sign,
                                        int width)
{
    return QuoteBy(CodePointsOf, text, sign, width);
}

} // namespace tessel::test
