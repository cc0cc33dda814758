// libFuzzer target for the filter's own work on UTF-8. It checks:
// - the UTF-8 check refuses exactly the inputs that Unicode's table of well-formed byte
//   sequences refuses, at the offset of the first bad sequence;
// - --exact writes the engine's UTF-16 result in UTF-8, byte for byte;
// - text mode writes what --exact writes after the conversions it documents: quoting drops the
//   sign after the last line end and that line end too when the input has none, unquoting
//   starts a line at every line end as if each were CR LF, and CR LF becomes the chosen line
//   end; empty input stays empty.
// Invalid input also goes through the engine, which must neither crash nor read past it.

#include "cli/filter.h"
#include "cli/utf8.h"
#include "engine/quote_text.h"
#include "engine/unquote_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace
{

using namespace tessel;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// Unicode's table 3-7: the lead byte decides the length and the range of the second byte.
std::size_t FirstIllFormed(std::string_view bytes)
{
    for (std::size_t pos = 0; pos < bytes.size();)
    {
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        std::size_t length = 1;
        unsigned low = 0x80, high = 0xBF;
        if (lead <= 0x7F)
            length = 1;
        else if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead == 0xE0)
            length = 3, low = 0xA0;
        else if ((lead >= 0xE1 && lead <= 0xEC) || lead == 0xEE || lead == 0xEF)
            length = 3;
        else if (lead == 0xED)
            length = 3, high = 0x9F;
        else if (lead == 0xF0)
            length = 4, low = 0x90;
        else if (lead >= 0xF1 && lead <= 0xF3)
            length = 4;
        else if (lead == 0xF4)
            length = 4, high = 0x8F;
        else
            return pos;
        if (bytes.size() - pos < length)
            return pos;
        for (std::size_t i = 1; i < length; ++i)
        {
            const auto byte = static_cast<unsigned char>(bytes[pos + i]);
            if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF))
                return pos;
        }
        pos += length;
    }
    return kValidUtf8;
}

class StringSink : public ByteSink
{
  public:
    void Write(const char* bytes, std::size_t count) override { text.append(bytes, count); }
    std::string text;
};

std::string Run(const Command& command, std::string_view input)
{
    StringSink sink;
    RunFilter(command, input, sink);
    return sink.text;
}

std::u16string Utf16(std::string_view bytes)
{
    std::u16string text;
    std::size_t offset = 0;
    Check(DecodeUtf8(bytes, text, offset));
    return text;
}

std::string Utf8(std::u16string_view text)
{
    std::string bytes;
    AppendUtf8(text, bytes);
    return bytes;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to)
{
    std::string result;
    for (std::size_t pos = 0;;)
    {
        const std::size_t found = text.find(from, pos);
        result.append(text, pos, found - pos);
        if (found == std::string::npos)
            return result;
        result.append(to);
        pos = found + from.size();
    }
}

// Every line end as CR LF.
std::string AllLineEndsCrLf(std::string_view text)
{
    std::string result;
    for (std::size_t pos = 0; pos < text.size(); ++pos)
    {
        if (text[pos] == '\r' || text[pos] == '\n')
        {
            result.append("\r\n");
            pos += text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n';
        }
        else
            result.push_back(text[pos]);
    }
    return result;
}

std::string_view ChosenLineEnd(Output output, std::string_view text)
{
    if (output == Output::TextCrLf)
        return "\r\n";
    if (output == Output::TextLf)
        return "\n";
    const std::size_t first = text.find_first_of("\r\n");
    return first != std::string_view::npos && text.compare(first, 2, "\r\n") == 0 ? "\r\n" : "\n";
}

// Layout of an input: width (1 signed byte); levels and the text mode's line end (1 byte);
// sign length (1 byte); then the sign's and the text's bytes.
Command Options(const std::uint8_t* data, Output textOutput)
{
    Command command;
    command.width = static_cast<std::int8_t>(data[0]);
    command.levels = (data[1] >> 2) - 8; // -8 .. 55
    command.output = textOutput;
    return command;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const Output textOutputs[] = {Output::Text, Output::TextCrLf, Output::TextLf, Output::Text};
    Command command = Options(data, textOutputs[data[1] & 3]);
    const std::string_view rest(reinterpret_cast<const char*>(data) + 3, size - 3);
    command.sign = std::string(rest.substr(0, data[2] & 7));
    const std::string_view input = rest.substr(command.sign.size());

    const std::size_t invalid = FindInvalidUtf8(input);
    Check(invalid == FirstIllFormed(input));
    const bool signUsable = FindInvalidUtf8(command.sign) == kValidUtf8 &&
                            command.sign.find_first_of("\r\n") == std::string::npos;
    if (!signUsable)
        return 0;
    for (const Action action : {Action::Quote, Action::Unquote})
    {
        command.action = action;
        Command exact = command;
        exact.output = Output::Exact;
        if (invalid != kValidUtf8)
        {
            Run(command, input); // anything, but safely
            Run(exact, input);
            continue;
        }
        const bool bom = input.substr(0, kByteOrderMark.size()) == kByteOrderMark;
        const std::string_view text = bom ? input.substr(kByteOrderMark.size()) : input;
        const std::string prefix = bom ? std::string(kByteOrderMark) : std::string();
        const std::u16string sign = Utf16(command.sign);

        const TextBlock engine = action == Action::Quote
                                     ? QuoteText(Utf16(text), sign, command.width)
                                     : UnquoteText(Utf16(text), sign, command.levels);
        Check(Run(exact, input) == prefix + Utf8(engine));

        std::string expected;
        if (action == Action::Quote && !text.empty())
        {
            expected = Utf8(engine);
            expected.resize(expected.size() - command.sign.size()); // the sign after the last CR LF
            if (!IsLineEndUnit(text.back()))
                expected.resize(expected.size() - 2);
        }
        else if (action == Action::Unquote)
        {
            expected = Utf8(UnquoteText(Utf16(AllLineEndsCrLf(text)), sign, command.levels));
        }
        Check(Run(command, input) ==
              prefix + ReplaceAll(expected, "\r\n", ChosenLineEnd(command.output, text)));
    }
    return 0;
}
