// The operator's index rebuild INDEX over a small installation: the groups, the repairs of
// the order lines and the contractors, the conditional and alternative keys, the way out
// on Esc with and without the delete-all request, and the screen around it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "con/key_codes.hpp"
#include "core/program_vars.hpp"
#include "core/routines_fixture.hpp"
#include "db/verify.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "store/index_catalogue.hpp"
#include "store/schema.hpp"

namespace {

using coretest::RoutinesStation;
using con::key::kEsc;
using Row = std::map<std::string, std::string>;

std::string textOf(const rt::Value& v) { return v.isDate() ? v.date().dtos() : rt::utf8FromCp852(v.text()); }

// Every table of the catalogue, empty, and the station folder of station 01.
struct Installation : RoutinesStation {
  Installation() {
    rt.vars().set("_KARTOTEKA", rt::Value::character("DANE"));
    core::setStationFolder(rt);
    std::filesystem::create_directory(paths.resolve(tables.stationFolder()));
    for (const store::CatalogueTable& t : store::indexCatalogue()) EXPECT_TRUE(store::createEmpty(tables, t.table)) << t.table;
    rt.vars().set("_KONTO_PH", rt::Value::character("00003"));
  }

  // Appends records to a table of the program folder; dates as yyyymmdd; a "*" deletes.
  void add(const std::string& table, const std::vector<Row>& rows) {
    db::WorkArea& a = open(table);
    for (const Row& row : rows) {
      EXPECT_TRUE(a.appendBlank());
      for (const auto& [name, text] : row) {
        if (name == "*") {
          EXPECT_TRUE(a.deleteRecord());
          continue;
        }
        const auto i = a.fieldIndex(name);
        ASSERT_TRUE(i) << name;
        const rt::Value v = a.field(*i).type == xbase::dbf::FieldType::Date
                                ? rt::Value::date(rt::Date::fromDtos(text))
                                : rt::Value::character(rt::cp852FromUtf8(text));
        EXPECT_TRUE(a.replace(*i, v)) << name;
      }
    }
    ws.close(a.number());
  }

  // One field of every record, in record order (deleted ones marked with a "*").
  std::vector<std::string> column(const std::string& table, const std::string& name) {
    db::WorkArea& a = open(table);
    std::vector<std::string> out;
    const std::size_t i = *a.fieldIndex(name);
    a.forEachRecord([&](std::uint32_t) { out.push_back((a.deleted() ? "*" : "") + textOf(a.value(i))); });
    ws.close(a.number());
    return out;
  }

  // The field in the order of index file `index`.
  std::vector<std::string> inOrder(const std::string& table, const std::string& index, const std::string& name) {
    db::WorkArea& a = open(table);
    EXPECT_TRUE(a.addOrder(path(index + ".NTX")));
    const std::size_t i = *a.fieldIndex(name);
    std::vector<std::string> out;
    for (a.goTop(); !a.eof(); a.skip()) out.push_back(textOf(a.value(i)));
    const db::Verdict v = db::verifyIndex(a, *a.order(1));
    EXPECT_TRUE(v.ok) << index << ": " << v.reason;
    ws.close(a.number());
    return out;
  }

  bool has(const std::string& file) const { return std::filesystem::exists(dir / file); }

