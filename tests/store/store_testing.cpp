// tests/store/store_testing.cpp — the store's test station and the other station process.
#include "store_testing.hpp"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include "db/work_area.hpp"
#include "xbase/dbf_file.hpp"

namespace storetest {

Station::Station(int stations) {
  rt.vars().declarePublic("_LICZBA_STA");
  setStations(stations);
  tables.seams.errorDialog = [this](std::string_view t) { errors.emplace_back(t); };
  tables.seams.confirm = [this](std::string_view q) {
    questions.emplace_back(q);
    return answerYes;
  };
  tables.seams.servicePassword = [this] { return passwordGiven; };
  tables.seams.reportError = [this](std::string_view t, const store::Caller& c) { logged.push_back({std::string(t), c}); };
  tables.seams.retryPause = [] {};
  tables.seams.onWaitPass = [this] {
    ++passes;
    if (onPass) onPass(passes);
  };
}

void Station::setStations(double n) { rt.vars().set("_LICZBA_STA", rt::Value::number(n, 3, 0)); }

void Station::makeTable(const std::string& name, int rows) {
  auto t = xbase::DbfFile::create(env, script.clock(), (dir / (name + ".DBF")).string(),
                                  {{"KOD", 'C', 5}, {"NAZWA", 'C', 10}});
  if (!t) throw std::runtime_error(t.error().toString());
  for (int i = 1; i <= rows; ++i) {
    std::vector<std::byte> rec = (*t)->blankRecord();
    if (!(*t)->setValue(rec, 0, rt::Value::character(std::to_string(i)))) throw std::runtime_error("KOD");
    if (!(*t)->setValue(rec, 1, rt::Value::character("N" + std::to_string(i)))) throw std::runtime_error("NAZWA");
    if (!(*t)->appendRecord(rec)) throw std::runtime_error("append");
  }
  (*t)->close();
}

void Station::paintPattern() {
  con.beginUpdate();
  for (int r = 0; r < con::kRows; ++r)
    for (int c = 0; c < con::kCols; ++c)
      con.writeCells(r, c, std::string(1, static_cast<char>('a' + (r * 7 + c) % 26)),
                     static_cast<con::Attr>((r + c) % 7 + 1));
  con.endUpdate();
}

OtherStation::OtherStation(const std::string& folder, const std::string& table, Hold hold) {
  int toChild[2], toParent[2];
  if (pipe(toChild) != 0 || pipe(toParent) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    close(toChild[1]);
    close(toParent[0]);
    bool held = false;
    {
      sys::PosixEnv env;
      sys::FixedClock clock{sys::CivilTime{2026, 3, 14, 12, 0, 0, 0}};
      rt::Runtime rt;
      db::Workspace ws{env, clock, rt};
      try {
        const xbase::Share share = hold == Hold::Exclusive ? xbase::Share::Exclusive : xbase::Share::Shared;
        auto a = ws.use(folder + "/" + table + ".DBF", {"", share, false});
        if (a) {
          db::WorkArea& area = **a;
          area.goTop();
          held = hold == Hold::RecordLock ? bool(area.lockRecord(1))
                 : hold == Hold::FileLock ? bool(area.lockFile())
                                          : true;
        }
      } catch (const std::exception& e) {
        std::fprintf(stderr, "other station: %s\n", e.what());
      }
      const char c = held ? 'y' : 'n';
      if (write(toParent[1], &c, 1) != 1) _exit(2);
      char r = 0;
      if (read(toChild[0], &r, 1) < 0) _exit(3);  // release, or the parent went away
      ws.closeAll();
    }
    _exit(held ? 0 : 1);
  }
  close(toChild[0]);
  close(toParent[1]);
  toChild_ = toChild[1];
  char c = 0;
  ok_ = read(toParent[0], &c, 1) == 1 && c == 'y';
  close(toParent[0]);
}

OtherStation::~OtherStation() { release(); }

void OtherStation::release() {
  if (pid_ <= 0) return;
  if (toChild_ >= 0) {
    if (write(toChild_, "r", 1) != 1) std::perror("release");
    close(toChild_);
    toChild_ = -1;
  }
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
}

}  // namespace storetest
