#pragma once
// Unquoting exactly as written out, pass by pass: in each pass every CR LF followed by the sign
// loses the sign (the search resumes right after the CR LF that stays), then the front loses
// one. The engine must agree with it; it is only fast enough for small inputs.

#include <string>

namespace tessel::test
{

inline std::u16string UnquoteByPasses(std::u16string text, const std::u16string& sign, int levels)
{
    if (sign.empty())
        return text;
    for (int level = 0; level < levels; ++level)
    {
        for (std::size_t pos = 0; (pos = text.find(u"\r\n" + sign, pos)) != std::u16string::npos;)
        {
            text.erase(pos + 2, sign.size());
            pos += 2;
        }
        if (text.compare(0, sign.size(), sign) == 0)
            text.erase(0, sign.size());
    }
    return text;
}

} // namespace tessel::test
