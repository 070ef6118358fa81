// tests/multiproc/sharing_test.cpp — stations as real processes on one table: concurrent
// appends with open indexes, record and file locks, exclusive use; and stations killed
// while writing. Children are forked before the parent opens anything, so no open file
// (and no lock) is inherited; each builds its own workspace.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>
#include <random>

#include "db/bulk_index.hpp"
#include "db/verify.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "rt/runtime.hpp"
#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"

namespace {

struct Station {
  sys::PosixEnv env;
  sys::FixedClock clock{sys::CivilTime{2026, 3, 14, 12, 0, 0, 0}};
  rt::Runtime rt;
  db::Workspace ws{env, clock, rt};
};

const char* const kIndexes[] = {"ZAMKEY.NTX", "ZAMIND.NTX", "ZAMTYP.NTX"};

// ZAM with three indexes over it, all closed again.
void makeTable(const testkit::TempDir& dir) {
  Station st;
  auto t = xbase::DbfFile::create(st.env, st.clock, (dir / "ZAM.DBF").string(),
                                  {{"KONTO", 'C', 5}, {"NR", 'N', 8}, {"TYP", 'C', 1}, {"INDEKS", 'C', 12}});
  (*t)->close();
  db::WorkArea& a = **st.ws.use((dir / "ZAM.DBF").string(), {"ZAM", xbase::Share::Exclusive, false});
  ASSERT_TRUE(db::indexOn(a, (dir / kIndexes[0]).string(), {"KONTO+INDEKS"}));
  ASSERT_TRUE(db::indexOn(a, (dir / kIndexes[1]).string(), {"INDEKS"}));
  ASSERT_TRUE(db::indexOn(a, (dir / kIndexes[2]).string(), {"NR", "TYP='P'"}));
}

db::WorkArea& openShared(Station& st, const testkit::TempDir& dir) {
  auto a = st.ws.use((dir / "ZAM.DBF").string(), {"ZAM", xbase::Share::Shared, false});
  if (!a) throw std::runtime_error(a.error().toString());
  for (const char* n : kIndexes)
    if (!(*a)->addOrder((dir / n).string())) throw std::runtime_error(n);
  return **a;
}

// Runs `body` in a child process; its exit status is 0 when body returned true.
pid_t spawn(const std::function<bool()>& body) {
  const pid_t pid = fork();
  if (pid == 0) {
    bool ok = false;
    try {
      ok = body();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "child: %s\n", e.what());
    }
    _exit(ok ? 0 : 1);
  }
  return pid;
}

