// tests/db/runtime_fields_test.cpp — the runtime's own compiler over work areas: stored
// index expressions, alias->field, (alias)->(expr), FIELD->, and database functions.
#include <gtest/gtest.h>

#include "db/bulk_index.hpp"
#include "db/db_functions.hpp"
#include "db_testing.hpp"
#include "rt/expression.hpp"

namespace {

using dbtest::text;

struct RealStation {
  sys::PosixEnv env;
  sys::FixedClock clock{sys::CivilTime{2026, 3, 14, 12, 0, 0, 0}};
  rt::Runtime rt;
  db::Workspace ws{env, clock, rt};
  testkit::TempDir dir;
  RealStation() { db::registerDatabaseFunctions(rt.functions(), ws); }
  std::string copy(const std::string& name) {
    std::filesystem::copy_file(testkit::fixture(name), dir / name);
    return (dir / name).string();
  }
  std::string eval(const std::string& e) { return text(rt.evaluate(e)); }
};

TEST(RuntimeFields, StoredIndexExpressionsCompileAndSeek) {
  RealStation st;
  st.copy("ORDERS.DBT");
  auto a = st.ws.use(st.copy("ORDERS.DBF"), {"", xbase::Share::Shared, true});
  ASSERT_TRUE(a);
  for (const char* n : {"ORDKEY.NTX", "ORDPOZ.NTX"}) ASSERT_TRUE((*a)->addOrder(st.copy(n)));
  EXPECT_EQ(st.eval("INDEXKEY(0)"), "KONTO+dtos(DATA_ZAM)+NR_ZAM+TYP+INDEKS");
  EXPECT_EQ(st.eval("DBSEEK('000071995')"), "T");
  EXPECT_EQ(st.eval("RECNO()"), "2108");
  EXPECT_EQ(st.eval("ORDERS->KONTO + FIELD->NR_ZAM"), "000070020");
  (*a)->setOrder(2);
  (*a)->goTop();
  EXPECT_EQ(st.eval("TYP"), "P") << "FOR TYP='P' index";
  EXPECT_EQ(st.eval("SELECT()"), "1");
}

TEST(RuntimeFields, AFieldWinsOverAMemoryVariableAndAliasExpressionsRunInTheirArea) {
  RealStation st;
  auto make = [&](const std::string& name, const std::string& value) {
    auto t = xbase::DbfFile::create(st.env, st.clock, (st.dir / name).string(), {{"KOD", 'C', 3}});
    auto rec = (*t)->blankRecord();
    ASSERT_TRUE((*t)->setValue(rec, 0, rt::Value::character(value)));
    ASSERT_TRUE((*t)->appendRecord(rec));
    (*t)->close();
  };
  make("ALFA.DBF", "aaa");
  make("BETA.DBF", "bbb");
  ASSERT_TRUE(st.ws.use((st.dir / "ALFA.DBF").string(), {"", xbase::Share::Exclusive, true}));
  ASSERT_TRUE(st.ws.use((st.dir / "BETA.DBF").string(), {"", xbase::Share::Exclusive, true}));
  st.rt.evaluate("KOD := 'mem'");
  EXPECT_EQ(st.eval("KOD"), "bbb") << "reading: the field of the current area wins";
  EXPECT_EQ(st.eval("M->KOD"), "mem");
  EXPECT_EQ(st.eval("ALFA->KOD"), "aaa");
  EXPECT_EQ(st.eval("(1)->(KOD + ALIAS())"), "aaaALFA");
  EXPECT_EQ(st.eval("ALIAS()"), "BETA") << "the previous area is selected again";
  st.ws.select(1);
  EXPECT_EQ(st.eval("KOD"), "aaa") << "another area selected: the name is resolved again";
  st.ws.current()->goTop();
  st.rt.evaluate("FIELD->KOD := 'xyz'");
  EXPECT_EQ(st.eval("ALFA->KOD"), "xyz");
  EXPECT_THROW(st.rt.evaluate("NONE->KOD"), rt::RuntimeError);
}

}  // namespace
