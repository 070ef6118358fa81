// tests/store/schema_test.cpp — the catalogue of tables: well-formed definitions, the
// widths the program's operations rely on, and every table created empty and opened again.
#include "store/schema.hpp"

#include <gtest/gtest.h>

#include <set>

#include "db/work_area.hpp"
#include "store/use.hpp"
#include "store_testing.hpp"

namespace {

using storetest::Station;

TEST(Catalogue, HoldsEveryTableOfAnInstallationOnceWithWellFormedFields) {
  const std::set<std::string> expected = {
      "CONFIG", "CRM",    "DATA_AKT", "EDIT",     "EDIT_WZ", "ERR_LOG",  "EWIARC",   "EWIZAM", "FAK_TXT", "HASLA",
      "HALO",   "HELP",   "INFO_LOG", "KON",    "KON_TXT",  "MENU",    "NR_ZAM",   "NZAM",     "PARADRUK", "PZAM",  "SL_CRM",
      "SL_G_KON", "SL_G_TOW", "SL_JM", "SL_KONT", "SL_OPE",  "SL_PLA",   "SPR_N",    "SPR_N_UP", "SPR_P", "STATUS",
      "TABELA", "TOW",    "UPUSTY",  "WYDRUKI",  "ZAM_N",   "ZAM_P",    "ZMIANY"};
  std::set<std::string> names;
  for (const store::TableDef& d : store::catalogue()) {
    SCOPED_TRACE(std::string(d.name));
    EXPECT_TRUE(names.insert(std::string(d.name)).second) << "listed twice";
    EXPECT_EQ(store::checkDefinition(d), "");
  }
  EXPECT_EQ(names, expected);
  for (const store::TableDef& d : store::packageTables()) EXPECT_EQ(store::checkDefinition(d), "") << d.name;
  EXPECT_EQ(store::findTable("sl_ope"), store::findTable("SL_OPE"));
  EXPECT_EQ(store::findTable("BRAK"), nullptr);
}

TEST(Catalogue, CarriesTheFieldsOtherOperationsRelyOn) {
  struct Case {
    const char* table;
    const char* field;
    char type;
    int width, decimals;
  };
  const Case cases[] = {
      {"STATUS", "DATA_LIC", 'C', 6, 0},   {"STATUS", "DATA_AKT", 'D', 8, 0},  {"KON", "UWAGI", 'C', 74, 0},
      {"KON", "PUNKTY_OK", 'N', 5, 0},     {"ZAM_P", "SEKTOR", 'C', 5, 0},     {"ZAM_N", "ILO_SKA", 'N', 9, 2},
      {"ZAM_N", "KUPONY", 'C', 1, 0},      {"EWIZAM", "PACZKI", 'C', 14, 0},   {"EWIZAM", "ILO_FAK", 'N', 10, 3},
      {"EWIARC", "SKAN", 'C', 3, 0},       {"SPR_P", "JM", 'C', 4, 0},         {"ZMIANY", "INDEKS", 'C', 20, 0},
      {"CRM", "OPERACJA", 'C', 38, 0},     {"CRM", "OPIS", 'M', 10, 0},        {"SL_OPE", "HASLO", 'C', 6, 0},
      {"NR_ZAM", "ROK_ZAM", 'C', 4, 0},    {"NZAM", "RABAT_N", 'N', 9, 2},     {"SPR_N_UP", "WART_ZAP", 'N', 12, 2},
      {"DATA_AKT", "CZAS", 'C', 5, 0},     {"KON_TXT", "TEKST", 'M', 10, 0},   {"HELP", "OPIS", 'M', 10, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.table) + "." + c.field);
    const store::TableDef* d = store::findTable(c.table);
    ASSERT_NE(d, nullptr);
    const auto f = std::find_if(d->fields.begin(), d->fields.end(), [&](const store::FieldDef& x) { return x.name == c.field; });
    ASSERT_NE(f, d->fields.end());
    EXPECT_EQ(f->type, c.type);
    EXPECT_EQ(f->width, c.width);
    EXPECT_EQ(f->decimals, c.decimals);
  }
}

TEST(Catalogue, EveryTableCanBeCreatedEmptyAndOpenedAgainWithItsFields) {
  Station st;
  for (const store::TableDef& d : store::catalogue()) {
    SCOPED_TRACE(std::string(d.name));
    ASSERT_TRUE(store::createEmpty(st.tables, d.name));
    ASSERT_TRUE(store::USE_(st.tables, d.name, "E"));
    db::WorkArea& a = *st.ws.current();
    EXPECT_EQ(a.lastRec(), 0u);
    ASSERT_EQ(a.fieldCount(), d.fields.size());
    for (std::size_t i = 0; i < d.fields.size(); ++i) {
      EXPECT_EQ(a.field(i).name, d.fields[i].name);
      EXPECT_EQ(static_cast<char>(a.field(i).type), d.fields[i].type);
      EXPECT_EQ(int(a.field(i).length), d.fields[i].width);
      EXPECT_EQ(int(a.field(i).decimals), d.fields[i].decimals);
    }
    const bool memo = std::any_of(d.fields.begin(), d.fields.end(), [](const store::FieldDef& f) { return f.type == 'M'; });
    EXPECT_EQ(a.table().hasMemo(), memo);
    st.ws.close(a.number());
  }
  EXPECT_TRUE(store::createEmpty(st.tables, "BRAK").is(base::Errc::NotFound));
}

TEST(Catalogue, CreatingReplacesAnOldTableButNotOneInUse) {
  Station st;
  st.makeTable("TOW", 3);
  ASSERT_TRUE(store::USE_(st.tables, "TOW", "R"));
  EXPECT_TRUE(store::createEmpty(st.tables, "TOW").is(base::Errc::Locked));
  EXPECT_EQ(st.ws.current()->lastRec(), 3u);
  st.ws.closeAll();
  ASSERT_TRUE(store::createEmpty(st.tables, "TOW"));
  ASSERT_TRUE(store::USE_(st.tables, "TOW", "S"));
  EXPECT_EQ(st.ws.current()->lastRec(), 0u);
  EXPECT_EQ(st.ws.current()->fieldCount(), store::findTable("TOW")->fields.size());
}

}  // namespace
