// tests/multiproc/browse_lock_test.cpp — two stations editing the same table in the list
// screen, each a real process driving the browser through its own device: keys come from a
// pipe, and each key read reports to the test whether the waiting notice is on the screen.
// A record being edited at one station makes the other wait behind the notice; Esc gives
// up, and the release by the first station lets the second one in.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "con/console.hpp"
#include "con/key_codes.hpp"
#include "db/bulk_index.hpp"
#include "db/db_functions.hpp"
#include "db/workspace.hpp"
#include "rt/runtime.hpp"
#include "store/tables.hpp"
#include "sys/clock.hpp"
#include "sys/path.hpp"
#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"
#include "ui/browse/classedit.hpp"
#include "ui/register.hpp"
#include "xbase/dbf_file.hpp"

namespace {

namespace k = con::key;

// Reports 'N' (the notice is shown) or 'R' (a plain key read) on `status` before each key
// read, then takes the key, as an int, from `keys`, within the timeout asked for.
class PipeDevice final : public con::Device {
 public:
  PipeDevice(int keys, int status) : keys_(keys), status_(status) {}
  void present(const con::Screen::Grid& grid, const con::Cursor&) override {
    std::string text;
    for (const con::Cell& cell : grid) text += static_cast<char>(cell.ch);
    notice_ = text.find("Oczekiwanie na dost") != std::string::npos;
  }
  std::optional<con::KeyEvent> readKey(std::optional<con::Millis> timeout) override {
    const char report = notice_ ? 'N' : 'R';
    if (report != last_ || report == 'R') {
      if (write(status_, &report, 1) != 1) return con::KeyEvent{k::kEsc};
      last_ = report;
    }
    pollfd p{keys_, POLLIN, 0};
    if (poll(&p, 1, timeout ? static_cast<int>(timeout->count()) : -1) <= 0) return std::nullopt;
    int code = 0;
    if (read(keys_, &code, sizeof code) != sizeof code) return con::KeyEvent{k::kEsc};
    last_ = 0;
    return con::KeyEvent{code};
  }
  con::Millis elapsed() const override {
    return std::chrono::duration_cast<con::Millis>(std::chrono::steady_clock::now() - start_);
  }
  void tone(double, double) override {}

 private:
  int keys_, status_;
  bool notice_ = false;
  char last_ = 0;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The table T (NAZWA C10: "AAA", "BBB") and the screen "T" in EDIT.DBF, all closed again.
void makeFiles(const testkit::TempDir& dir) {
  sys::PosixEnv env;
  sys::FixedClock clock{sys::CivilTime{2026, 3, 14, 12, 0, 0, 0}};
  auto t = xbase::DbfFile::create(env, clock, (dir / "T.DBF").string(), {{"NAZWA", 'C', 10}});
  for (const char* v : {"AAA", "BBB"}) {
    auto rec = (*t)->blankRecord();
    (void)(*t)->setValue(rec, 0, rt::Value::character(v));
    (void)(*t)->appendRecord(rec);
  }
  (*t)->close();
  auto e = xbase::DbfFile::create(env, clock, (dir / "EDIT.DBF").string(),
                                  {{"BAZA", 'C', 10}, {"NAG1", 'C', 20}, {"POLE", 'C', 20}, {"WEJSCIE", 'C', 10}});
  auto rec = (*e)->blankRecord();
  (void)(*e)->setValue(rec, 0, rt::Value::character("T"));
  (void)(*e)->setValue(rec, 1, rt::Value::character("Nazwa"));
  (void)(*e)->setValue(rec, 2, rt::Value::character("NAZWA"));
  (void)(*e)->setValue(rec, 3, rt::Value::character(".T."));
  (void)(*e)->appendRecord(rec);
  (*e)->close();
  rt::Runtime rt;
  db::Workspace ws(env, clock, rt);
  auto edit = ws.use((dir / "EDIT.DBF").string(), {"EDIT", xbase::Share::Exclusive, false});
  ASSERT_TRUE(edit);
  ASSERT_TRUE(db::indexOn(**edit, (dir / "EDIT.NTX").string(), {"BAZA"}).isOk());
  ws.closeAll();
}

// One station: the browser over T, shared, editing cells under a record lock.
bool runStation(const testkit::TempDir& dir, int keys, int status) {
  sys::PosixEnv env;
  sys::SystemClock clock;
  rt::Runtime rt;
  db::Workspace ws(env, clock, rt);
  db::registerDatabaseFunctions(rt.functions(), ws);
  sys::PathResolver paths(env, dir.path().string() + "/");
  PipeDevice device(keys, status);
  con::Console console(device, clock);
  ui::Context ctx(rt, console, paths);
  store::Tables tables(rt, console, paths, ws);
  ctx.workspace = &ws;
  ctx.tables = &tables;
  ui::registerScreen(rt.functions(), ctx);
  auto a = ws.use((dir / "T.DBF").string(), {"T", xbase::Share::Shared, false});
  if (!a) return false;
  ui::browse::Options o;
  o.screenKey = "T";
  o.table = {1, -1, 10, -1};
  o.editAllowed = rt::Value::logical(true);
  o.lockMode = 1;
  auto e = ui::browse::CLASSEDIT(ctx, **a, o);
  if (!e) return false;
  ui::browse::DOEDIT(ctx, *e);
  ws.closeAll();
  return true;
}

struct Child {
  pid_t pid = -1;
  int keys = -1, status = -1;  // the test's ends of the two pipes

