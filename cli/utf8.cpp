#include "cli/utf8.h"

namespace tessel
{
namespace
{

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

void AppendCodePoint(char32_t cp, std::u16string& text)
{
    if (cp < 0x10000)
    {
        text.push_back(static_cast<char16_t>(cp));
        return;
    }
    cp -= 0x10000;
    text.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
}

// Length and validity of the multi-byte sequence at pos; 0 when invalid.
std::size_t DecodeSequence(std::string_view bytes, std::size_t pos, char32_t& cp)
{
    const auto lead = static_cast<unsigned char>(bytes[pos]);
    std::size_t length;
    char32_t minimum;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2, minimum = 0x80, cp = lead & 0x1F;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3, minimum = 0x800, cp = lead & 0x0F;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4, minimum = 0x10000, cp = lead & 0x07;
    else
        return 0;
    if (bytes.size() - pos < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i)
    {
        const auto byte = static_cast<unsigned char>(bytes[pos + i]);
        if (!IsContinuation(byte))
            return 0;
        cp = (cp << 6) | (byte & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

bool DecodeUtf8(std::string_view bytes, std::u16string& text, std::size_t& errorOffset)
{
    text.reserve(text.size() + bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size())
    {
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (byte < 0x80)
        {
            text.push_back(byte);
            ++pos;
            continue;
        }
        char32_t cp = 0;
        const std::size_t length = DecodeSequence(bytes, pos, cp);
        if (length == 0)
        {
            errorOffset = pos;
            return false;
        }
        AppendCodePoint(cp, text);
        pos += length;
    }
    return true;
}

void AppendUtf8(std::u16string_view text, std::string& out)
{
    for (std::size_t pos = 0; pos < text.size(); ++pos)
    {
        char32_t cp = text[pos];
        if (cp < 0x80)
        {
            out.push_back(static_cast<char>(cp));
            continue;
        }
        if (cp >= 0xD800 && cp <= 0xDBFF && pos + 1 < text.size() && text[pos + 1] >= 0xDC00 &&
            text[pos + 1] <= 0xDFFF)
        {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++pos] - 0xDC00);
        }
        else if (cp >= 0xD800 && cp <= 0xDFFF)
        {
            cp = 0xFFFD;
        }
        if (cp < 0x800)
        {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        }
        else if (cp < 0x10000)
        {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        }
        else
        {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        }
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

} // namespace tessel
