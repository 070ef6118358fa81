// bench/browse_bench.cpp — the table browser over a 1,000,000-record goods table with a
// 20-character index (INDEKS): the time to handle a key and redraw the view after PgDn,
// after an F3 seek and after an incremental-search key. The view reads only the rows it
// shows, so none of these may depend on the table size. Drawing goes to the headless
// device, so the figure is the engine's own work.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "con/console.hpp"
#include "con/headless.hpp"
#include "con/key_codes.hpp"
#include "db/bulk_index.hpp"
#include "db/db_functions.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "rt/runtime.hpp"
#include "store/tables.hpp"
#include "sys/path.hpp"
#include "sys/posix_env.hpp"
#include "ui/browse/classedit.hpp"
#include "ui/context.hpp"
#include "ui/register.hpp"

namespace {

constexpr std::uint32_t kRecords = 1'000'000;

std::string indeksOf(std::uint32_t n) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%c%c%07u-TOWAR-%03u", 'A' + static_cast<char>(n % 26), 'A' + static_cast<char>((n / 26) % 26),
                static_cast<unsigned>(n), static_cast<unsigned>(n % 997));
  return buf;
}

struct Bench {
  std::filesystem::path dir;
  sys::PosixEnv env;
  con::HeadlessDevice device;
  con::Console con{device, device.clock()};
  rt::Runtime rt;
  sys::PathResolver paths;
  db::Workspace ws{env, device.clock(), rt};
  ui::Context ctx{rt, con, paths};
  store::Tables tables{rt, con, paths, ws};
  std::shared_ptr<ui::browse::Engine> engine;

  Bench()
      : dir(std::filesystem::temp_directory_path() / ("zel-browse-bench-" + std::to_string(::getpid()))),
        paths(env, (std::filesystem::create_directories(dir), dir.string() + "/")) {
    ctx.workspace = &ws;
    ctx.tables = &tables;
    db::registerDatabaseFunctions(rt.functions(), ws);
    ui::registerScreen(rt.functions(), ctx);
    makeEdit();
    makeGoods();
    ui::browse::Options o;
    o.screenKey = "TOW";
    o.table = {1, 0, 22, 79};
    engine = ui::browse::CLASSEDIT(ctx, *ws.current(), o);
    engine->press(0);
  }
  ~Bench() {
    engine.reset();
    ws.closeAll();
    std::filesystem::remove_all(dir);
  }
  static Bench& get() {
    static Bench b;
    return b;
  }
  std::string path(const char* name) const { return (dir / name).string(); }

  void makeEdit() {
    auto t = xbase::DbfFile::create(env, device.clock(), path("EDIT.DBF"),
                                    {{"BAZA", 'C', 10}, {"NAG1", 'C', 30}, {"POLE", 'C', 40}, {"FORMAT", 'C', 20}});
    const char* rows[][3] = {{"Indeks", "INDEKS", ""}, {"Nazwa", "NAZWA", ""}, {"Ilość", "ILOSC", "@E 999999.99"},
                             {"Cena", "CENA", "@E 99999.99"}};
    for (const auto& r : rows) {
      auto rec = (*t)->blankRecord();
      (void)(*t)->setValue(rec, 0, rt::Value::character("TOW"));
      (void)(*t)->setValue(rec, 1, rt::Value::character(r[0]));
      (void)(*t)->setValue(rec, 2, rt::Value::character(r[1]));
      (void)(*t)->setValue(rec, 3, rt::Value::character(r[2]));
      (void)(*t)->appendRecord(rec);
    }
    (*t)->close();
  }

  void makeGoods() {
    auto t = xbase::DbfFile::create(env, device.clock(), path("TOW.DBF"),
                                    {{"INDEKS", 'C', 20}, {"NAZWA", 'C', 30}, {"ILOSC", 'N', 10, 2}, {"CENA", 'N', 10, 2}});
    std::mt19937 rng(11);
    auto rec = (*t)->blankRecord();
    for (std::uint32_t n = 0; n < kRecords; ++n) {
      (void)(*t)->setValue(rec, 0, rt::Value::character(indeksOf(rng() % kRecords)));
      (void)(*t)->setValue(rec, 1, rt::Value::character("Towar przykładowy"));
      (void)(*t)->setValue(rec, 2, rt::Value::number((rng() % 100000) / 100.0, 10, 2));
      (void)(*t)->setValue(rec, 3, rt::Value::number((rng() % 100000) / 100.0, 10, 2));
      (void)(*t)->appendRecord(rec);
    }
    (*t)->close();
    db::WorkArea& a = **ws.use(path("TOW.DBF"), {"TOW", xbase::Share::Exclusive, true});
    (void)db::indexOn(a, path("TOWI.NTX"), {"INDEKS"});
    a.setOrder(1);
    a.goTop();
  }
};

void report(benchmark::State& state, std::chrono::steady_clock::duration spent, std::size_t keys) {
  state.counters["ms_per_redraw"] = std::chrono::duration<double, std::milli>(spent).count() / static_cast<double>(keys);
}

// Target: under 5 ms a key.
void BM_Browse_RedrawAfterPgDn(benchmark::State& state) {
  Bench& b = Bench::get();
  std::size_t keys = 0;
  std::chrono::steady_clock::duration spent{};
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    b.engine->press(con::key::kPgDn);
    spent += std::chrono::steady_clock::now() - start;
    ++keys;
  }
  report(state, spent, keys);
}
BENCHMARK(BM_Browse_RedrawAfterPgDn)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// Target: under 5 ms a search (the prompt is answered from the type-ahead buffer).
void BM_Browse_RedrawAfterF3Seek(benchmark::State& state) {
  Bench& b = Bench::get();
  std::mt19937 rng(5);
  std::size_t keys = 0;
  std::chrono::steady_clock::duration spent{};
  for (auto _ : state) {
    b.con.stuff(indeksOf(rng() % kRecords).substr(0, 4));
    b.con.pushKey(con::key::kEnter);
    const auto start = std::chrono::steady_clock::now();
    b.engine->press(con::key::function(3));
    b.con.clearTypeAhead();
    spent += std::chrono::steady_clock::now() - start;
    ++keys;
  }
  report(state, spent, keys);
}
BENCHMARK(BM_Browse_RedrawAfterF3Seek)->Iterations(2000)->Unit(benchmark::kMicrosecond);

// Target: under 5 ms a key. Each round forgets the prefix (F6) first, outside the timing.
void BM_Browse_RedrawAfterIncrementalKey(benchmark::State& state) {
  Bench& b = Bench::get();
  std::mt19937 rng(9);
  std::size_t keys = 0;
  std::chrono::steady_clock::duration spent{};
  for (auto _ : state) {
    b.engine->press(con::key::function(6));
    const int letter = 'A' + static_cast<int>(rng() % 26);
    const auto start = std::chrono::steady_clock::now();
    b.engine->press(letter);
    spent += std::chrono::steady_clock::now() - start;
    ++keys;
  }
  report(state, spent, keys);
}
BENCHMARK(BM_Browse_RedrawAfterIncrementalKey)->Iterations(2000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
