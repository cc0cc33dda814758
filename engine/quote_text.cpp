#include "engine/quote_text.h"

#include "engine/line_ends.h"
#include "engine/piece_scan.h"

#include <algorithm>
#include <cstring>

namespace tessel
{
namespace
{

// Pieces are gathered in a small buffer that stays in the cache and go to the result a few
// thousand units at a time: appending the sign, the piece and CR LF to the string one by one
// costs as much as the scanning, and a string sized up front would be written twice.
class QuotedWriter
{
  public:
    QuotedWriter(std::u16string_view sign, std::size_t estimate) : m_sign(sign)
    {
        m_out.reserve(estimate);
    }

    void Piece(const char16_t* from, const char16_t* to)
    {
        const std::size_t length = static_cast<std::size_t>(to - from);
        if (m_sign.size() + length + kCRLF.size() > kStageUnits - m_staged)
        {
            Flush();
            if (m_sign.size() + length + kCRLF.size() > kStageUnits)
            {
                // Longer than the whole buffer: straight to the result.
                m_out.append(m_sign).append(from, length).append(kCRLF);
                return;
            }
        }
        StageShort(m_sign);
        Stage(from, length);
        m_stage[m_staged++] = kCR;
        m_stage[m_staged++] = kLF;
    }

    std::u16string Finish()
    {
        Flush();
        m_out.append(m_sign);
        return std::move(m_out);
    }

  private:
    static constexpr std::size_t kStageUnits = 4096;

    void Stage(const char16_t* from, std::size_t units)
    {
        std::memcpy(m_stage + m_staged, from, units * sizeof(char16_t));
        m_staged += units;
    }

    // Signs are a few units long; a loop beats a call to memcpy.
    void StageShort(std::u16string_view units)
    {
        for (const char16_t unit : units)
            m_stage[m_staged++] = unit;
    }

    void Flush()
    {
        m_out.append(m_stage, m_staged);
        m_staged = 0;
    }

    std::u16string_view m_sign;
    std::u16string m_out;
    char16_t m_stage[kStageUnits];
    std::size_t m_staged = 0;
};

// Room for typical prose: pieces seldom run much shorter than three quarters of the width.
std::size_t EstimateQuotedSize(std::size_t textSize, std::size_t signSize, int width)
{
    const std::size_t pieces = textSize / static_cast<std::size_t>(width - width / 4) + 1;
    return textSize + (pieces + 1) * (signSize + kCRLF.size());
}

} // namespace

std::u16string QuoteText(std::u16string_view text, std::u16string_view addSign, int wrapWidth)
{
    const int width = std::max(wrapWidth, kMinWrapWidth);
    QuotedWriter writer(addSign, EstimateQuotedSize(text.size(), addSign.size(), width));

    // There is always at least one line; a line end at the very end starts no further line.
    const char16_t* pos = text.data();
    const char16_t* const textEnd = text.data() + text.size();
    for (;;)
    {
        const PieceScan scan = ScanPiece(text, pos, width);
        if (scan.lineFits)
        {
            writer.Piece(pos, scan.end);
            pos = text.data() + SkipLineEnd(text, static_cast<std::size_t>(scan.end - text.data()));
            if (pos >= textEnd)
                break;
        }
        else if (scan.lastBlank != nullptr)
        {
            // The blank stays at the end of the piece; the rest starts right after it.
            writer.Piece(pos, scan.lastBlank + 1);
            pos = scan.lastBlank + 1;
        }
        else
        {
            writer.Piece(pos, scan.end); // hard cut inside a word
            pos = scan.end;
        }
    }
    return writer.Finish();
}

} // namespace tessel
