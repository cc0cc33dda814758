#include "settings/history_signs.h"

namespace tessel
{
namespace
{

bool IsBlankOnly(std::string_view piece)
{
    return piece.find_first_not_of(" \t\v\f") == std::string_view::npos;
}

} // namespace

void ForEachHistorySign(std::string_view bytes,
                        const std::function<void(std::string_view)>& addSign)
{
    std::size_t pos = 0;
    while (pos < bytes.size())
    {
        std::size_t lineEnd = bytes.find_first_of("\r\n", pos);
        std::size_t next = lineEnd;
        if (lineEnd == std::string_view::npos)
            lineEnd = next = bytes.size();
        else if (bytes[lineEnd] == '\r' && lineEnd + 1 < bytes.size() && bytes[lineEnd + 1] == '\n')
            next += 2;
        else
            ++next;

        std::string_view line = bytes.substr(pos, lineEnd - pos);
        line = line.substr(0, line.find('\0'));
        for (std::size_t cut = 0; cut < line.size(); cut += kHistoryPieceSize)
        {
            const std::string_view piece = line.substr(cut, kHistoryPieceSize);
            if (!IsBlankOnly(piece))
                addSign(piece);
        }
        pos = next;
    }
}

bool LoadsBackWhole(std::string_view sign)
{
    return !sign.empty() && sign.size() <= kHistoryPieceSize && !IsBlankOnly(sign) &&
           sign.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

} // namespace tessel