  // Runs INDEX after the keys scripted so far; its pauses pass on the virtual clock.
  void index(bool deleteAll = false, const std::string& group = " ") {
    call("INDEX", {rt::Value::logical(deleteAll), rt::Value::character(group)});
  }
};

std::string trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

std::vector<std::string> trimmedAll(std::vector<std::string> v) {
  for (std::string& s : v) s = trimmed(s);
  return v;
}

TEST(INDEX, EveryGroupBuildsItsOwnIndexesAndTheAlwaysTables) {
  struct Case {
    std::string group;
    std::vector<std::string> built, notBuilt;
  };
  const std::vector<std::string> always = {"EDIT.NTX", "ZMIANY.NTX", "SL_OPE_H.NTX", "SL_PLA.NTX",
                                           "SL_KONT.NTX", "NR_ZAM.NTX"};
  const Case cases[] = {
      {"H", {"KON_NR.NTX", "KON_TXT.NTX", "SPR_P_DI.NTX", "TOW_SW.NTX", "UPUSTY_T.NTX", "SL_G_KON.NTX", "SL_JM.NTX"},
       {"EWIZ_SI.NTX", "EWIA_TE.NTX", "ZAM_N_S.NTX", "CRM_TE.NTX", "SL_CRM_N.NTX"}},
      {"Z", {"EWIZ_TE.NTX", "EWIA_SI.NTX", "ZAM_N_O.NTX", "ZAM_P_S.NTX"}, {"KON_NR.NTX", "CRM_PH.NTX"}},
      {"C", {"CRM_KT.NTX", "SL_CRM_O.NTX"}, {"TOW_IN.NTX", "EWIZ_SI.NTX"}},
      {" ", {"EWIZ_SI.NTX", "CRM_TE.NTX", "TOW_IN.NTX", "SL_JM.NTX"}, {}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE("group '" + k.group + "'");
    Installation s;
    s.index(false, k.group);
    for (const std::string& f : always) EXPECT_TRUE(s.has(f)) << f;
    EXPECT_TRUE(std::filesystem::exists(s.paths.resolve(s.tables.stationFolder() + "PARADRUK.NTX")))
        << "the station's print settings, copied from the program folder";
    for (const std::string& f : k.built) EXPECT_TRUE(s.has(f)) << f;
    for (const std::string& f : k.notBuilt) EXPECT_FALSE(s.has(f)) << f;
    EXPECT_EQ(s.ws.lowestFree(), 1) << "every table closed";
  }
}

TEST(INDEX, TheOrderPairIsPassedOverUnlessBothTablesExist) {
  Installation s;
  std::filesystem::remove(s.dir / "ZAM_P.DBF");
  s.index(false, "Z");
  EXPECT_FALSE(s.has("ZAM_N_S.NTX"));
  EXPECT_TRUE(s.has("EWIZ_SI.NTX")) << "the rest of the group goes on";
}

TEST(INDEX, ContractorsKeepTheFirstRecordOfEachNumberAndOneHeadOffice) {
  Installation s;
  s.add("KON", {{{"NR_KON", "00012"}, {"NAZWA_KON", "Pierwszy"}},
                {{"NR_KON", "00000"}, {"NAZWA_KON", "Centrala"}},
                {{"NR_KON", "00007"}, {"NAZWA_KON", "Usunięty"}, {"*", ""}},
                {{"NR_KON", "00007"}, {"NAZWA_KON", "Siódmy"}},
                {{"NR_KON", "00012"}, {"NAZWA_KON", "Drugi"}},
                {{"NR_KON", "00000"}, {"NAZWA_KON", "Centrala 2"}},
                {{"NR_KON", "00000"}, {"NAZWA_KON", "Centrala 3"}}});
  s.index(false, "H");
  EXPECT_EQ(trimmedAll(s.column("KON", "NAZWA_KON")), (std::vector<std::string>{"Centrala", "Siódmy", "Pierwszy"}))
      << "one record per number, the first live one of each, in number order";
  EXPECT_EQ(trimmedAll(s.inOrder("KON", "KON_NR", "NR_KON")), (std::vector<std::string>{"00000", "00007", "00012"}));
  EXPECT_EQ(s.inOrder("KON", "KON_NA", "NR_KON").size(), 3u);
  EXPECT_EQ(trimmedAll(s.column("DANE#01/KON_NR_U", "NAZWA_KON")),
            (std::vector<std::string>{"Centrala", "Siódmy", "Pierwszy"}))
      << "the one-per-number copy stays in the station folder";
  // A second rebuild finds the table in shape already and leaves it so.
  s.index(false, "H");
  EXPECT_EQ(trimmedAll(s.column("KON", "NAZWA_KON")), (std::vector<std::string>{"Centrala", "Siódmy", "Pierwszy"}));
  EXPECT_EQ(trimmedAll(s.inOrder("KON", "KON_NR", "NR_KON")), (std::vector<std::string>{"00000", "00007", "00012"}));
  EXPECT_EQ(s.column("DANE#01/KON_NR_U", "NAZWA_KON").size(), 3u);
}

TEST(INDEX, TheNameOrderTakesTheShortNameFirstWhenTheVariantAsksForIt) {
  struct Case {
    char at66;
    std::vector<std::string> order;
  };
  const Case cases[] = {{'S', {"00002", "00001"}}, {' ', {"00001", "00002"}}};
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(1, k.at66));
    Installation s;
    s.rt.vars().set("_WERSJA", rt::Value::character(std::string(65, 'N') + k.at66 + "NNNN"));
    s.add("KON", {{{"NR_KON", "00001"}, {"NAZWA_KON", "Alfa"}, {"SKROT", "  Zeta"}},
                  {{"NR_KON", "00002"}, {"NAZWA_KON", "Beta"}, {"SKROT", "Ares"}}});
    s.index(false, "H");
    EXPECT_EQ(trimmedAll(s.inOrder("KON", "KON_NA", "NR_KON")), k.order);
  }
}

