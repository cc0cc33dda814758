#include "cli/utf8.h"

#include "engine/text_units.h"

#include <cstdint>
#include <cstring>

namespace tessel
{
namespace
{

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

// Eight bytes at a time while they are all ASCII, as text mostly is.
std::size_t SkipAscii(std::string_view bytes, std::size_t pos)
{
    constexpr std::uint64_t kTopBits = 0x8080808080808080u;
    for (std::uint64_t word; bytes.size() - pos >= sizeof word; pos += sizeof word)
    {
        std::memcpy(&word, bytes.data() + pos, sizeof word);
        if ((word & kTopBits) != 0)
            break;
    }
    return pos;
}

} // namespace

std::size_t FindInvalidUtf8(std::string_view bytes)
{
    const char* const end = bytes.data() + bytes.size();
    for (std::size_t pos = SkipAscii(bytes, 0); pos < bytes.size();)
    {
        if (IsAsciiUnit(bytes[pos]))
        {
            pos = SkipAscii(bytes, pos + 1);
            continue;
        }
        const Decoded ch = DecodeAt(bytes.data() + pos, end);
        if (ch.units == 1)
            return pos;
        pos += ch.units;
    }
    return kValidUtf8;
}

bool DecodeUtf8(std::string_view bytes, std::u16string& text, std::size_t& errorOffset)
{
    text.reserve(text.size() + bytes.size());
    const char* const end = bytes.data() + bytes.size();
    for (const char* pos = bytes.data(); pos != end;)
    {
        if (!IsValidUtf8At(pos, end))
        {
            errorOffset = static_cast<std::size_t>(pos - bytes.data());
            return false;
        }
        const Decoded ch = DecodeAt(pos, end);
        AppendCodePoint(ch.codePoint, text);
        pos += ch.units;
    }
    return true;
}

void AppendUtf8(std::u16string_view text, std::string& out)
{
    const char16_t* const end = text.data() + text.size();
    for (const char16_t* pos = text.data(); pos != end;)
    {
        const Decoded ch = DecodeAt(pos, end);
        pos += ch.units;
        // A surrogate alone decodes to itself, which UTF-8 cannot hold.
        const char32_t cp = IsHighSurrogate(ch.codePoint) || IsLowSurrogate(ch.codePoint)
                                ? char32_t{0xFFFD}
                                : ch.codePoint;
        if (cp < 0x80)
        {
            out.push_back(static_cast<char>(cp));
            continue;
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
