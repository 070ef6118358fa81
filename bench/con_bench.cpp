// bench/con_bench.cpp — what one screen update costs on a terminal: the bytes sent and the
// time to compute them, for a change of every cell and for a change of one cell. The
// figures to compare with: a full 80 x 25 repaint over a 9600-baud serial line took about
// 2 s at roughly 10 bytes per cell; a one-cell change should cost a few dozen bytes.
#include <benchmark/benchmark.h>

#include "con/ansi_renderer.hpp"

namespace {

// Two screens that differ in every cell: box and shade characters, Polish letters and all
// 256 attributes, so each cell needs its own colour change.
con::Screen::Grid pattern(int seed) {
  con::Screen::Grid g{};
  static constexpr unsigned char kChars[] = {0xC9, 0xCD, 0xBB, 0xBA, 0xB0, 0xB1, 0xB2, 0xDB, 0xA5, 0xBE, 'a', 'Z'};
  for (std::size_t i = 0; i < g.size(); ++i)
    g[i] = con::Cell{kChars[(i + static_cast<std::size_t>(seed)) % sizeof kChars],
                     static_cast<con::Attr>((i * 7 + static_cast<std::size_t>(seed)) & 0xFF)};
  return g;
}

void BM_Render_FullScreenChange(benchmark::State& state) {
  con::AnsiRenderer renderer;
  const con::Screen::Grid a = pattern(0), b = pattern(1);
  const con::Cursor cursor{12, 40, con::CursorShape::Normal};
  renderer.render(a, cursor);
  std::size_t bytes = 0;
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    const std::string out = renderer.render(flip ? b : a, cursor);
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["bytes_per_update"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Render_FullScreenChange);

void BM_Render_OneCellChange(benchmark::State& state) {
  con::AnsiRenderer renderer;
  con::Screen::Grid g = pattern(0);
  const con::Cursor cursor{12, 40, con::CursorShape::Normal};
  renderer.render(g, cursor);
  std::size_t bytes = 0;
  for (auto _ : state) {
    g[12 * 80 + 40].ch = g[12 * 80 + 40].ch == 'x' ? 'y' : 'x';
    const std::string out = renderer.render(g, cursor);
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["bytes_per_update"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Render_OneCellChange);

}  // namespace

BENCHMARK_MAIN();
