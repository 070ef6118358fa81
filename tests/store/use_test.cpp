// tests/store/use_test.cpp — _USE without waiting: the open modes, aliases, single-user
// working, and attaching index files.
#include "store/use.hpp"

#include <gtest/gtest.h>

#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "rt/error.hpp"
#include "store_testing.hpp"

namespace {

using rt::literals::operator""_pl;
using storetest::OtherStation;
using storetest::Station;
using store::Opening;

TEST(OpenMode, FirstCharacterDecidesAndAnExclamationMarkForbidsCancelling) {
  struct Case {
    const char* mode;
    Opening opening;
    bool cancellable;
  };
  const Case cases[] = {{"S", Opening::Shared, true},     {"R", Opening::ReadOnly, true},
                        {"R!", Opening::ReadOnly, false}, {"F", Opening::FileLock, true},
                        {"F!", Opening::FileLock, false}, {"E", Opening::Exclusive, true},
                        {"E!", Opening::Exclusive, false}, {"s", Opening::Shared, true},
                        {"X", Opening::Exclusive, true},  {"", Opening::Exclusive, true},
                        {"S!", Opening::Shared, false},   {"!S", Opening::Exclusive, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    const store::OpenMode m = store::parseOpenMode(c.mode);
    EXPECT_EQ(m.opening, c.opening);
    EXPECT_EQ(m.cancellable, c.cancellable);
  }
}

TEST(USE_, OpensAFreeTableAsTheModeSaysWithoutDrawing) {
  struct Case {
    const char* mode;
    xbase::Share share;
    bool fileLock;
  };
  const Case cases[] = {{"S", xbase::Share::Shared, false},
                        {"R!", xbase::Share::SharedReadOnly, false},
                        {"F", xbase::Share::Shared, true},
                        {"E!", xbase::Share::Exclusive, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    Station st;
    st.makeTable("KON", 2);
    st.paintPattern();
    const std::string before = st.script.text();
    const std::string colour = st.con.colour();
    ASSERT_TRUE(store::USE_(st.tables, "KON", c.mode));
    db::WorkArea* a = st.ws.current();
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->alias(), "KON");
    EXPECT_EQ(a->table().share(), c.share);
    EXPECT_EQ(a->table().holdsFileLock(), c.fileLock);
    EXPECT_EQ(st.script.text(), before);
    EXPECT_EQ(st.con.colour(), colour);
    EXPECT_EQ(st.passes, 0);
  }
}

TEST(USE_, TakesTheGivenAliasAndFolderPrefixedNamesInAnyLetterCase) {
  Station st;
  std::filesystem::create_directory(st.dir / "DANE#01");
  st.makeTable("DANE#01/PARADRUK", 1);
  ASSERT_TRUE(store::USE_(st.tables, "dane#01\\paradruk", "S", "DRUK"));
  EXPECT_EQ(st.ws.current()->alias(), "DRUK");
  st.ws.select(0);
  ASSERT_TRUE(store::USE_(st.tables, "DANE#01\\PARADRUK ", "R"));
  EXPECT_EQ(st.ws.current()->alias(), "PARADRUK");
}

TEST(USE_, AnAliasTakenByAnotherAreaIsAProgramErrorNotAWait) {
  Station st;
  st.makeTable("KON");
  st.makeTable("TOW");
  ASSERT_TRUE(store::USE_(st.tables, "KON", "S"));
  st.ws.select(0);
  EXPECT_THROW(store::USE_(st.tables, "TOW", "S", "KON"), rt::RuntimeError);
  EXPECT_EQ(st.passes, 0);
}

TEST(USE_, SingleUserReportsATableHeldElsewhereAtOnceAndGivesFalse) {
  Station st(1);
  st.makeTable("KON");
  OtherStation other(st.dir.path().string(), "KON", OtherStation::Hold::Exclusive);
  ASSERT_TRUE(other.ok());
  st.paintPattern();
  const std::string before = st.script.text();
  EXPECT_FALSE(store::USE_(st.tables, "KON", "S"));
  EXPECT_EQ(st.errors, std::vector<std::string>{"Dane niedostępne w tej części programu !"_pl});
  EXPECT_EQ(st.passes, 0);
  EXPECT_EQ(st.script.elapsed().count(), 0);  // no key was awaited
  EXPECT_EQ(st.script.text(), before);        // no notice
  EXPECT_EQ(st.ws.current(), nullptr);
}

TEST(USE_, SingleUserOpensEveryModeExclusively) {
  Station st(1);
  st.makeTable("KON");
  ASSERT_TRUE(store::USE_(st.tables, "KON", "R"));
  EXPECT_EQ(st.ws.current()->table().share(), xbase::Share::Exclusive);
  EXPECT_TRUE(st.errors.empty());
}

TEST(USE_, OnlyAStationCountFromOneToBelowTwoMeansSingleUser) {
  struct Case {
    double stations;
    bool single;
  };
  // 0 is the value before the configuration is read: the store works as multi-user then.
  const Case cases[] = {{0, false}, {1, true}, {2, false}, {9, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stations);
    Station st;
    st.setStations(c.stations);
    EXPECT_EQ(st.tables.singleUser(), c.single);
  }
  Station undefined;
  undefined.rt.vars().set("_LICZBA_STA", rt::Value::logical(false));
  EXPECT_FALSE(undefined.tables.singleUser());
}

TEST(AttachIndexes, TheFirstFileAddedIsTheControllingOrder) {
  Station st;
  st.makeTable("KON", 3);
  ASSERT_TRUE(store::USE_(st.tables, "KON", "E"));
  db::WorkArea& a = *st.ws.current();
  ASSERT_TRUE(db::indexOn(a, st.tables.indexPath("KON_N"), {"NAZWA"}));
  ASSERT_TRUE(db::indexOn(a, st.tables.indexPath("KON_K"), {"KOD"}));
  ASSERT_TRUE(store::attachIndexes(st.tables, {"KON_K", "kon_n"}));
  EXPECT_EQ(a.orderCount(), 2u);
  EXPECT_EQ(a.orderNumber(), 1);
  EXPECT_TRUE(a.seek(rt::Value::character("2")));

  const base::Status missing = store::attachIndexes(st.tables, {"KON_N", "BRAK"});
  EXPECT_TRUE(missing.is(base::Errc::NotFound)) << missing.toString();
  EXPECT_EQ(a.orderCount(), 1u);  // the list was cleared first
  st.ws.select(0);
  EXPECT_TRUE(store::attachIndexes(st.tables, {"KON_N"}).is(base::Errc::NotFound));
}

}  // namespace
