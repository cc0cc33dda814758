// libFuzzer target for the quoting engine. Besides crashes and sanitizer reports it checks:
// quoting and unquoting agree with the plain cluster-by-cluster and pass-by-pass references;
// every quoted line is the sign plus at most the width in columns; and quoting then unquoting
// one level with the same sign gives the quoting with no sign.

#include "engine/quote_text.h"
#include "engine/unquote_text.h"
#include "tests/engine/quote_reference.h"
#include "tests/engine/unquote_reference.h"

#include <algorithm>
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

int Columns(std::u16string_view text)
{
    int columns = 0;
    for (const test::Unit& cluster : test::ClustersOf(text))
        columns += cluster.columns;
    return columns;
}

void CheckQuotedLines(std::u16string_view quoted, std::u16string_view sign, int width)
{
    std::size_t pos = 0;
    for (std::size_t end; (end = quoted.find(u"\r\n", pos)) != std::u16string_view::npos;
         pos = end + 2)
    {
        const std::u16string_view line = quoted.substr(pos, end - pos);
        Check(line.substr(0, sign.size()) == sign);
        Check(Columns(line.substr(sign.size())) <= std::max(width, kMinWrapWidth));
    }
    Check(quoted.substr(pos) == sign);
}

// Layout of an input: width (1 signed byte), sign length and levels (1 byte), then the sign's
// and the text's UTF-16 units, two bytes each.
struct FuzzInput
{
    int width;
    int levels;
    std::u16string sign;
    std::u16string text;
};

FuzzInput Split(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input{60, 1, u"> ", u""};
    if (size < 2)
        return input;
    input.width = static_cast<std::int8_t>(data[0]);
    const std::size_t signUnits = data[1] & 0x07;
    input.levels = (data[1] >> 3) - 4; // -4 .. 27
    std::u16string units;
    for (std::size_t pos = 2; pos + 1 < size; pos += 2)
        units.push_back(static_cast<char16_t>(data[pos] | (data[pos + 1] << 8)));
    input.sign = units.substr(0, std::min(signUnits, units.size()));
    input.text = units.substr(input.sign.size());
    return input;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput input = Split(data, size);
    const TextBlock quoted = QuoteText(input.text, input.sign, input.width);
    Check(quoted == test::QuoteByClusters(input.text, input.sign, input.width));
    const TextBlock unquoted = UnquoteText(input.text, input.sign, input.levels);
    Check(unquoted == test::UnquoteByPasses(input.text, input.sign, input.levels));

    // Line-by-line properties hold for signs that are themselves one line.
    if (input.sign.find_first_of(u"\r\n") != std::u16string::npos)
        return 0;
    CheckQuotedLines(quoted, input.sign, input.width);
    if (!input.sign.empty())
        Check(UnquoteText(quoted, input.sign, 1) == QuoteText(input.text, u"", input.width));
    return 0;
}
