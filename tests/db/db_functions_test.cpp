// tests/db/db_functions_test.cpp — the database functions as stored expressions call them.
#include "db/db_functions.hpp"

#include <gtest/gtest.h>

#include "db/bulk_index.hpp"
#include "db_testing.hpp"

namespace {

using dbtest::Station;
using dbtest::text;

rt::Value call(Station& st, const char* name, std::vector<rt::Value> args = {}) {
  if (!st.rt.functions().contains(name)) throw std::runtime_error(std::string("no function ") + name);
  return st.rt.call(name, std::move(args));
}

TEST(DatabaseFunctions, AnswerForTheCurrentAreaAndForAnEmptyOne) {
  Station st;
  db::registerDatabaseFunctions(st.rt.functions(), *st.ws);
  db::WorkArea& a = st.use(st.makeTable("ZAM.DBF", {{"KONTO", 'C', 5}, {"ILE", 'N', 4}},
                                         {{"00002", "1"}, {"00001", "2"}, {"00003", "3", "*"}}));
  ASSERT_TRUE(db::indexOn(a, st.path("ZAM.NTX"), {"KONTO"}));
  struct Case { const char* call; std::vector<rt::Value> args; std::string expected; };
  const std::vector<Case> onTable = {
      {"RECN", {}, "2"},  // INDEX ON went top: 00001 is record 2
      {"LASTREC", {}, "3"},
      {"RECCOUNT", {}, "3"},
      {"EOF", {}, "F"},
      {"BOF", {}, "F"},
      {"FOUN", {}, "F"},
      {"DELETED", {}, "F"},
      {"ALIAS", {}, "ZAM"},
      {"ALIAS", {rt::Value::number(2)}, ""},
      {"SELECT", {}, "1"},
      {"SELECT", {rt::Value::character("zam")}, "1"},
      {"USED", {}, "T"},
      {"FCOUNT", {}, "2"},
      {"FIELDNAME", {rt::Value::number(2)}, "ILE"},
      {"FIELDNAME", {rt::Value::number(3)}, ""},
      {"FIELDPOS", {rt::Value::character("ile")}, "2"},
      {"INDEXORD", {}, "1"},
      {"INDEXKEY", {rt::Value::number(0)}, "KONTO"},
      {"DBSEEK", {rt::Value::character("00002")}, "T"},
      {"RECNO", {}, "1"},
      {"FOUND", {}, "T"},
      {"DBSEEK", {rt::Value::character("00003")}, "F"},
      {"EOF", {}, "T"},
      {"RECNO", {}, "4"},
  };
  for (const Case& c : onTable) {
    SCOPED_TRACE(c.call);
    EXPECT_EQ(text(call(st, c.call, c.args)), c.expected);
  }
  st.ws->select(0);
  const std::vector<Case> empty = {{"RECNO", {}, "0"}, {"EOF", {}, "T"}, {"BOF", {}, "T"}, {"ALIAS", {}, ""},
                                   {"USED", {}, "F"}, {"SELECT", {}, "2"}, {"LASTREC", {}, "0"}};
  for (const Case& c : empty) {
    SCOPED_TRACE(std::string("empty area: ") + c.call);
    EXPECT_EQ(text(call(st, c.call, c.args)), c.expected);
  }
}

TEST(DatabaseFunctions, LocksOfTwoAreasOnOneTableExcludeEachOther) {
  Station st;
  db::registerDatabaseFunctions(st.rt.functions(), *st.ws);
  const std::string p = st.makeTable("ZAM.DBF", {{"KONTO", 'C', 5}}, {{"1"}, {"2"}});
  st.use(p, xbase::Share::Shared, "PIERWSZY");
  db::WorkArea& second = st.use(p, xbase::Share::Shared, "DRUGI");
  ASSERT_TRUE(second.lockRecord(1));
  ASSERT_TRUE(st.ws->select("PIERWSZY"));
  EXPECT_EQ(text(call(st, "RLOCK")), "F");
  EXPECT_EQ(text(call(st, "FLOC")), "F");
  call(st, "DBSKIP");
  EXPECT_EQ(text(call(st, "RLOCK")), "T");
  EXPECT_FALSE(second.lockFile());
  call(st, "DBUNLOCK");
  EXPECT_TRUE(second.lockFile());
}

}  // namespace
