// tests/multiproc/pack_crash_test.cpp — a station killed while it packs a table. The child
// process dies at a chosen file operation (before it, or half way through a write), chosen
// at random over all the operations a whole PACK does; the table must then open, verify,
// and hold either every record as before or exactly the records PACK keeps, whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>

#include "db/bulk_index.hpp"
#include "db/bulk_pack.hpp"
#include "db/verify.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "killing_env.hpp"
#include "rt/runtime.hpp"
#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"

namespace {

using testkit::Killer;
using testkit::KillingEnv;

struct Station {
  explicit Station(sys::Env& e) : env(e) {}
  sys::Env& env;
  sys::FixedClock clock{sys::CivilTime{2026, 3, 14, 12, 0, 0, 0}};
  rt::Runtime rt;
  db::Workspace ws{env, clock, rt};
};

const char* const kIndexes[] = {"ZAMKEY.NTX", "ZAMIND.NTX"};

struct Row {
  bool deleted;
  std::string indeks;
  bool operator==(const Row&) const = default;
};

// 600 records, every third deleted, two indexes.
std::vector<Row> makeTable(const testkit::TempDir& dir) {
  sys::PosixEnv env;
  Station st(env);
  auto t = xbase::DbfFile::create(env, st.clock, (dir / "ZAM.DBF").string(),
                                  {{"KONTO", 'C', 5}, {"NR", 'N', 8}, {"INDEKS", 'C', 12}});
  (*t)->close();
  db::WorkArea& a = **st.ws.use((dir / "ZAM.DBF").string(), {"ZAM", xbase::Share::Exclusive, false});
  std::vector<Row> rows;
  for (int i = 1; i <= 600; ++i) {
    EXPECT_TRUE(a.appendBlank());
    const std::string indeks = "I" + std::to_string(i * 7919 % 1000);
    EXPECT_TRUE(a.replace("KONTO", rt::Value::character("K" + std::to_string(i % 37))));
    EXPECT_TRUE(a.replace("NR", rt::Value::number(i, 8, 0)));
    EXPECT_TRUE(a.replace("INDEKS", rt::Value::character(indeks)));
    if (i % 3 == 0) {
      EXPECT_TRUE(a.deleteRecord());
    }
    rows.push_back({i % 3 == 0, indeks + std::string(12 - indeks.size(), ' ')});
  }
  EXPECT_TRUE(db::indexOn(a, (dir / kIndexes[0]).string(), {"KONTO+INDEKS"}));
  EXPECT_TRUE(db::indexOn(a, (dir / kIndexes[1]).string(), {"INDEKS"}));
  return rows;
}

db::WorkArea& openWithIndexes(Station& st, const testkit::TempDir& dir) {
  db::WorkArea& a = **st.ws.use((dir / "ZAM.DBF").string(), {"ZAM", xbase::Share::Exclusive, false});
  for (const char* n : kIndexes) EXPECT_TRUE(a.addOrder((dir / n).string()));
  return a;
}

std::vector<Row> rowsOf(db::WorkArea& a) {
  std::vector<Row> rows;
  a.forEachRecord([&](std::uint32_t) { rows.push_back({a.deleted(), a.value(2).text()}); });
  return rows;
}

// Packs in a child that dies at the `at`-th changing file operation (never for 0); true
// when the child finished the PACK.
bool packInChild(const testkit::TempDir& dir, Killer killer) {
  return testkit::finishedInChild(killer, [&](sys::Env& env) {
    Station st(env);
    const bool packed = static_cast<bool>(db::pack(openWithIndexes(st, dir)));
    st.ws.closeAll();
    return packed;
  });
}

TEST(PackCrash, AStationKilledWhilePackingLeavesTheOldOrTheNewTableWhole) {
  std::mt19937 rng(3141);
  int operations = 0;
  {  // how many changing operations a whole PACK takes
    testkit::TempDir dir;
    makeTable(dir);
    Killer counter;
    counter.atSyncs = true;
    KillingEnv env(counter);
    Station st(env);
    ASSERT_TRUE(db::pack(openWithIndexes(st, dir)));
    st.ws.closeAll();
    operations = counter.count;
  }
  ASSERT_GT(operations, 5);
  int sawOld = 0, sawNew = 0;
  for (int run = 0; run < 60; ++run) {
    SCOPED_TRACE(run);
    testkit::TempDir dir;
    const std::vector<Row> before = makeTable(dir);
    std::vector<Row> after;
    for (const Row& r : before)
      if (!r.deleted) after.push_back(r);
    const Killer killer{static_cast<int>(rng() % operations) + 1, rng() % 2 == 0, true};
    const bool finished = packInChild(dir, killer);

    sys::PosixEnv env;
    Station st(env);
    auto opened = st.ws.use((dir / "ZAM.DBF").string(), {"ZAM", xbase::Share::Exclusive, false});
    ASSERT_TRUE(opened) << "the table still opens";
    db::WorkArea& a = **opened;
    EXPECT_TRUE(db::verifyTable(a).ok);
    const std::vector<Row> now = rowsOf(a);
    const bool isOld = now == before, isNew = now == after;
    EXPECT_TRUE(isOld || isNew) << "killed at operation " << killer.at << " of " << operations;
    if (finished) {
      EXPECT_TRUE(isNew);
    }
    sawOld += isOld;
    sawNew += isNew;
    // Every index file is an old or a new one, whole: it opens; rebuilt, it verifies.
    for (const char* n : kIndexes) ASSERT_TRUE(a.addOrder((dir / n).string())) << n;
    ASSERT_TRUE(db::reindex(a));
    for (std::size_t i = 1; i <= a.orderCount(); ++i) {
      const db::Verdict v = db::verifyIndex(a, *a.order(i));
      EXPECT_TRUE(v.ok) << kIndexes[i - 1] << ": " << v.reason;
      EXPECT_EQ(v.count, now.size());
    }
  }
  EXPECT_GT(sawOld, 0);
  EXPECT_GT(sawNew, 0);
}

}  // namespace
