// The demo generator at larger scales: zelmoran-tool mkdemo run as its own process into a
// temporary folder, the time measured from start to exit. Scale 100 writes about 100,000
// contractors, 50,000 goods and 1,000,000 sales-document lines; the counters give sales-
// document lines per second and seconds per million lines.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path scratch(int scale) {
  return std::filesystem::temp_directory_path() /
         ("zel_mkdemo_bench_" + std::to_string(::getpid()) + "_" + std::to_string(scale));
}

void BM_Mkdemo_Scale(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  const std::filesystem::path dir = scratch(scale);
  const std::string cmd = std::string(ZEL_TOOL) + " mkdemo '" + dir.string() + "' --scale " + std::to_string(scale) +
                          " --force >/dev/null 2>&1";
  for (auto _ : state) {
    if (std::system(cmd.c_str()) != 0) state.SkipWithError("mkdemo failed");
  }
  std::filesystem::remove_all(dir);
  const double lines = 10000.0 * scale * static_cast<double>(state.iterations());
  state.counters["lines/s"] = benchmark::Counter(lines, benchmark::Counter::kIsRate);
  state.counters["s/1M lines"] = benchmark::Counter(lines / 1e6, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Mkdemo_Scale)->Arg(1)->Arg(10)->Arg(100)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
