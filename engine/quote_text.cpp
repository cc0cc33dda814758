#include "engine/quote_text.h"

#include "engine/unit_writer.h"

namespace tessel
{
namespace
{

// Room for typical text: pieces seldom run shorter than half the width in code units (East
// Asian text takes two columns a unit), so that the result is not moved as it grows.
std::size_t EstimateQuotedSize(std::size_t textSize, std::size_t signSize, int wrapWidth)
{
    const int width = std::max(wrapWidth, kMinWrapWidth);
    const std::size_t pieces = textSize / static_cast<std::size_t>(width / 2) + 1;
    return textSize + (pieces + 1) * (signSize + 2);
}

} // namespace

TextBlock QuoteText(std::u16string_view text, std::u16string_view addSign, int wrapWidth)
{
    TextBlock result;
    UnitWriter<char16_t, InPlaceBuffer> writer(
        result, EstimateQuotedSize(text.size(), addSign.size(), wrapWidth));
    const char16_t* const textEnd = text.data() + text.size();
    // Every piece is followed by CR LF and the sign of the next line, or the sign that ends the
    // result.
    const ShortUnits<char16_t> lineEndAndSign(u"\r\n", addSign);
    writer.PutShort(addSign);
    ForEachQuotePiece(
        text.data(), textEnd, wrapWidth,
        [&writer, textEnd, &lineEndAndSign](const char16_t* from, const char16_t* to) {
            writer.PutFollowedBy(from, static_cast<std::size_t>(to - from), textEnd,
                                 lineEndAndSign);
        });
    writer.Finish();
    return result;
}

} // namespace tessel
