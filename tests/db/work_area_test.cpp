// tests/db/work_area_test.cpp — movement, the phantom record, deleted and filtered records,
// field changes and appends in natural order.
#include "db/work_area.hpp"

#include <gtest/gtest.h>

#include "db_testing.hpp"

namespace {

using dbtest::column;
using dbtest::Station;
using dbtest::text;
using Strings = std::vector<std::string>;

// KOD 1..5; record 2 and 4 deleted.
std::string fiveRecords(Station& st) {
  return st.makeTable("T.DBF", {{"KOD", 'C', 3}, {"ILE", 'N', 5, 1}, {"DAT", 'D'}, {"OK", 'L'}},
                      {{"a", "1", "20240101", "T"},
                       {"b", "2", "20240102", "T", "*"},
                       {"c", "3", "20240103", "T"},
                       {"d", "4", "20240104", "T", "*"},
                       {"e", "5", "20240105", "T"}});
}

TEST(WorkArea, DeletedRecordsAreHiddenFromMovementButNotFromGoto) {
  Station st;
  db::WorkArea& a = st.use(fiveRecords(st));
  EXPECT_EQ(column(a, "KOD"), (Strings{"a", "c", "e"}));
  a.goTo(2);
  EXPECT_EQ(a.recno(), 2u);
  EXPECT_TRUE(a.deleted());
  a.skip();
  EXPECT_EQ(a.recno(), 3u);
  a.goBottom();
  EXPECT_EQ(a.recno(), 5u);
  a.skip(-1);
  EXPECT_EQ(a.recno(), 3u);
  EXPECT_EQ(a.lastRec(), 5u) << "LASTREC counts every record";

  st.rt.settings().deleted = false;
  EXPECT_EQ(column(a, "KOD"), (Strings{"a", "b", "c", "d", "e"}));
}

TEST(WorkArea, SkippingPastTheEndsGivesThePhantomRecordAndBof) {
  Station st;
  db::WorkArea& a = st.use(fiveRecords(st));
  a.goBottom();
  a.skip();
  EXPECT_TRUE(a.eof());
  EXPECT_EQ(a.recno(), 6u) << "the phantom record is LASTREC()+1";
  EXPECT_EQ(a.value(0).text(), "   ") << "C: blanks of the full width";
  EXPECT_EQ(a.value(1).num(), 0);
  EXPECT_EQ(a.value(1).numberParts().width, 3);
  EXPECT_TRUE(a.value(2).date().empty());
  EXPECT_FALSE(a.value(3).logical());
  a.skip();
  EXPECT_TRUE(a.eof()) << "SKIP at EOF stays there";
  a.skip(-1);
  EXPECT_EQ(a.recno(), 5u) << "SKIP -1 from EOF reaches the last visible record";
  EXPECT_FALSE(a.eof());

  a.goTop();
  a.skip(-1);
  EXPECT_TRUE(a.bof());
  EXPECT_EQ(a.recno(), 1u) << "BOF stands on the first visible record";
  a.skip(2);
  EXPECT_EQ(a.recno(), 5u);
  a.skip(-5);
  EXPECT_TRUE(a.bof());
  EXPECT_EQ(a.recno(), 1u);

  a.goTo(99);
  EXPECT_TRUE(a.eof());
  EXPECT_EQ(a.recno(), 6u);
}

TEST(WorkArea, AnEmptyTableOrNothingVisibleGivesBofAndEof) {
  Station st;
  db::WorkArea& empty = st.use(st.makeTable("EMPTY.DBF", {{"KOD", 'C', 3}}, {}));
  empty.goTop();
  EXPECT_TRUE(empty.eof());
  EXPECT_TRUE(empty.bof());
  EXPECT_EQ(empty.recno(), 1u);
  db::WorkArea& a = st.use(fiveRecords(st));
  a.setFilter(db::Expr::predicate([] { return false; }));
  a.goBottom();
  EXPECT_TRUE(a.eof());
  EXPECT_TRUE(a.bof());
}

TEST(WorkArea, TheFilterIsCheckedOnMovementOnly) {
  Station st;
  db::WorkArea& a = st.use(fiveRecords(st));
  a.goTo(1);
  a.setFilter(st.ws->compile("KOD#'a'"));
  EXPECT_EQ(a.recno(), 1u) << "the current record is not re-checked when the filter is set";
  EXPECT_EQ(column(a, "KOD"), (Strings{"c", "e"}));
  a.clearFilter();
  EXPECT_EQ(column(a, "KOD"), (Strings{"a", "c", "e"}));
}

TEST(WorkArea, DeleteKeepsTheRecordCurrentUntilThePointerMoves) {
  Station st;
  db::WorkArea& a = st.use(fiveRecords(st));
  a.goTo(3);
  ASSERT_TRUE(a.deleteRecord());
  EXPECT_EQ(a.recno(), 3u);
  EXPECT_TRUE(a.deleted());
  a.skip(-1);
  EXPECT_EQ(a.recno(), 1u);
  EXPECT_EQ(column(a, "KOD"), (Strings{"a", "e"}));
  a.goTo(3);
  ASSERT_TRUE(a.recall());
  EXPECT_EQ(column(a, "KOD"), (Strings{"a", "c", "e"}));
}

TEST(WorkArea, AppendBlankMakesANewCurrentRecordThatKeepsItsValues) {
  Station st;
  const std::string p = fiveRecords(st);
  {
    db::WorkArea& a = st.use(p);
    ASSERT_TRUE(a.appendBlank());
    EXPECT_EQ(a.recno(), 6u);
    EXPECT_FALSE(a.eof());
    ASSERT_TRUE(a.replace("KOD", rt::Value::character("f")));
    ASSERT_TRUE(a.replace("ILE", rt::Value::number(6.5)));
    EXPECT_TRUE(a.replace("ILE", rt::Value::number(123456)).is(base::Errc::Invalid)) << "too wide for N5.1";
    ASSERT_TRUE(a.replace("ILE", rt::Value::number(6.5)));
    EXPECT_TRUE(a.replace("NONE", rt::Value::number(1)).is(base::Errc::Invalid));
    EXPECT_TRUE(a.replace("KOD", rt::Value::number(1)).is(base::Errc::Invalid));
    st.ws->closeAll();
  }
  db::WorkArea& a = st.use(p);
  a.goTo(6);
  EXPECT_EQ(text(a.value(0)), "f");
  EXPECT_EQ(a.value(1).num(), 6.5);
}

TEST(WorkArea, ReadOnlyTablesAndThePhantomRecordRefuseChanges) {
  Station st;
  const std::string p = fiveRecords(st);
  db::WorkArea& ro = st.use(p, xbase::Share::SharedReadOnly);
  EXPECT_TRUE(ro.replace("KOD", rt::Value::character("z")).is(base::Errc::Refused));
  EXPECT_FALSE(ro.appendBlank());
  st.ws->closeAll();
  db::WorkArea& a = st.use(p);
  a.goBottom();
  a.skip();
  EXPECT_TRUE(a.replace("KOD", rt::Value::character("z")).is(base::Errc::Refused));
}

TEST(WorkArea, LocateAndContinueFindTheNextVisibleMatch) {
  Station st;
  db::WorkArea& a = st.use(st.makeTable("L.DBF", {{"KOD", 'C', 3}, {"TYP", 'C', 1}},
                                         {{"a", "P"}, {"b", "P", "*"}, {"c", "N"}, {"d", "P"}}));
  EXPECT_TRUE(a.locate(st.ws->compile("TYP='P'")));
  EXPECT_EQ(a.recno(), 1u);
  EXPECT_TRUE(a.found());
  EXPECT_TRUE(a.continueLocate());
  EXPECT_EQ(a.recno(), 4u);
  EXPECT_FALSE(a.continueLocate());
  EXPECT_TRUE(a.eof());
  EXPECT_FALSE(a.found());
  EXPECT_FALSE(a.locate(st.ws->compile("TYP='X'")));
  EXPECT_TRUE(a.eof());
}

}  // namespace
