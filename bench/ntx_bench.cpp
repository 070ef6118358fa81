// bench/ntx_bench.cpp — the index engine on 1,000,000 keys shaped like the order register:
// building an index from all keys, random seeks, and a walk in index order. Figures are
// seconds per million keys (s_per_1M) and the process's peak resident memory (peak_MiB);
// the build's memory must not grow with the number of keys.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstring>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

#include "sys/posix_env.hpp"
#include "xbase/ntx_build.hpp"
#include "xbase/ntx_file.hpp"
#include "xbase/ntx_key.hpp"

namespace {

constexpr std::uint32_t kRecords = 1000000;

// One order-register record's key fields, made on the fly from its record number so that
// no table has to sit in memory next to the build.
struct OrderRow {
  std::string konto, dataZam, nrZam, typ, indeks;
};

// splitmix64: a cheap, well-mixed stream of numbers from a seed.
struct Mix {
  std::uint64_t s;
  std::uint64_t operator()() {
    std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
};

OrderRow row(std::uint32_t recno) {
  Mix rng{recno};
  OrderRow r;
  Mix orng{0x5EED0000ull + recno / 5};  // a header and four lines per order
  char buf[32];
  std::snprintf(buf, sizeof buf, "%05u", static_cast<unsigned>(orng() % 2000));
  r.konto = buf;
  std::snprintf(buf, sizeof buf, "20%02u%02u%02u", static_cast<unsigned>(15 + orng() % 10),
                static_cast<unsigned>(1 + orng() % 12), static_cast<unsigned>(1 + orng() % 28));
  r.dataZam = buf;
  std::snprintf(buf, sizeof buf, "%04u", static_cast<unsigned>(orng() % 9999 + 1));
  r.nrZam = buf;
  r.typ = recno % 5 == 0 ? "N" : "P";
  std::snprintf(buf, sizeof buf, "TOW-%06u", static_cast<unsigned>(rng() % 20000));
  r.indeks = xbase::characterKey(r.typ == "N" ? "" : buf, 20);
  return r;
}

std::string indeksKey(std::uint32_t recno) { return row(recno).indeks; }
std::string compositeKey(std::uint32_t recno) {
  const OrderRow r = row(recno);
  return r.konto + r.dataZam + r.nrZam + r.typ + r.indeks;
}

double peakMiB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_maxrss) / 1024.0;
}

std::string folder() {
  static const std::string dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("zel-ntx-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d.string();
  }();
  return dir;
}

// All keys of one index, made before the clock starts: the figure is the engine's, not
// the key maker's.
std::vector<char> makeKeys(std::uint16_t size, std::string (*key)(std::uint32_t)) {
  std::vector<char> keys(static_cast<std::size_t>(kRecords) * size);
  for (std::uint32_t r = 1; r <= kRecords; ++r) key(r).copy(keys.data() + static_cast<std::size_t>(r - 1) * size, size);
  return keys;
}

std::size_t residentKiB(const char* field) {
  std::FILE* f = std::fopen("/proc/self/status", "r");
  char line[256];
  std::size_t kib = 0;
  while (f != nullptr && std::fgets(line, sizeof line, f) != nullptr)
    if (std::strncmp(line, field, std::strlen(field)) == 0) kib = std::strtoull(line + std::strlen(field), nullptr, 10);
  if (f != nullptr) std::fclose(f);
  return kib;
}

// The memory a build adds on top of what the process holds before it: the peak is reset
// (clear_refs 5), and the new peak is compared with the resident size at the start.
struct BuildMemory {
  std::size_t before;
  BuildMemory() {
    if (std::FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
      std::fputs("5", f);
      std::fclose(f);
    }
    before = residentKiB("VmRSS:");
  }
  double addedMiB() const { return static_cast<double>(residentKiB("VmHWM:") - before) / 1024.0; }
};

