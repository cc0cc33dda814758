// Writes ASCII prose with CR LF line ends, the engine benchmark's own text, to standard output:
// the input on which scripts/bench times the filter.
// Usage: write_prose BYTES

#include "bench/text_corpus.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        std::fputs("usage: write_prose BYTES\n", stderr);
        return 2;
    }
    const std::size_t bytes = std::strtoull(argv[1], nullptr, 10);
    const std::u16string text = tessel::bench::MakeText(tessel::bench::Corpus::AsciiProse, bytes);
    const std::string ascii(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(bytes));
    return std::fwrite(ascii.data(), 1, ascii.size(), stdout) == ascii.size() &&
                   std::fflush(stdout) == 0
               ? 0
               : 1;
}
