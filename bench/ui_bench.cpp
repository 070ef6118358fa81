// bench/ui_bench.cpp — what the memo editor spends on one key in a long note: every change
// re-wraps the whole text at the window width. Measured on a 64 KB memo (the most a note
// field usefully holds) in a 76-column window. The figure to compare with: a key must be
// handled well within the keyboard's repeat interval, about 33 ms at 30 keys a second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "ui/memo/memo_text.hpp"

namespace {

// Paragraphs of words of 1..9 letters, about 600 characters each, CR LF between them and a
// soft line end every 70 characters or so, as an older editor left them.
std::string longMemo(std::size_t bytes) {
  std::string s;
  std::size_t sinceBreak = 0, inParagraph = 0;
  for (unsigned n = 1; s.size() < bytes; ++n) {
    s.append(1 + n % 9, static_cast<char>('a' + n % 26));
    s += ' ';
    sinceBreak += 2 + n % 9;
    inParagraph += 2 + n % 9;
    if (inParagraph > 600) {
      s += "\r\n";
      inParagraph = sinceBreak = 0;
    } else if (sinceBreak > 70) {
      s += "\x8D\n";
      sinceBreak = 0;
    }
  }
  return s;
}

void BM_Memo_ReadStoredText(benchmark::State& state) {
  const std::string memo = longMemo(64 * 1024);
  for (auto _ : state) benchmark::DoNotOptimize(ui::memoParagraphs(memo));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * memo.size()));
}
BENCHMARK(BM_Memo_ReadStoredText)->Unit(benchmark::kMicrosecond);

void BM_Memo_WrapPerKey(benchmark::State& state) {
  const std::vector<std::string> paragraphs = ui::memoParagraphs(longMemo(64 * 1024));
  for (auto _ : state) benchmark::DoNotOptimize(ui::wrapParagraphs(paragraphs, 76));
  state.counters["s_per_key"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                   benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Memo_WrapPerKey)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
