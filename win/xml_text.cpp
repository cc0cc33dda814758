#include "win/xml_text.h"

#include <algorithm>
#include <iterator>

namespace tessel
{

std::wstring XmlEscaped(const std::wstring& text)
{
    static const struct
    {
        wchar_t character;
        const wchar_t* entity;
    } kEntities[] = {{L'&', L"&amp;"}, {L'<', L"&lt;"}, {L'>', L"&gt;"}, {L'"', L"&quot;"}};
    std::wstring result;
    for (const wchar_t c : text)
    {
        const auto* entity =
            std::find_if(std::begin(kEntities), std::end(kEntities),
                         [c](const auto& candidate) { return candidate.character == c; });
        if (entity != std::end(kEntities))
            result += entity->entity;
        else
            result += c;
    }
    return result;
}

} // namespace tessel
