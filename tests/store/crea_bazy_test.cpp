// tests/store/crea_bazy_test.cpp — CREA_BAZY: the package tables in the station folder,
// and the program folder's copies made only where missing.
#include "store/crea_bazy.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "db/work_area.hpp"
#include "store/schema.hpp"
#include "store/use.hpp"
#include "store_testing.hpp"

namespace {

using storetest::Station;

struct Installation : Station {
  Installation() {
    std::filesystem::create_directory(dir / "DANE#01");
    rt.vars().declarePublic("_SC");
    rt.vars().set("_SC", rt::Value::character("DANE#01\\"));
  }
  bool has(const std::string& name) { return std::filesystem::exists(dir / name); }
  // Field names of a table, comma-separated, and its record count.
  std::string structure(const std::string& name, std::uint32_t* records = nullptr) {
    EXPECT_TRUE(store::USE_(tables, name, "E"));
    db::WorkArea& a = *ws.current();
    std::string out;
    for (std::size_t i = 0; i < a.fieldCount(); ++i) out += (i ? "," : "") + a.field(i).name;
    if (records) *records = a.lastRec();
    ws.close(a.number());
    return out;
  }
};

std::string names(const store::TableDef& d) {
  std::string out;
  for (const store::FieldDef& f : d.fields) out += (out.empty() ? "" : ",") + std::string(f.name);
  return out;
}

TEST(CREA_BAZY, WithoutTheFlagMakesTheFourPackageTablesAndLeavesTheProgramFolderAlone) {
  Installation st;
  ASSERT_TRUE(store::CREA_BAZY(st.tables));
  for (const char* n : {"TOW", "KON", "SPR_N", "SPR_P"}) {
    SCOPED_TRACE(n);
    EXPECT_FALSE(st.has(std::string(n) + ".DBF"));
    std::uint32_t records = 99;
    EXPECT_EQ(st.structure("DANE#01\\" + std::string(n), &records), names(store::packageTable(n)));
    EXPECT_EQ(records, 0u);
  }
  EXPECT_EQ(st.structure("DANE#01\\SPR_P"), "DOKUMENT,DATA_DOK,NR_KON,INDEKS,VAT,ILOSC,CENA_SPR");
}

TEST(CREA_BAZY, WithTheFlagFillsOnlyWhatTheProgramFolderLacks) {
  Installation st;
  st.makeTable("KON", 2);  // an existing table of the installation, with data
  ASSERT_TRUE(store::CREA_BAZY(st.tables, store::ToProgramFolder::Yes));
  std::uint32_t records = 0;
  EXPECT_EQ(st.structure("KON", &records), "KOD,NAZWA");
  EXPECT_EQ(records, 2u);
  for (const char* n : {"TOW", "SPR_N", "SPR_P"}) {
    SCOPED_TRACE(n);
    EXPECT_EQ(st.structure(n, &records), names(*store::findTable(n)));
    EXPECT_EQ(records, 0u);
  }
  EXPECT_NE(st.structure("SPR_P").find(",JM"), std::string::npos);  // the installation's lines carry the unit
}

TEST(CREA_BAZY, ASecondCallEmptiesTheStationTablesAgain) {
  Installation st;
  ASSERT_TRUE(store::CREA_BAZY(st.tables));
  ASSERT_TRUE(store::USE_(st.tables, "DANE#01\\TOW", "E"));
  ASSERT_TRUE(st.ws.current()->appendBlank());
  st.ws.closeAll();
  ASSERT_TRUE(store::CREA_BAZY(st.tables));
  std::uint32_t records = 9;
  st.structure("DANE#01\\TOW", &records);
  EXPECT_EQ(records, 0u);
}

TEST(CREA_BAZY, ATableInUseElsewhereStopsItWithoutTouchingTheRest) {
  Installation st;
  ASSERT_TRUE(store::CREA_BAZY(st.tables));
  ASSERT_TRUE(store::USE_(st.tables, "DANE#01\\KON", "S"));
  EXPECT_TRUE(store::CREA_BAZY(st.tables, store::ToProgramFolder::Yes).is(base::Errc::Locked));
  EXPECT_FALSE(st.has("SPR_N.DBF"));
}

}  // namespace
