#pragma once
// Deterministic e-mail-like text for the engine benchmarks.

#include <cstddef>
#include <string>

namespace tessel::bench
{

enum class Corpus
{
    AsciiProse, // English-like words, lines from short to paragraph-long
    Mixed,      // accented Latin, Cyrillic, CJK and emoji among ASCII
};

// At least minUnits UTF-16 units of text with CR LF line ends.
std::u16string MakeText(Corpus corpus, std::size_t minUnits);

} // namespace tessel::bench