TEST(INDEX, OrderLinesInEditComeBackAndStandInOrderSymbolThenGoodsName) {
  Installation s;
  s.add("EWIZAM", {{{"KONTO", "00003"}, {"DATA_ZAM", "20160310"}, {"NR_ZAM", "0002"}, {"TYP", "P"}, {"STATUS", "E"},
                    {"NAZWA_TOW", "Cukier"}},
                   {{"KONTO", "00003"}, {"DATA_ZAM", "20160301"}, {"NR_ZAM", "0001"}, {"TYP", "P"}, {"STATUS", "A"},
                    {"NAZWA_TOW", "Sól"}},
                   {{"KONTO", "00003"}, {"DATA_ZAM", "20160301"}, {"NR_ZAM", "0001"}, {"TYP", "N"}, {"STATUS", "E"},
                    {"NAZWA_TOW", "Kawa"}},
                   {{"KONTO", "00001"}, {"DATA_ZAM", "20160320"}, {"NR_ZAM", "0009"}, {"TYP", "P"}, {"STATUS", "Z"},
                    {"NAZWA_TOW", "Mąka"}}});
  {  // a deleted line and a memo that must follow its line through the rewrite
    db::WorkArea& a = **s.ws.use(s.path("EWIZAM.DBF"), {"EWIZAM", xbase::Share::Exclusive, true});
    a.goTo(2);
    EXPECT_TRUE(a.replace("OPIS", rt::Value::character("notatka soli")));
    a.goTo(4);
    EXPECT_TRUE(a.deleteRecord());
    s.ws.close(a.number());
  }
  s.index(false, "Z");
  EXPECT_EQ(trimmedAll(s.column("EWIZAM", "NAZWA_TOW")), (std::vector<std::string>{"Kawa", "Sól", "Cukier"}));
  EXPECT_EQ(s.column("EWIZAM", "STATUS"), (std::vector<std::string>{"A", "A", "A"}));
  EXPECT_EQ(trimmedAll(s.column("EWIZAM", "OPIS")), (std::vector<std::string>{"", "notatka soli", ""}));
  EXPECT_EQ(trimmedAll(s.inOrder("EWIZAM", "EWIZ_SI", "NAZWA_TOW")), (std::vector<std::string>{"Kawa", "Sól", "Cukier"}));
  EXPECT_FALSE(std::filesystem::exists(s.paths.resolve(s.tables.stationFolder() + "EWIZAM_R.NTX")));
}

TEST(INDEX, TheDueDateOrderHoldsOnlyTheOwnAccountAndEmptyNotesGo) {
  Installation s;
  s.add("CRM", {{{"KONTO", "00003"}, {"TYP", "T"}, {"TERMIN", "20160402"}},
                {{"KONTO", "00005"}, {"TYP", "T"}, {"TERMIN", "20160401"}},
                {{"KONTO", "00003"}, {"TYP", "A"}, {"TERMIN", "20160403"}}});
  s.add("KON_TXT", {{{"NR_KON", "00001"}, {"TEKST", "Dzwonić rano"}}, {{"NR_KON", "00002"}}, {{"NR_KON", "00003"}, {"TEKST", "  "}}});
  s.index();
  EXPECT_EQ(trimmedAll(s.inOrder("CRM", "CRM_TE", "TERMIN")), (std::vector<std::string>{"20160403", "20160402"}));
  EXPECT_EQ(s.inOrder("CRM", "CRM_PH", "KONTO").size(), 3u);
  EXPECT_EQ(s.column("KON_TXT", "NR_KON"), (std::vector<std::string>{"00001"}));
}

