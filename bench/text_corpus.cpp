#include "bench/text_corpus.h"

#include <iterator>
#include <random>

namespace tessel::bench
{
namespace
{

const char16_t* const kAsciiWords[] = {
    u"the",     u"quick", u"brown",   u"fox",      u"jumps",  u"over",     u"lazy",   u"dog",
    u"mail",    u"reply", u"meeting", u"Tuesday",  u"thanks", u"project",  u"a",      u"of",
    u"to",      u"and",   u"in",      u"schedule", u"please", u"review",   u"draft",  u"budget",
    u"regards", u"I",     u"we",      u"would",    u"like",   u"attached", u"report", u"figures",
};

const char16_t* const kMixedWords[] = {
    u"café", u"naïve", u"Straße", u"garçon",     u"привет", u"письмо",   u"встреча",
    u"会議", u"漢字",  u"東京都", u"ありがとう", u"😀",      u"👍🏽", u"🎉",
    u"the",  u"mail",  u"reply",  u"and",        u"été",    u"Ελληνικά", u"한국어",
};

template <std::size_t N>
std::u16string Build(const char16_t* const (&words)[N], std::size_t minUnits)
{
    std::mt19937 random(42);
    std::uniform_int_distribution<std::size_t> pickWord(0, N - 1);
    // Mostly lines of ordinary length, some long unwrapped paragraphs, a few empty lines.
    std::discrete_distribution<int> lineKind({60, 30, 10});
    std::uniform_int_distribution<int> shortLine(3, 14), longLine(20, 120);
    std::u16string text;
    text.reserve(minUnits + 1024);
    while (text.size() < minUnits)
    {
        const int kind = lineKind(random);
        const int wordCount = kind == 0 ? shortLine(random) : kind == 1 ? longLine(random) : 0;
        for (int i = 0; i < wordCount; ++i)
        {
            if (i > 0)
                text += u' ';
            text += words[pickWord(random)];
        }
        text += u"\r\n";
    }
    return text;
}

} // namespace

std::u16string MakeText(Corpus corpus, std::size_t minUnits)
{
    return corpus == Corpus::AsciiProse ? Build(kAsciiWords, minUnits)
                                        : Build(kMixedWords, minUnits);
}

} // namespace tessel::bench
