#include "quote_text.h"

#include "display_width.h"
#include "line_ends.h"

#include <algorithm>

namespace tessel
{
namespace
{

constexpr char16_t kBlank = u' ';
constexpr std::size_t kNone = std::u16string_view::npos;

// Below this unit every character is one column wide and none is a surrogate.
constexpr char16_t kFirstSpecialUnit = 0x1100;

// The longest prefix of the rest of a line, starting at some position, that fits the width.
struct PieceScan
{
    std::size_t end;       // first unit after the prefix
    std::size_t lastBlank; // last blank inside the prefix, or kNone
    bool lineFits;         // the line (to its end or the text's end) is the whole prefix
};

PieceScan ScanPiece(std::u16string_view text, std::size_t pos, int width)
{
    const std::size_t size = text.size();
    std::size_t lastBlank = kNone;
    int columns = 0;
    while (pos < size)
    {
        const char16_t unit = text[pos];
        if (unit < kFirstSpecialUnit)
        {
            if (IsLineEndUnit(unit))
                return {pos, lastBlank, true};
            if (columns == width)
                return {pos, lastBlank, false};
            if (unit == kBlank)
                lastBlank = pos;
            ++columns;
            ++pos;
            continue;
        }
        const TextChar ch = CharAt(text, pos);
        const int charColumns = CodePointColumns(ch.codePoint);
        if (columns + charColumns > width)
            return {pos, lastBlank, false};
        columns += charColumns;
        pos += ch.units;
    }
    return {size, lastBlank, true};
}

// Room for typical prose: pieces seldom run much shorter than three quarters of the width.
std::size_t EstimateQuotedSize(std::size_t textSize, std::size_t signSize, int width)
{
    const std::size_t pieces = textSize / (width - width / 4) + 1;
    return textSize + (pieces + 1) * (signSize + kCRLF.size());
}

} // namespace

std::u16string QuoteText(std::u16string_view text, std::u16string_view addSign, int wrapWidth)
{
    const int width = std::max(wrapWidth, kMinWrapWidth);

    std::u16string quoted;
    quoted.reserve(EstimateQuotedSize(text.size(), addSign.size(), width));
    const auto emitPiece = [&](std::size_t from, std::size_t to) {
        quoted.append(addSign);
        quoted.append(text.substr(from, to - from));
        quoted.append(kCRLF);
    };

    // There is always at least one line; a line end at the very end starts no further line.
    std::size_t pos = 0;
    for (;;)
    {
        const PieceScan scan = ScanPiece(text, pos, width);
        if (scan.lineFits)
        {
            emitPiece(pos, scan.end);
            pos = SkipLineEnd(text, scan.end);
            if (pos >= text.size())
                break;
        }
        else if (scan.lastBlank != kNone)
        {
            // The blank stays at the end of the piece; the rest starts right after it.
            emitPiece(pos, scan.lastBlank + 1);
            pos = scan.lastBlank + 1;
        }
        else
        {
            emitPiece(pos, scan.end); // hard cut inside a word
            pos = scan.end;
        }
    }
    quoted.append(addSign);
    return quoted;
}

} // namespace tessel