int waitFor(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void verifyAll(Station& st, db::WorkArea& a, std::uint64_t expected) {
  EXPECT_EQ(a.lastRec(), expected);
  for (std::size_t i = 1; i <= a.orderCount(); ++i) {
    const db::Verdict v = db::verifyIndex(a, *a.order(i));
    EXPECT_TRUE(v.ok) << kIndexes[i - 1] << ": " << v.reason;
  }
  (void)st;
}

TEST(Sharing, FourStationsAppendingWithThreeIndexesOpenLoseNothing) {
  testkit::TempDir dir;
  makeTable(dir);
  constexpr int kStations = 4, kEach = 10000;
  std::vector<pid_t> pids;
  for (int s = 0; s < kStations; ++s) {
    pids.push_back(spawn([&, s] {
      Station st;
      db::WorkArea& a = openShared(st, dir);
      char buf[16];
      for (int i = 0; i < kEach; ++i) {
        if (!a.appendBlank()) return false;
        std::snprintf(buf, sizeof buf, "%05d", s);
        if (!a.replace("KONTO", rt::Value::character(buf))) return false;
        if (!a.replace("NR", rt::Value::number(i, 8, 0))) return false;
        if (!a.replace("TYP", rt::Value::character(i % 3 ? "P" : "N"))) return false;
        std::snprintf(buf, sizeof buf, "I%d-%07d", s, i);
        if (!a.replace("INDEKS", rt::Value::character(buf))) return false;
        a.unlockAll();
      }
      st.ws.closeAll();
      return true;
    }));
  }
  for (pid_t p : pids) EXPECT_EQ(waitFor(p), 0);
  Station st;
  db::WorkArea& a = openShared(st, dir);
  verifyAll(st, a, kStations * kEach);
}

TEST(Sharing, RecordAndFileLocksExcludeEachOtherAcrossProcesses) {
  testkit::TempDir dir;
  makeTable(dir);
  {
    Station st;
    db::WorkArea& a = openShared(st, dir);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(a.appendBlank());
  }
  int toChild[2], toParent[2];
  ASSERT_EQ(pipe(toChild), 0);
  ASSERT_EQ(pipe(toParent), 0);
  const pid_t child = spawn([&] {
    Station st;
    db::WorkArea& a = openShared(st, dir);
    char c = 0;
    if (!a.lockRecord(2)) return false;
    if (write(toParent[1], "r", 1) != 1 || read(toChild[0], &c, 1) != 1) return false;
    a.unlockAll();
    if (!a.lockFile()) return false;
    if (write(toParent[1], "f", 1) != 1 || read(toChild[0], &c, 1) != 1) return false;
    a.unlockAll();
    return write(toParent[1], "u", 1) == 1;
  });
  close(toParent[1]);  // a child that fails closes the last write end: reads see the end, not a hang
  close(toChild[0]);
  Station st;
  db::WorkArea& a = openShared(st, dir);
  char c = 0;
  ASSERT_EQ(read(toParent[0], &c, 1), 1);
  EXPECT_TRUE(a.lockRecord(2).is(base::Errc::Locked)) << "the other station holds record 2";
  EXPECT_TRUE(a.lockFile().is(base::Errc::Locked)) << "a record lock keeps the file lock away";
  EXPECT_TRUE(a.lockRecord(1));
  a.unlockAll();
  ASSERT_EQ(write(toChild[1], "1", 1), 1);
  ASSERT_EQ(read(toParent[0], &c, 1), 1);
  EXPECT_TRUE(a.lockRecord(1).is(base::Errc::Locked)) << "the file lock keeps record locks away";
  EXPECT_FALSE(a.appendBlank()) << "the new record's lock falls under the file lock";
  ASSERT_EQ(write(toChild[1], "2", 1), 1);
  ASSERT_EQ(read(toParent[0], &c, 1), 1);
  EXPECT_EQ(waitFor(child), 0);
  EXPECT_TRUE(a.lockFile());
  close(toChild[1]);
  close(toParent[0]);
}

TEST(Sharing, AnExclusiveOpenFailsWhileAnotherProcessHasTheTable) {
  testkit::TempDir dir;
  makeTable(dir);
  for (xbase::Share held : {xbase::Share::Shared, xbase::Share::Exclusive}) {
    int toChild[2], toParent[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(toParent), 0);
    const pid_t child = spawn([&] {
      Station st;
      auto a = st.ws.use((dir / "ZAM.DBF").string(), {"ZAM", held, false});
      char c = 0;
      return a && write(toParent[1], "o", 1) == 1 && read(toChild[0], &c, 1) == 1;
    });
    close(toParent[1]);
    close(toChild[0]);
    char c = 0;
    ASSERT_EQ(read(toParent[0], &c, 1), 1);
    Station st;
    auto ex = st.ws.use((dir / "ZAM.DBF").string(), {"ZAM", xbase::Share::Exclusive, false});
    ASSERT_FALSE(ex);
    EXPECT_TRUE(ex.error().is(base::Errc::Locked));
    auto sh = st.ws.use((dir / "ZAM.DBF").string(), {"ZAM", xbase::Share::Shared, false});
    EXPECT_EQ(static_cast<bool>(sh), held == xbase::Share::Shared);
    st.ws.closeAll();
    ASSERT_EQ(write(toChild[1], "x", 1), 1);
    EXPECT_EQ(waitFor(child), 0);
    close(toChild[1]);
    close(toParent[0]);
  }
}

void repair(const testkit::TempDir& dir) {
  Station st;
  db::WorkArea& a = **st.ws.use((dir / "ZAM.DBF").string(), {"ZAM", xbase::Share::Exclusive, false});
  db::IndexSpec specs[] = {{"KONTO+INDEKS"}, {"INDEKS"}, {"NR", "TYP='P'"}};
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(db::indexOn(a, (dir / kIndexes[i]).string(), specs[i]));
}

// A station appends and commits records, reporting each committed record number on a pipe,
// and is killed after a random number of them. Every reported record must be there with
// its values; the indexes verify after a rebuild.
TEST(Crash, AStationKilledWhileWritingLosesNothingCommitted) {
  testkit::TempDir dir;
  makeTable(dir);
  std::mt19937 rng(2026);
  std::uint32_t committedTotal = 0;
  for (int run = 0; run < 100; ++run) {
    SCOPED_TRACE(run);
    int toParent[2];
    ASSERT_EQ(pipe(toParent), 0);
    const pid_t child = spawn([&] {
      close(toParent[0]);
      Station st;
      db::WorkArea& a = openShared(st, dir);
      for (int i = 0;; ++i) {
        if (!a.appendBlank()) return false;
        const std::uint32_t r = a.recno();
        (void)a.replace("KONTO", rt::Value::character("K" + std::to_string(r % 10000)));
        (void)a.replace("NR", rt::Value::number(r, 8, 0));
        (void)a.replace("INDEKS", rt::Value::character("I" + std::to_string(r)));
        a.commit();
        a.unlockAll();
        if (write(toParent[1], &r, sizeof r) != sizeof r) return false;
      }
    });
    close(toParent[1]);
    const unsigned killAfter = rng() % 40;
    std::vector<std::uint32_t> committed;
    std::uint32_t r = 0;
    while (committed.size() < killAfter && read(toParent[0], &r, sizeof r) == sizeof r) committed.push_back(r);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(toParent[0]);
    if (WIFEXITED(status)) repair(dir);  // a kill left an index damaged: rebuild it, as an administrator would
    committedTotal += static_cast<std::uint32_t>(committed.size());

    Station st;
    auto opened = st.ws.use((dir / "ZAM.DBF").string(), {"ZAM", xbase::Share::Shared, false});
    ASSERT_TRUE(opened) << "the table still opens";
    db::WorkArea& a = **opened;
    for (std::uint32_t c : committed) {
      a.goTo(c);
      ASSERT_EQ(a.recno(), c);
      EXPECT_EQ(a.value(1).num(), c);
      EXPECT_EQ(a.value(3).text().substr(0, 1 + std::to_string(c).size()), "I" + std::to_string(c));
    }
  }
  Station st;
  db::WorkArea& a = **st.ws.use((dir / "ZAM.DBF").string(), {"ZAM", xbase::Share::Exclusive, false});
  for (const char* n : kIndexes) ASSERT_TRUE(a.addOrder((dir / n).string()));
  ASSERT_TRUE(db::reindex(a));
  EXPECT_GE(a.lastRec(), committedTotal);
  verifyAll(st, a, a.lastRec());
}

}  // namespace