// A table with deleted records is packed and indexed anew; one without keeps its records.
TEST(INDEX, DeletedRecordsArePackedAwayAndTheIndexesFollow) {
  Installation s;
  s.add("SL_JM", {{{"JM", "szt"}}, {{"JM", "kg"}, {"*", ""}}, {{"JM", "opak"}}, {{"JM", "l"}, {"*", ""}}});
  s.add("SL_G_KON", {{{"GRUPA_KON", "B"}}, {{"GRUPA_KON", "A"}}});
  s.index(false, "H");
  EXPECT_EQ(trimmedAll(s.column("SL_JM", "JM")), (std::vector<std::string>{"szt", "opak"}));
  EXPECT_EQ(trimmedAll(s.inOrder("SL_JM", "SL_JM", "JM")), (std::vector<std::string>{"opak", "szt"}));
  EXPECT_EQ(trimmedAll(s.inOrder("SL_G_KON", "SL_G_KON", "GRUPA_KON")), (std::vector<std::string>{"A", "B"}));
}

TEST(INDEX, EscAfterTheFirstTableStopsTheRebuild) {
  struct Case {
    bool deleteAll;
    bool laterIndexesLeft;
  };
  for (const Case k : {Case{true, false}, Case{false, true}}) {
    SCOPED_TRACE(k.deleteAll);
    Installation s;
    s.index();
    ASSERT_TRUE(s.has("TOW_IN.NTX"));
    std::filesystem::remove(s.dir / "EDIT.NTX");
    s.script.key(kEsc).type("T");
    s.index(k.deleteAll, " ");
    EXPECT_TRUE(s.wasShown(12, "Przerwać sortowanie ?"));
    EXPECT_TRUE(s.has("EDIT.NTX")) << "the table done before Esc keeps its new index";
    for (const char* f : {"ZMIANY.NTX", "SL_OPE_H.NTX", "EWIZ_SI.NTX", "KON_NR.NTX", "TOW_IN.NTX", "SL_JM.NTX"})
      EXPECT_EQ(s.has(f), k.laterIndexesLeft) << f;
    EXPECT_EQ(s.ws.lowestFree(), 1);
  }
}

TEST(INDEX, AnotherStructureStampInStatusRunsTheUpgradeFirst) {
  struct Case {
    std::vector<xbase::dbf::FieldSpec> fields;
    std::string stamp;
    std::vector<std::string> upgrades;  // the old stamps UZG_WER was given
  };
  const Case cases[] = {
      {{{"DATA_AKT", 'D', 8}, {"DATA_LIC", 'C', 6}}, "160425", {"160425"}},
      {{{"DATA_AKT", 'D', 8}, {"DATA_LIC", 'C', 6}}, "180916", {}},
      {{{"DATA_AKT", 'D', 8}}, "", {"      "}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.stamp);
    Installation s;
    s.makeTable("STATUS", k.fields, {{"20160101", k.stamp}});
    std::vector<std::string> upgrades;
    s.rt.functions().add("UZG_WER", [&](rt::Runtime&, rt::Args& a) {
      upgrades.push_back(a[0].text());
      return rt::Value::logical(true);
    });
    s.index(false, "C");
    EXPECT_EQ(upgrades, k.upgrades);
    EXPECT_TRUE(s.has("CRM_PH.NTX")) << "the rebuild goes on";
  }
}

TEST(INDEX, TheScreenShowsTheTitleTheBarTheTonesAndTheTableNameForAdministrators) {
  Installation s;
  s.rt.vars().set("_PRIORYTET", rt::Value::number(9));
  s.index(false, "C");
  EXPECT_TRUE(s.wasShown(0, "█▓▓▒▒░░  SORTOWANIE ZBIORÓW  ░░▒▒▓▓█"));
  EXPECT_TRUE(s.wasShown(23, "SL_CRM"));
  EXPECT_TRUE(s.wasShown(24, "█"));
  ASSERT_EQ(s.script.tones().size(), 2u) << "after EDIT and after ZMIANY";
  EXPECT_EQ(s.script.tones()[0].hertz, 880);
  EXPECT_EQ(s.now().row(24), std::string(80, ' ')) << "the bar is gone at the end";
  EXPECT_EQ(s.call("ORD4").text(), "kod paskowy");
}

}  // namespace
