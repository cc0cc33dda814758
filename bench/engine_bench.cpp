// Engine throughput on 8 Mi characters of generated text (16 MiB of UTF-16), against a memcpy
// of QuoteText's output size measured in the same run. scripts/bench prints the ratios.

#include "bench/text_corpus.h"
#include "engine/quote_text.h"
#include "engine/unquote_text.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace tessel::bench
{
namespace
{

constexpr std::size_t kTextUnits = 8u << 20; // 8 Mi characters, 16 MiB of UTF-16
constexpr int kWidth = 60;

const std::u16string& Text(Corpus corpus)
{
    static const std::u16string ascii = MakeText(Corpus::AsciiProse, kTextUnits);
    static const std::u16string mixed = MakeText(Corpus::Mixed, kTextUnits);
    return corpus == Corpus::AsciiProse ? ascii : mixed;
}

const TextBlock& Quoted(Corpus corpus)
{
    static const TextBlock ascii = QuoteText(Text(Corpus::AsciiProse), u"> ", kWidth);
    static const TextBlock mixed = QuoteText(Text(Corpus::Mixed), u"> ", kWidth);
    return corpus == Corpus::AsciiProse ? ascii : mixed;
}

std::int64_t Bytes(std::u16string_view text)
{
    return static_cast<std::int64_t>(text.size() * sizeof(char16_t));
}

// The floor: copying as many bytes as QuoteText writes.
void BM_MemcpyOfQuotedSize(benchmark::State& state, Corpus corpus)
{
    const TextBlock& source = Quoted(corpus);
    std::vector<char16_t> target(source.size());
    for (auto _ : state)
    {
        std::memcpy(target.data(), source.data(), source.size() * sizeof(char16_t));
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * Bytes(source));
}

void BM_QuoteText(benchmark::State& state, Corpus corpus)
{
    const std::u16string& text = Text(corpus);
    for (auto _ : state)
        benchmark::DoNotOptimize(QuoteText(text, u"> ", kWidth));
    state.SetBytesProcessed(state.iterations() * Bytes(text));
}

void BM_UnquoteText(benchmark::State& state, Corpus corpus)
{
    const TextBlock& quoted = Quoted(corpus);
    for (auto _ : state)
        benchmark::DoNotOptimize(UnquoteText(quoted, u"> ", 1));
    state.SetBytesProcessed(state.iterations() * Bytes(quoted));
}

void BM_UnquoteTextMaxLevels(benchmark::State& state, Corpus corpus)
{
    const TextBlock& quoted = Quoted(corpus);
    for (auto _ : state)
        benchmark::DoNotOptimize(UnquoteText(quoted, u"> ", 2147483647));
    state.SetBytesProcessed(state.iterations() * Bytes(quoted));
}

BENCHMARK_CAPTURE(BM_MemcpyOfQuotedSize, ascii, Corpus::AsciiProse)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QuoteText, ascii, Corpus::AsciiProse)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UnquoteText, ascii, Corpus::AsciiProse)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UnquoteTextMaxLevels, ascii, Corpus::AsciiProse)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_MemcpyOfQuotedSize, mixed, Corpus::Mixed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QuoteText, mixed, Corpus::Mixed)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_UnquoteText, mixed, Corpus::Mixed)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tessel::bench

BENCHMARK_MAIN();
