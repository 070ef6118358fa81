// bench/zmiana_bench.cpp — the goods-code conversion on the demo wholesaler's head office at a
// given scale (ZEL_BENCH_SCALE, default 100), turned back into an installation of the
// four-character era first: every five-character goods code that starts with "0" loses it
// and the configured picture becomes "9999". The demo is made once by `zelmoran-tool mkdemo`,
// the old installation once from it; both are kept in a temporary folder for later runs at
// the same scale, and each case works on a fresh copy of the old one. Each case runs once.
//   conversion: every table widened and logged, CONFIG changed; the index rebuild left out;
//   whole run:  the same followed by the rebuild of every index, as at start-up.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/headless_station.hpp"
#include "store/goods_code/goods_code.hpp"
#include "store/goods_code/zmiana.hpp"
#include "sys/posix_env.hpp"
#include "xbase/dbf_file.hpp"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

int scale() {
  const char* s = std::getenv("ZEL_BENCH_SCALE");
  return s != nullptr && std::atoi(s) > 0 ? std::atoi(s) : 100;
}

fs::path benchFolder() { return fs::temp_directory_path() / ("zel-zmiana-bench-" + std::to_string(scale())); }

// "0" + four characters back to the four: the codes as they were before the conversion.
std::uint32_t narrowCodes(sys::Env& env, const sys::Clock& clock, const std::string& path) {
  auto opened = xbase::DbfFile::open(env, clock, path, xbase::Share::Exclusive);
  if (!opened) throw std::runtime_error(path + ": " + opened.error().toString());
  xbase::DbfFile& t = **opened;
  const std::vector<std::size_t> fields = store::goodsCodeFields(t);
  std::uint32_t narrowed = 0;
  std::vector<std::byte> rec(t.recordLength());
  for (std::uint32_t r = 1; !fields.empty() && t.readRecord(r, rec); ++r) {
    bool changed = false;
    for (std::size_t f : fields) {
      const xbase::dbf::Field& d = t.fields()[f];
      std::byte* cell = rec.data() + d.offset;
      const bool fiveLong = d.length >= 5 && cell[0] == std::byte{'0'} && cell[4] != std::byte{' '} &&
                            (d.length == 5 || cell[5] == std::byte{' '});
      if (!fiveLong) continue;
      for (std::size_t i = 0; i < 4; ++i) cell[i] = cell[i + 1];
      cell[4] = std::byte{' '};
      changed = true;
    }
    if (!changed) continue;
    if (!t.writeRecord(r, rec)) throw std::runtime_error(path + ": write");
    ++narrowed;
  }
  if (const auto i = t.fieldIndex("FORMAT_IND"); i && t.recordCount() > 0) {
    t.readRecord(1, rec);
    if (!t.setValue(rec, *i, rt::Value::character("9999")) || !t.writeRecord(1, rec))
      throw std::runtime_error(path + ": FORMAT_IND");
  }
  t.close();
  return narrowed;
}

// The old installation, made once.
const fs::path& oldInstallation() {
  static const fs::path folder = [] {
    const fs::path demo = benchFolder() / "demo", old = benchFolder() / "old";
    if (fs::exists(old / "SPR_P.DBF") && fs::exists(old / "READY")) return old;
    if (!fs::exists(demo / "SPR_P.DBF")) {
      const std::string command = std::string(ZEL_TOOL) + " mkdemo '" + demo.string() + "' --scale " +
                                  std::to_string(scale()) + " --data '" + ZEL_SOURCE_DIR + "/data' --force >/dev/null 2>&1";
      if (std::system(command.c_str()) != 0) throw std::runtime_error("mkdemo failed: " + command);
    }
    fs::remove_all(old);
    fs::copy(demo, old, fs::copy_options::recursive);
    sys::PosixEnv env;
    sys::FixedClock clock{sys::CivilTime{2026, 12, 11, 1, 0, 0, 0}};
    for (const store::GoodsCodeTable& g : store::kGoodsCodeTables)
      if (fs::exists(old / (std::string(g.name) + ".DBF")))
        narrowCodes(env, clock, (old / (std::string(g.name) + ".DBF")).string());
    std::ofstream(old / "READY") << "narrowed\n";
    return old;
  }();
  return folder;
}

std::string freshCopy() {
  const fs::path work = benchFolder() / "work";
  fs::remove_all(work);
  fs::copy(oldInstallation(), work, fs::copy_options::recursive);
  return work.string();
}

std::uint64_t fileBytes(const std::string& folder, std::string_view table) {
  std::error_code ec;
  const auto size = fs::file_size(fs::path(folder) / (std::string(table) + ".DBF"), ec);
  return ec ? 0 : size;
}

void run(benchmark::State& state, bool withIndexes) {
  for (auto _ : state) {
    const std::string folder = freshCopy();
    core::HeadlessStation st(folder);
    st.loadConfiguration();
    if (!withIndexes) st.rt.functions().add("INDEX", [](rt::Runtime&, rt::Args&) { return rt::Value(); });
    const auto start = Clock::now();
    store::ZMIANA(st.tables);
    const double seconds = secondsSince(start);
    state.counters["seconds"] = seconds;
    state.counters["SPR_P_MB"] = static_cast<double>(fileBytes(folder, "SPR_P")) / 1e6;
  }
}

void BM_Zmiana_Conversion(benchmark::State& state) { run(state, false); }
BENCHMARK(BM_Zmiana_Conversion)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_Zmiana_WholeRun(benchmark::State& state) { run(state, true); }
BENCHMARK(BM_Zmiana_WholeRun)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
