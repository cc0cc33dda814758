#include "cli/filter.h"

#include "engine/line_scan.h"
#include "engine/quote_pieces.h"
#include "engine/unit_writer.h"
#include "engine/unquote_lines.h"

namespace tessel
{
namespace
{

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kLf = "\n";

struct ToSink
{
    ByteSink& out;
    void operator()(const char* bytes, std::size_t count) const { out.Write(bytes, count); }
};
using Writer = UnitWriter<char, StagedBuffer<char, ToSink, 64 * 1024>>;

// The line end of text mode: that of the text's first line end unless one is forced.
std::string_view TextLineEnd(Output output, std::string_view text)
{
    if (output == Output::TextCrLf || output == Output::Exact)
        return kCrLf;
    if (output == Output::TextLf)
        return kLf;
    const char* const end = text.data() + text.size();
    const char* const first = FindLineEndUnit(text.data(), end);
    return end - first >= 2 && first[0] == '\r' && first[1] == '\n' ? kCrLf : kLf;
}

bool EndsWithLineEnd(std::string_view text)
{
    return !text.empty() && IsLineEndUnit(text.back());
}

// Every piece goes out behind the sign. The engine ends each piece with CR LF and puts one more
// sign after the last; as a text file, the last piece has a line end only when the input's last
// line had one, and empty input stays empty.
void Quote(const Command& command, std::string_view text, Writer& writer)
{
    const bool exact = command.output == Output::Exact;
    if (text.empty() && !exact)
        return;
    const std::string_view lineEnd = TextLineEnd(command.output, text);
    const char* const end = text.data() + text.size();
    bool pieceBefore = false;
    ForEachQuotePiece(text.data(), end, command.width, [&](const char* from, const char* to) {
        if (pieceBefore)
            writer.PutShort(lineEnd);
        writer.PutShort(command.sign);
        writer.Put(from, static_cast<std::size_t>(to - from), end);
        pieceBefore = true;
    });
    if (exact)
    {
        writer.PutShort(lineEnd);
        writer.PutShort(command.sign);
    }
    else if (EndsWithLineEnd(text))
    {
        writer.PutShort(lineEnd);
    }
}

// The add-in's unquoting starts lines only after CR LF and keeps every byte it does not remove;
// as a text file every line end starts a line and is written as the chosen one.
void Unquote(const Command& command, std::string_view text, Writer& writer)
{
    const char* const end = text.data() + text.size();
    if (command.output == Output::Exact)
    {
        ForEachUnquotedLine(text.data(), end, std::string_view(command.sign), command.levels,
                            LineStarts::AfterCrLf,
                            [&](const char* from, const char*, const char* next) {
                                writer.Put(from, static_cast<std::size_t>(next - from), end);
                            });
        return;
    }
    const std::string_view lineEnd = TextLineEnd(command.output, text);
    ForEachUnquotedLine(text.data(), end, std::string_view(command.sign), command.levels,
                        LineStarts::AfterAnyLineEnd,
                        [&](const char* from, const char* contentEnd, const char* next) {
                            writer.Put(from, static_cast<std::size_t>(contentEnd - from), end);
                            if (next != contentEnd)
                                writer.PutShort(lineEnd);
                        });
}

} // namespace

void RunFilter(const Command& command, std::string_view input, ByteSink& out)
{
    Writer writer(ToSink{out});
    std::string_view text = input;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    {
        writer.PutShort(kByteOrderMark);
        text.remove_prefix(kByteOrderMark.size());
    }
    if (command.action == Action::Quote)
        Quote(command, text, writer);
    else
        Unquote(command, text, writer);
    writer.Flush();
}

} // namespace tessel