  void start(const std::function<bool(int, int)>& body) {
    int k[2], s[2];
    ASSERT_EQ(pipe(k), 0);
    ASSERT_EQ(pipe(s), 0);
    pid = fork();
    if (pid == 0) {
      close(k[1]);
      close(s[0]);
      bool ok = false;
      try {
        ok = body(k[0], s[1]);
      } catch (const std::exception& e) {
        std::fprintf(stderr, "station: %s\n", e.what());
      }
      _exit(ok ? 0 : 1);
    }
    close(k[0]);
    close(s[1]);
    keys = k[1];
    status = s[0];
  }
  void send(std::initializer_list<int> codes) {
    for (int code : codes) ASSERT_EQ(write(keys, &code, sizeof code), static_cast<ssize_t>(sizeof code));
  }
  void type(std::string_view text) {
    for (char ch : text) send({static_cast<unsigned char>(ch)});
  }
  // Waits for the report `wanted` (skipping others); false when the station ended or went
  // quiet for ten seconds (a station that hangs fails the test instead of stalling it).
  bool await(char wanted) {
    for (;;) {
      pollfd p{status, POLLIN, 0};
      if (poll(&p, 1, 10000) <= 0) return false;
      char c = 0;
      if (read(status, &c, 1) != 1) return false;
      if (c == wanted) return true;
    }
  }
  int finish() {
    close(keys);
    int st = 0;
    waitpid(pid, &st, 0);
    close(status);
    return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  }
};

std::string firstName(const testkit::TempDir& dir) {
  sys::PosixEnv env;
  sys::FixedClock clock{sys::CivilTime{2026, 3, 14, 12, 0, 0, 0}};
  auto t = xbase::DbfFile::open(env, clock, (dir / "T.DBF").string(), xbase::Share::SharedReadOnly);
  if (!t) return "?";
  auto rec = (*t)->blankRecord();
  std::string v = (*t)->readRecord(1, rec) ? (*t)->value(rec, 0).text() : "?";
  (*t)->close();
  while (!v.empty() && v.back() == ' ') v.pop_back();
  return v;
}

TEST(TwoStations, ARecordBeingEditedMakesTheOtherWaitAndEscGivesUp) {
  testkit::TempDir dir;
  makeFiles(dir);
  Child a, b;
  a.start([&](int k, int s) { return runStation(dir, k, s); });
  b.start([&](int k, int s) { return runStation(dir, k, s); });
  ASSERT_TRUE(a.await('R'));
  a.send({k::kEnter});             // A edits AAA: the record is A's
  ASSERT_TRUE(a.await('R'));
  ASSERT_TRUE(b.await('R'));
  b.send({k::kEnter});             // B wants the same record
  EXPECT_TRUE(b.await('N'));       // ... and waits behind the notice
  b.send({k::kEsc});               // gives up
  EXPECT_TRUE(b.await('R'));       // back in the list, the notice gone
  b.send({k::kEsc});
  EXPECT_EQ(b.finish(), 0);
  a.type("ZZZ");
  a.send({k::kEnter});
  ASSERT_TRUE(a.await('R'));
  a.send({k::kEsc});
  EXPECT_EQ(a.finish(), 0);
  EXPECT_EQ(firstName(dir), "ZZZ");
}

TEST(TwoStations, TheWaitingStationGoesOnOnceTheRecordIsReleased) {
  testkit::TempDir dir;
  makeFiles(dir);
  Child a, b;
  a.start([&](int k, int s) { return runStation(dir, k, s); });
  b.start([&](int k, int s) { return runStation(dir, k, s); });
  ASSERT_TRUE(a.await('R'));
  a.send({k::kEnter});
  ASSERT_TRUE(a.await('R'));
  ASSERT_TRUE(b.await('R'));
  b.send({k::kEnter});
  ASSERT_TRUE(b.await('N'));
  a.type("ZZZ");
  a.send({k::kEnter});             // A's edit ends: committed and unlocked
  ASSERT_TRUE(a.await('R'));
  EXPECT_TRUE(b.await('R'));       // B got the record and reads the cell
  b.type("YYY");
  b.send({k::kEnter});
  ASSERT_TRUE(b.await('R'));
  a.send({k::kEsc});
  b.send({k::kEsc});
  EXPECT_EQ(a.finish(), 0);
  EXPECT_EQ(b.finish(), 0);
  EXPECT_EQ(firstName(dir), "YYY");
}

}  // namespace
