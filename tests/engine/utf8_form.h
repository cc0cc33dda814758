#pragma once
// The UTF-8 form of UTF-16 test text, for running the engine on both encodings.

#include "engine/text_units.h"

#include <string>

namespace tessel::test
{

inline void AppendUtf8(char32_t cp, std::string& out)
{
    if (cp < 0x80)
        return out.push_back(static_cast<char>(cp));
    if (cp < 0x800)
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    else
    {
        if (cp < 0x10000)
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        else
        {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        }
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    }
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
}

// Text without lone surrogates.
inline std::string Utf8Of(std::u16string_view text)
{
    std::string out;
    for (const char16_t* pos = text.data(); pos != text.data() + text.size();)
    {
        const Decoded ch = DecodeAt(pos, text.data() + text.size());
        AppendUtf8(ch.codePoint, out);
        pos += ch.units;
    }
    return out;
}

} // namespace tessel::test