void build(const std::string& name, std::uint16_t size, const std::vector<char>& keys) {
  sys::PosixEnv env;
  xbase::NtxBuilder b(env, folder() + "/" + name, xbase::NtxDefinition{"K", "", size, 0, false, false});
  for (std::uint32_t r = 1; r <= kRecords; ++r)
    if (!b.add(std::string_view(keys.data() + static_cast<std::size_t>(r - 1) * size, size), r)) std::abort();
  if (!b.finish()) std::abort();
}

struct Clocks {
  double real = 0, cpu = 0;
  template <typename F>
  void time(F f) {
    const auto t0 = std::chrono::steady_clock::now();
    const std::clock_t c0 = std::clock();
    f();
    cpu += static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    real += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
};

// s_per_1M: wall-clock seconds per million keys; cpu_s_per_1M: this process's processor
// time, which other programs on the machine do not inflate.
void report(benchmark::State& state, const Clocks& c) {
  state.counters["s_per_1M"] = c.real / static_cast<double>(state.iterations());
  state.counters["cpu_s_per_1M"] = c.cpu / static_cast<double>(state.iterations());
  state.counters["peak_MiB"] = peakMiB();
}

void buildCase(benchmark::State& state, const char* name, std::uint16_t size, std::string (*key)(std::uint32_t)) {
  const std::vector<char> keys = makeKeys(size, key);
  Clocks c;
  double added = 0;
  for (auto _ : state) {
    BuildMemory mem;
    c.time([&] { build(name, size, keys); });
    added = std::max(added, mem.addedMiB());
  }
  report(state, c);
  state.counters["build_MiB"] = added;
}

// Reference: 0.19 s per 1M keys (INDEKS, C20), within about 12 MiB.
void BM_Ntx_BuildIndeks(benchmark::State& state) { buildCase(state, "INDEKS.NTX", 20, indeksKey); }
BENCHMARK(BM_Ntx_BuildIndeks)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

// Reference: 0.43 s per 1M keys (KONTO+dtos(DATA_ZAM)+NR_ZAM+TYP+INDEKS, C38).
void BM_Ntx_BuildCompositeKey(benchmark::State& state) { buildCase(state, "KLUCZ.NTX", 38, compositeKey); }
BENCHMARK(BM_Ntx_BuildCompositeKey)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

std::unique_ptr<xbase::NtxFile> openIndeks(sys::Env& env) {
  if (!env.exists(folder() + "/INDEKS.NTX")) build("INDEKS.NTX", 20, makeKeys(20, indeksKey));
  return xbase::NtxFile::open(env, folder() + "/INDEKS.NTX", sys::Access::ReadOnly, xbase::NtxUse::Exclusive).value();
}

// Reference: 1.0 s for 1M random seeks on the INDEKS index.
void BM_Ntx_SeekRandom(benchmark::State& state) {
  sys::PosixEnv env;
  auto f = openIndeks(env);
  std::vector<std::string> probes;
  std::mt19937 rng(11);
  for (int i = 0; i < 1000; ++i) probes.push_back(indeksKey(1 + rng() % kRecords));
  Clocks s;
  for (auto _ : state) {
    s.time([&] {
      xbase::NtxCursor c;
      for (std::uint32_t i = 0; i < kRecords; ++i) {
        // A different probe key each time: a cycle of 1000 keys cut at varying lengths.
        const std::string& p = probes[(i * 7919u) % probes.size()];
        benchmark::DoNotOptimize(f->seek(c, std::string_view(p).substr(0, 8 + i % 13)));
      }
    });
  }
  report(state, s);
}
BENCHMARK(BM_Ntx_SeekRandom)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Reference: 0.6 s to skip through 1M records in index order.
void BM_Ntx_SkipAll(benchmark::State& state) {
  sys::PosixEnv env;
  auto f = openIndeks(env);
  Clocks s;
  for (auto _ : state) {
    s.time([&] {
      xbase::NtxCursor c;
      std::uint32_t n = 0;
      for (bool on = f->top(c); on; on = f->next(c)) ++n;
      if (n != kRecords) std::abort();
    });
  }
  report(state, s);
}
BENCHMARK(BM_Ntx_SkipAll)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(folder());
  return 0;
}
