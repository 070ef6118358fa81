// tests/store/blok_screen_test.cpp — RBLOK, FBLOK and APPE_BLOK waiting behind a notice
// while another open of the table (a second station in this process: locks belong to the
// open file, not to the process) holds the whole-file lock.
#include "store/blok.hpp"

#include <gtest/gtest.h>

#include "db/work_area.hpp"
#include "rt/error.hpp"
#include "store/use.hpp"
#include "store_testing.hpp"

namespace {

using storetest::Station;

struct Operation {
  const char* name;
  void (*run)(store::Tables&);
};
const Operation kOperations[] = {{"RBLOK", store::RBLOK}, {"FBLOK", store::FBLOK}, {"APPE_BLOK", store::APPE_BLOK}};

TEST(Blok, WaitsBehindTheNoticeUntilTheLockIsFreeThenRestoresTheScreen) {
  for (const Operation& op : kOperations) {
    SCOPED_TRACE(op.name);
    Station st;
    st.makeTable("KON", 2);
    sys::PosixEnv otherEnv;
    rt::Runtime otherRt;
    db::Workspace other{otherEnv, st.script.clock(), otherRt};
    db::WorkArea& held = **other.use(st.tables.tablePath("KON"), {"", xbase::Share::Shared, false});
    ASSERT_TRUE(held.lockFile());

    ASSERT_TRUE(store::USE_(st.tables, "KON", "S"));
    db::WorkArea& a = *st.ws.current();
    a.goTop();
    st.paintPattern();
    st.con.setColour("GR+/B");
    const std::string colour = st.con.colour(), before = st.script.text();
    std::vector<std::string> shown;
    st.onPass = [&](int pass) {
      shown.push_back(st.row(10, 20, 39) + "|" + st.row(11, 20, 39) + "|" + st.row(12, 20, 39));
      if (pass == 3) held.unlockAll();
    };
    op.run(st.tables);
    EXPECT_EQ(st.passes, 3);
    ASSERT_FALSE(shown.empty());
    // 37 characters: the frame spans columns INT((79 - 37) / 2) - 1 = 20 to 21 + 37 = 58.
    EXPECT_EQ(shown[0], "╔═════════════════════════════════════╗|"
                        "║ Oczekiwanie na dostęp do danych ... ║|"
                        "╚═════════════════════════════════════╝");
    EXPECT_EQ(st.script.text(), before);
    EXPECT_EQ(st.con.colour(), colour);
    EXPECT_EQ(st.script.elapsed().count(), 0);  // no key is awaited: these waits cannot be cancelled
    if (op.run == store::FBLOK) {
      EXPECT_TRUE(a.table().holdsFileLock());
    }
    if (op.run == store::RBLOK) {
      EXPECT_TRUE(a.table().holdsRecordLock(1));
    }
    if (op.run == store::APPE_BLOK) {
      EXPECT_EQ(a.recno(), 3u);
      EXPECT_TRUE(a.table().holdsRecordLock(3));
    }
  }
}

TEST(Blok, AFreeLockIsTakenAtOnceWithoutANotice) {
  for (const Operation& op : kOperations) {
    SCOPED_TRACE(op.name);
    Station st;
    st.makeTable("KON", 1);
    ASSERT_TRUE(store::USE_(st.tables, "KON", "S"));
    st.ws.current()->goTop();
    st.paintPattern();
    const std::string before = st.script.text();
    op.run(st.tables);
    EXPECT_EQ(st.passes, 0);
    EXPECT_EQ(st.script.text(), before);
  }
}

TEST(Blok, SingleUserNeitherLocksNorWaitsAndStillAppends) {
  Station st(1);
  st.makeTable("KON", 1);
  ASSERT_TRUE(store::USE_(st.tables, "KON", "S"));
  db::WorkArea& a = *st.ws.current();
  a.goTop();
  store::RBLOK(st.tables);
  store::FBLOK(st.tables);
  EXPECT_FALSE(a.table().holdsFileLock());
  store::APPE_BLOK(st.tables);
  EXPECT_EQ(a.lastRec(), 2u);
  EXPECT_EQ(a.recno(), 2u);
  EXPECT_EQ(st.passes, 0);
}

TEST(Blok, FailuresNoStationCausesAreProgramErrorsNotWaits) {
  Station st;
  st.makeTable("KON", 1);
  EXPECT_THROW(store::RBLOK(st.tables), rt::RuntimeError);  // no table in the area
  ASSERT_TRUE(store::USE_(st.tables, "KON", "R"));
  EXPECT_THROW(store::APPE_BLOK(st.tables), rt::RuntimeError);  // read-only
  EXPECT_EQ(st.passes, 0);
}

}  // namespace
