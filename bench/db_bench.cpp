// bench/db_bench.cpp — the work-area layer on a 1,000,000-record table shaped like the order
// register (KONTO C5, DATA_ZAM D, NR_ZAM C4, TYP C1, INDEKS C20, NAZWA_TOW C30, ILO_ZAM N10.3).
// Each case runs once and reports its time in seconds and the process's peak memory in MiB
// (which must not grow with the table: index builds sort in a fixed buffer).
// The cases run in order on one table built by the first.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "rt/runtime.hpp"
#include "sys/clock.hpp"
#include "sys/posix_env.hpp"

namespace {

constexpr std::uint32_t kRecords = 1'000'000;

double peakMiB() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
  return 0;
}

struct Bench {
  sys::PosixEnv env;
  sys::FixedClock clock{sys::CivilTime{2026, 3, 14, 12, 0, 0, 0}};
  rt::Runtime rt;
  db::Workspace ws{env, clock, rt};
  std::filesystem::path dir;
  db::WorkArea* area = nullptr;
  std::vector<std::string> someKeys;  // composite keys of existing records, for seeks

  Bench() {
    dir = std::filesystem::temp_directory_path() / ("zel-db-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
  }
  ~Bench() {
    ws.closeAll();
    std::filesystem::remove_all(dir);
  }
  static Bench& get() {
    static Bench b;
    return b;
  }
  std::string path(const char* name) const { return (dir / name).string(); }
};

void report(benchmark::State& state, std::chrono::steady_clock::time_point start) {
  state.counters["seconds"] = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  state.counters["peak_MiB"] = peakMiB();
}

// Reference: 1.2 s.
void BM_Db_Append1M(benchmark::State& state) {
  Bench& b = Bench::get();
  for (auto _ : state) {
    auto t = xbase::DbfFile::create(b.env, b.clock, b.path("ZAM.DBF"),
                                    {{"KONTO", 'C', 5}, {"DATA_ZAM", 'D'}, {"NR_ZAM", 'C', 4}, {"TYP", 'C', 1},
                                     {"INDEKS", 'C', 20}, {"NAZWA_TOW", 'C', 30}, {"ILO_ZAM", 'N', 10, 3}});
    (*t)->close();
    b.area = *b.ws.use(b.path("ZAM.DBF"), {"ZAM", xbase::Share::Exclusive, true});
    std::mt19937 rng(42);
    const auto start = std::chrono::steady_clock::now();
    char buf[32];
    for (std::uint32_t r = 1; r <= kRecords; ++r) {
      (void)b.area->appendBlank();
      std::snprintf(buf, sizeof buf, "%05u", static_cast<unsigned>(rng() % 5000));
      const std::string konto = buf;
      const rt::Date date(2450000 + static_cast<std::int32_t>(rng() % 5000));
      std::snprintf(buf, sizeof buf, "%04u", static_cast<unsigned>(rng() % 10000));
      const std::string nr = buf;
      const std::string typ = r % 5 == 0 ? "N" : "P";
      std::snprintf(buf, sizeof buf, "IDX-%08u-%06u", static_cast<unsigned>(rng() % 100000000), r % 999999);
      const std::string indeks = buf;
      (void)b.area->replace(0, rt::Value::character(konto));
      (void)b.area->replace(1, rt::Value::date(date));
      (void)b.area->replace(2, rt::Value::character(nr));
      (void)b.area->replace(3, rt::Value::character(typ));
      (void)b.area->replace(4, rt::Value::character(indeks));
      (void)b.area->replace(5, rt::Value::character("Towar przykładowy"));
      (void)b.area->replace(6, rt::Value::number((rng() % 100000) / 1000.0, 6, 3));
      if (r % 997 == 0) b.someKeys.push_back(konto + date.dtos() + nr + typ + indeks);
    }
    b.area->commit();
    report(state, start);
  }
}
BENCHMARK(BM_Db_Append1M)->Iterations(1)->Unit(benchmark::kMillisecond);

// Reference: 0.19 s.
void BM_Db_IndexOnIndeks(benchmark::State& state) {
  Bench& b = Bench::get();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    (void)db::indexOn(*b.area, b.path("ZAMIND.NTX"), {"INDEKS"});
    report(state, start);
  }
}
BENCHMARK(BM_Db_IndexOnIndeks)->Iterations(1)->Unit(benchmark::kMillisecond);

// Reference: 0.43 s.
void BM_Db_IndexOnCompositeKey(benchmark::State& state) {
  Bench& b = Bench::get();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    (void)db::indexOn(*b.area, b.path("ZAMKEY.NTX"), {"KONTO+dtos(DATA_ZAM)+NR_ZAM+TYP+INDEKS"});
    report(state, start);
  }
}
BENCHMARK(BM_Db_IndexOnCompositeKey)->Iterations(1)->Unit(benchmark::kMillisecond);

// Reference: 1.0 s for 1M seeks.
void BM_Db_SeekRandom1M(benchmark::State& state) {
  Bench& b = Bench::get();
  for (auto _ : state) {
    std::mt19937 rng(7);
    std::vector<rt::Value> keys;
    for (const std::string& k : b.someKeys) keys.push_back(rt::Value::character(k));
    std::size_t found = 0;
    const auto start = std::chrono::steady_clock::now();
    for (std::uint32_t i = 0; i < kRecords; ++i) found += b.area->seek(keys[rng() % keys.size()], db::SeekMode::Exact);
    report(state, start);
    state.counters["found"] = static_cast<double>(found);
  }
}
BENCHMARK(BM_Db_SeekRandom1M)->Iterations(1)->Unit(benchmark::kMillisecond);

// Reference: 0.6 s.
void BM_Db_SkipIndexOrder1M(benchmark::State& state) {
  Bench& b = Bench::get();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    std::size_t n = 0;
    for (b.area->goTop(); !b.area->eof(); b.area->skip()) ++n;
    report(state, start);
    state.counters["records"] = static_cast<double>(n);
  }
}
BENCHMARK(BM_Db_SkipIndexOrder1M)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
