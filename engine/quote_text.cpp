#include "engine/quote_text.h"

#include "engine/line_ends.h"
#include "engine/piece_scan.h"

#include <algorithm>
#include <cstring>

namespace tessel
{
namespace
{

// The result is written through a pointer into a string that grows as needed: appending the
// sign, the piece and CR LF through std::u16string::append costs as much as the scanning.
class QuotedWriter
{
  public:
    QuotedWriter(std::u16string_view sign, std::size_t estimate) : m_sign(sign)
    {
        m_out.resize(estimate);
        m_next = m_out.data();
    }

    void Piece(const char16_t* from, const char16_t* to)
    {
        const std::size_t length = static_cast<std::size_t>(to - from);
        Reserve(m_sign.size() + length + kCRLF.size());
        Copy(m_sign.data(), m_sign.size());
        Copy(from, length);
        *m_next++ = kCR;
        *m_next++ = kLF;
    }

    std::u16string Finish()
    {
        Reserve(m_sign.size());
        Copy(m_sign.data(), m_sign.size());
        m_out.resize(static_cast<std::size_t>(m_next - m_out.data()));
        return std::move(m_out);
    }

  private:
    void Reserve(std::size_t units)
    {
        const std::size_t used = static_cast<std::size_t>(m_next - m_out.data());
        if (m_out.size() - used >= units)
            return;
        m_out.resize(std::max(m_out.size() * 2, used + units));
        m_next = m_out.data() + used;
    }

    void Copy(const char16_t* from, std::size_t units)
    {
        std::memcpy(m_next, from, units * sizeof(char16_t));
        m_next += units;
    }

    std::u16string_view m_sign;
    std::u16string m_out;
    char16_t* m_next;
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
