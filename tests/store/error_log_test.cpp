// tests/store/error_log_test.cpp — the error log is written only where ERR_LOG exists.
#include "store/error_log.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "db/work_area.hpp"
#include "store/schema.hpp"
#include "store/use.hpp"
#include "store_testing.hpp"

namespace {

using storetest::Station;

TEST(ErrorLog, AppendsOneEntryWithStationOperatorProcedureAndLine) {
  Station st;
  for (const char* n : {"NUMER_STAN", "_OPERATOR"}) st.rt.vars().declarePublic(n);
  st.rt.vars().set("NUMER_STAN", rt::Value::character("02"));
  st.rt.vars().set("_OPERATOR", rt::Value::character("OPE"));
  ASSERT_TRUE(store::createEmpty(st.tables, "ERR_LOG"));
  st.makeTable("KON");
  ASSERT_TRUE(store::USE_(st.tables, "KON", "S"));
  st.tables.seams.reportError = nullptr;  // the default: the table itself
  st.tables.reportError("Blokada dostępu do zbioru KON.", {"EZAM", 120});
  EXPECT_EQ(st.ws.selected(), 1);
  EXPECT_EQ(st.ws.find("ERR_LOG"), nullptr);

  st.ws.select(0);
  ASSERT_TRUE(store::USE_(st.tables, "ERR_LOG", "R"));
  db::WorkArea& a = *st.ws.current();
  ASSERT_EQ(a.lastRec(), 1u);
  a.goTop();
  const auto text = [&](const char* f) {
    std::string s = a.value(*a.fieldIndex(f)).text();
    return s.erase(s.find_last_not_of(' ') + 1);
  };
  EXPECT_EQ(a.value(*a.fieldIndex("DATA")).date().dtos(), "20240305");
  EXPECT_EQ(text("CZAS"), "10:00:00");
  EXPECT_EQ(text("STA"), "02");
  EXPECT_EQ(text("OPE"), "OPE");
  EXPECT_EQ(text("OPIS"), "Blokada dostępu do zbioru KON.");
  EXPECT_EQ(text("PROCEDURA"), "EZAM");
  EXPECT_EQ(a.value(*a.fieldIndex("LINIA")).num(), 120);
}

TEST(ErrorLog, WithoutTheTableNothingIsWrittenOrCreated) {
  Station st;
  store::appendErrorLog(st.tables, "x", {"P", 1});
  EXPECT_FALSE(std::filesystem::exists(st.dir / "ERR_LOG.DBF"));
  EXPECT_EQ(st.ws.current(), nullptr);
}

}  // namespace
