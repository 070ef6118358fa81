// bench/print_bench.cpp — WYDRUK's list of 100,000 contractors (four columns, Polish names)
// written to a ".prn" file with 66-line pages, and that file (about 1,800 pages) made into
// a PDF document. Targets: the list under 1 s; the PDF under 3 s and under 50 MB. The PDF is
// made in a child process so that its peak memory (maximum resident set) is its own.
//   print_bench --sample FILE.prn   writes the first 150 rows as a sample printout instead
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <span>
#include <string>

#include "con/console.hpp"
#include "con/headless.hpp"
#include "db/db_functions.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "print/page/text_to_pdf.hpp"
#include "print/wydruk.hpp"
#include "rt/codepage.hpp"
#include "store/tables.hpp"
#include "sys/path.hpp"
#include "sys/posix_env.hpp"
#include "ui/context.hpp"
#include "ui/register.hpp"
#include "xbase/dbf_file.hpp"

namespace {

constexpr int kRows = 100'000;

void table(sys::Env& env, const sys::Clock& clock, const std::string& path, const std::vector<xbase::dbf::FieldSpec>& f,
           int rows, const std::function<std::vector<rt::Value>(int)>& row) {
  auto t = xbase::DbfFile::create(env, clock, path, f);
  for (int i = 0; i < rows; ++i) {
    auto rec = (*t)->blankRecord();
    const std::vector<rt::Value> values = row(i);
    for (std::size_t k = 0; k < values.size(); ++k) (void)(*t)->setValue(rec, k, values[k]);
    (void)(*t)->appendRecord(rec);
  }
  (*t)->close();
}

struct Station {
  std::filesystem::path dir;
  sys::PosixEnv env;
  con::HeadlessDevice device;
  con::Console con{device, device.clock()};
  rt::Runtime rt;
  sys::PathResolver paths;
  db::Workspace ws{env, device.clock(), rt};
  store::Tables tables{rt, con, paths, ws};
  ui::Context ctx{rt, con, paths};

  explicit Station(int rows)
      : dir(std::filesystem::temp_directory_path() / ("zel-print-bench-" + std::to_string(::getpid()))),
        paths(env, (std::filesystem::create_directories(dir), dir.string() + "/")) {
    ctx.workspace = &ws;
    ctx.tables = &tables;
    ctx.setPublic("_UDOCEZAK", rt::Value::logical(true));
    rt.setNow([] { return rt::LocalTime{rt::Date::fromYmd(2016, 3, 15), 10, 30, 0, 0}; });
    db::registerDatabaseFunctions(rt.functions(), ws);
    ui::registerScreen(rt.functions(), ctx);
    const char* const columns[][4] = {{"Numer", "NR_KON", "", "1"},
                                      {"Nazwa kontrahenta", "NAZWA", "", "2"},
                                      {"Miasto", "MIASTO", "", "3"},
                                      {"Ulica", "ULICA", "", "0"},
                                      {"Saldo", "SALDO", "@Z 9,999,999.99", "5"}};
    table(env, device.clock(), (dir / "EDIT.DBF").string(),
          {{"BAZA", 'C', 10}, {"NAG1", 'C', 40}, {"POLE", 'C', 100}, {"FORMAT", 'C', 40}, {"V1", 'N', 3}}, 5,
          [&](int i) {
            return std::vector<rt::Value>{rt::Value::character("KON"), rt::Value::character(columns[i][0]),
                                          rt::Value::character(columns[i][1]), rt::Value::character(columns[i][2]),
                                          rt::Value::number(std::atoi(columns[i][3]), 3, 0)};
          });
    const char* const towns[] = {"Łódź", "Kraków", "Gdańsk", "Poznań", "Białystok", "Zielona Góra", "Wrocław"};
    const char* const names[] = {"Zakład Usług Ślusarskich", "Hurtownia Spożywcza Żak", "Przedsiębiorstwo Łączności",
                                 "Piekarnia Źródełko", "Sklep Ogólnospożywczy Ćma"};
    table(env, device.clock(), (dir / "KON.DBF").string(),
          {{"NR_KON", 'C', 5}, {"NAZWA", 'C', 34}, {"MIASTO", 'C', 20}, {"ULICA", 'C', 30}, {"SALDO", 'N', 12, 2}}, rows,
          [&](int i) {
            char nr[16];
            std::snprintf(nr, sizeof nr, "%05d", i + 1);
            return std::vector<rt::Value>{
                rt::Value::character(nr),
                rt::Value::character(rt::cp852FromUtf8(std::string(names[i % 5]) + " nr " + std::to_string(i + 1))),
                rt::Value::character(rt::cp852FromUtf8(towns[i % 7])),
                rt::Value::character(rt::cp852FromUtf8("ul. Żeromskiego " + std::to_string(i % 200 + 1))),
                rt::Value::number((i % 100000) * 3.25, 12, 2)};
          });
    ws.select(1);
    (void)ws.use((dir / "KON.DBF").string());
  }
  ~Station() {
    ws.closeAll();
    std::filesystem::remove_all(dir);
  }

  // The list into `file`; the number of bytes written.
  std::uint64_t printTo(const std::string& file, bool forPageLibrary = false) {
    auto out = env.open(file, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
    std::uint64_t at = 0;
    print::PageSetup setup;
    setup.pageLength = 66;
    setup.codePage = print::codePageTable("LAT", forPageLibrary ? "WIN" : "LAT");
    if (forPageLibrary) setup.dialect = print::Dialect::PageLibrary;
    print::Printer p(setup, [&](std::string_view bytes) {
      base::Status st = (*out)->writeAt(at, std::as_bytes(std::span(bytes.data(), bytes.size())));
      at += bytes.size();
      return st;
    });
    print::printList(ctx, {"KON", "V1", 2, rt::cp852FromUtf8("SŁOWNIK KONTRAHENTÓW"), {}, {}, {}}, p);
    (void)p.finish();
    pages = p.page();
    return at;
  }
  int pages = 0;
};

void BM_ListToPrn(benchmark::State& state) {
  Station s(kRows);
  const std::string file = (s.dir / "LISTA.prn").string();
  std::uint64_t bytes = 0;
  for (auto _ : state) bytes = s.printTo(file);
  state.counters["rows"] = kRows;
  state.counters["pages"] = s.pages;
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ListToPrn)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PrnToPdf(benchmark::State& state) {
  Station s(kRows);
  const std::string text = (s.dir / "PFILE_X").string(), pdf = (s.dir / "LISTA.pdf").string();
  s.printTo(text, true);  // as the pipeline makes it for the page library
  long peakKb = 0;
  for (auto _ : state) {
    const pid_t child = ::fork();
    if (child == 0) {
      sys::PosixEnv env;
      ::_exit(print::page::textToPdf(env, text, pdf, {}) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the PDF was not made");
    rusage r{};
    ::getrusage(RUSAGE_CHILDREN, &r);
    peakKb = r.ru_maxrss;
  }
  state.counters["pages"] = s.pages;
  state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
  state.counters["pdf_MB"] = static_cast<double>(std::filesystem::file_size(pdf)) / 1e6;
}
BENCHMARK(BM_PrnToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--sample") == 0) {
    Station s(150);
    const std::string tmp = (s.dir / "SAMPLE.prn").string();
    s.printTo(tmp);
    std::filesystem::copy_file(tmp, argv[2], std::filesystem::copy_options::overwrite_existing);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
