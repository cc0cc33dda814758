#pragma once
// A span [start, end) of an editor's text, as the editors take one: ends beyond the text are
// brought back to its end, and the two are put in order.

#include <algorithm>
#include <cstddef>
#include <string>

namespace tessel::hostsim
{

struct TextSpan
{
    std::size_t start = 0;
    std::size_t end = 0;
};

inline TextSpan SpanWithin(std::size_t start, std::size_t end, std::size_t size)
{
    const std::size_t last = std::min(std::max(start, end), size);
    return {std::min(std::min(start, end), last), last};
}

inline std::wstring SpanText(const std::wstring& text, std::size_t start, std::size_t end)
{
    const TextSpan span = SpanWithin(start, end, text.size());
    return text.substr(span.start, span.end - span.start);
}

} // namespace tessel::hostsim
