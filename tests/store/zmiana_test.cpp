// tests/store/zmiana_test.cpp — the goods-code conversion: which fields hold a goods code,
// how one code is widened, and ZMIANA over a small installation (the log table, missing
// tables and memo files, index files, CONFIG, the run by hand).
#include "store/goods_code/zmiana.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "store/goods_code/goods_code.hpp"
#include "store/use.hpp"
#include "store_testing.hpp"

namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

TEST(GoodsCodeField, IsACharacterFieldNamedWithIndOfWidthFourToTwentyNine) {
  struct Case {
    const char* name;
    xbase::dbf::FieldType type;
    int width;
    bool goodsCode;
  };
  using T = xbase::dbf::FieldType;
  const Case cases[] = {{"INDEKS", T::Character, 20, true},   {"INDEKS1", T::Character, 20, true},
                        {"INDEKS", T::Character, 30, false},  {"INDEKS", T::Character, 29, true},
                        {"INDEKS", T::Character, 4, true},    {"INDEKS", T::Character, 3, false},
                        {"FORMAT_IND", T::Character, 20, true}, {"NAZWA_TOW", T::Character, 20, false},
                        {"INDEKS", T::Numeric, 5, false},     {"INDEKS", T::Memo, 10, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.width));
    xbase::dbf::Field f;
    f.name = c.name;
    f.type = c.type;
    f.length = static_cast<std::uint16_t>(c.width);
    EXPECT_EQ(store::isGoodsCodeField(f), c.goodsCode);
  }
}

TEST(GoodsCodeField, OnlyFourCharacterCodesGetALeadingZero) {
  struct Case {
    std::string before, after;
  };
  const Case cases[] = {
      {"1234                ", "01234               "},  // left-aligned in a wide field
      {"1234 ", "01234"},                                // exactly wide enough
      {"      1234", "01234     "},                      // right-aligned: the code, not the blanks, is widened
      {"123  ", "123  "},          {"12345", "12345"},   {"     ", "     "},
      {"AB-1 ", "0AB-1"},          {"1 34 ", "01 34"},   // four characters whatever they are
      {"1234", "1234"},  // a field of width 4 cannot take five: cutting would lose the last character
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("[" + c.before + "]");
    std::vector<std::byte> cell(c.before.size());
    std::transform(c.before.begin(), c.before.end(), cell.begin(), [](char ch) { return std::byte(ch); });
    EXPECT_EQ(store::widenGoodsCode(cell), c.before != c.after);
    const std::string got(reinterpret_cast<const char*>(cell.data()), cell.size());
    EXPECT_EQ(got, c.after);
    EXPECT_FALSE(store::widenGoodsCode(cell)) << "a second pass changes nothing";
  }
}

// A program folder with the station folder DANE#01 and the routines ZMIANA calls by name
// replaced by recorders and stand-ins.
struct Installation : storetest::Station {
  Installation() {
    fs::create_directory(dir / "DANE#01");
    for (const char* v : {"_SC", "_FORMAT_IND", "_HASLO"}) rt.vars().declarePublic(v);
    rt.vars().set("_SC", rt::Value::character("DANE#01\\"));
    rt.vars().set("_FORMAT_IND", rt::Value::character("9999"));
    rt.vars().set("_HASLO", rt::Value::character("TAJNE1"));
    rt.functions().add("INDEX", [this](rt::Runtime& r, rt::Args& a) {
      indexCalls.push_back({a.size(), r.vars().get("_FORMAT_IND").text(), fieldOf("CONFIG", "FORMAT_IND")});
      return rt::Value();
    });
    rt.functions().add("QPC", [](rt::Runtime&, rt::Args&) { return rt::Value(); });  // the wait box
    rt.functions().add("HA", [this](rt::Runtime&, rt::Args& a) {
      haArgs.push_back(a[0].text() + "/" + (a[1].logical() ? "T" : "F") + "/" + std::to_string(int(a[2].num())));
      return rt::Value::logical(haAccepts);
    });
    table("CONFIG", {{"FORMAT_IND", 'C', 20}, {"KONTO_PH", 'C', 5}}, {{"9999", "00000"}});
  }

  void table(const std::string& name, const std::vector<xbase::dbf::FieldSpec>& fields, const Rows& rows,
             const std::vector<int>& deleted = {}) {
    auto t = xbase::DbfFile::create(env, script.clock(), (dir / (name + ".DBF")).string(), fields);
    ASSERT_TRUE(t.has_value()) << t.error().toString();
    for (std::size_t r = 0; r < rows.size(); ++r) {
      std::vector<std::byte> rec = (*t)->blankRecord();
      for (std::size_t i = 0; i < rows[r].size(); ++i)
        ASSERT_TRUE((*t)->setValue(rec, i, rt::Value::character(rows[r][i])));
      if (std::find(deleted.begin(), deleted.end(), int(r) + 1) != deleted.end()) xbase::setDeleted(rec, true);
      ASSERT_TRUE((*t)->appendRecord(rec));
    }
    (*t)->close();
  }

  // Every record of a table (deleted ones included), fields trimmed on the right, "|"-joined.
  Rows contents(const std::string& name) {
    Rows out;
    auto t = xbase::DbfFile::open(env, script.clock(), paths.resolve(name + ".DBF"), xbase::Share::SharedReadOnly);
    EXPECT_TRUE(t.has_value()) << name;
    if (!t) return out;
    std::vector<std::byte> rec((*t)->recordLength());
    for (std::uint32_t r = 1; (*t)->readRecord(r, rec); ++r) {
      std::vector<std::string> row;
      for (std::size_t i = 0; i < (*t)->fields().size(); ++i) {
        const rt::Value v = (*t)->value(rec, i);
        std::string s = v.isText() ? v.text() : v.isNumber() ? std::to_string(int(v.num())) : "";
        s.erase(s.find_last_not_of(' ') + 1);
        row.push_back(s);
      }
      out.push_back(row);
    }
    (*t)->close();
    return out;
  }
  std::string fieldOf(const std::string& table, const std::string& field) {
    const Rows rows = contents(table);
    auto t = xbase::DbfFile::open(env, script.clock(), paths.resolve(table + ".DBF"), xbase::Share::SharedReadOnly);
    const auto i = (*t)->fieldIndex(field);
    (*t)->close();
    return rows.empty() || !i ? "" : rows[0][*i];
  }
  void touch(const std::string& file) { std::ofstream(dir / file) << "x"; }
  bool has(const std::string& file) { return fs::exists(dir / file); }
  int tones(double hertz) {
    int n = 0;
    for (const auto& t : script.tones()) n += t.hertz == hertz;
    return n;
  }

  struct IndexCall {
    std::size_t args;
    std::string picture, configPicture;
  };
  std::vector<IndexCall> indexCalls;
  std::vector<std::string> haArgs;
  bool haAccepts = true;
};

TEST(ZMIANA, WidensTheCodesOfEveryTableAndLogsWhatItFound) {
  Installation s;
  s.table("TOW", {{"INDEKS", 'C', 20}, {"NAZWA_TOW", 'C', 30}},
          {{"", "pusty"}, {"1234", "a"}, {"123", "b"}, {"12345", "c"}, {"4321", "d"}}, {5});
  s.table("TABELA", {{"INDEKS", 'C', 30}, {"INDEKS1", 'C', 20}, {"INDEKS2", 'C', 20}},
          {{"1234", "", ""}, {"5678", "9999", ""}});

  store::ZMIANA(s.tables);

  EXPECT_EQ(s.contents("TOW"), (Rows{{"", "pusty"}, {"01234", "a"}, {"123", "b"}, {"12345", "c"}, {"04321", "d"}}));
  EXPECT_EQ(s.contents("TABELA"), (Rows{{"1234", "", ""}, {"5678", "09999", ""}}));
  // CONFIG's own goods-code picture field is a goods-code field too; then it gets "99999".
  EXPECT_EQ(s.contents("CONFIG"), (Rows{{"99999", "00000"}}));
  Rows log = s.contents("DANE#01\\DBF");
  ASSERT_EQ(log.size(), 6u);
  EXPECT_EQ(log.back()[3].substr(0, 13), "KONIEC 10:00:");  // the time when the last table is done
  log.pop_back();
  EXPECT_EQ(log, (Rows{{"", "", "0", "START 10:00:00"},
                       {"CONFIG", "FORMAT_IND", "20", "9999"},
                       {"TABELA", "INDEKS1", "20", "9999"},
                       {"TABELA", "INDEKS2", "20", ""},
                       {"TOW", "INDEKS", "20", "1234"}}));
  EXPECT_EQ(s.row(0, 0, 80).find("ZMIANA INDEKSÓW NA 5-CIO ZNAKOWE") != std::string::npos, true);
  // Row 24 as the last table left it: the last name of the list, then the last field
  // converted and no records to go.
  EXPECT_EQ(s.row(24, 0, 17), "Plik ZMIANY      ");
  EXPECT_EQ(s.row(24, 30, 17), "Pole INDEKS      ");
  EXPECT_EQ(s.row(24, 60, 15), "Rekord        0");
  EXPECT_EQ(s.tones(880), 1);
  ASSERT_FALSE(s.errors.empty());
  EXPECT_EQ(s.errors.back(), "KONIEC");
}

TEST(ZMIANA, MissingTablesAndMemoFilesAreReportedAndPassedOver) {
  Installation s;
  s.table("CRM", {{"INDEKS", 'C', 20}, {"OPIS", 'M', 10}}, {{"1234"}});
  s.table("HELP", {{"INDEKS", 'C', 20}, {"TEKST", 'M', 10}}, {{"1234"}});
  s.table("SPR_P", {{"INDEKS", 'C', 20}}, {{"1234"}});
  fs::remove(s.dir / "CRM.DBT");

  store::ZMIANA(s.tables);

  EXPECT_EQ(s.contents("SPR_P"), (Rows{{"01234"}}));
  EXPECT_EQ(s.contents("HELP"), (Rows{{"01234", ""}}));
  std::map<std::string, int> reported;
  for (const std::string& e : s.errors) ++reported[e];
  EXPECT_EQ(reported["Brak pliku CRM.DBT"], 1);
  EXPECT_EQ(reported["Brak pliku KON.DBF"], 1);
  EXPECT_EQ(reported["Brak pliku ZMIANY.DBF"], 1);
  EXPECT_EQ(reported.count("Brak pliku SPR_P.DBF"), 0u);
  EXPECT_EQ(reported.count("Brak pliku HELP.DBT"), 0u);
  // 33 tables, four of them present, one of those without its memo file; then "KONIEC".
  EXPECT_EQ(s.errors.size(), 33u - 4u + 1u + 1u);
  EXPECT_EQ(s.tones(220), 30);
  // The picture is written although tables were passed over.
  EXPECT_EQ(s.fieldOf("CONFIG", "FORMAT_IND"), "99999");
}

TEST(ZMIANA, ATableWithAMemoFileOutsideTheListIsCheckedByItsHeader) {
  Installation s;
  s.table("TOW", {{"INDEKS", 'C', 20}, {"OPIS", 'M', 10}}, {{"1234"}});
  fs::remove(s.dir / "TOW.DBT");
  store::ZMIANA(s.tables);
  EXPECT_NE(std::find(s.errors.begin(), s.errors.end(), "Brak pliku TOW.DBT"), s.errors.end());
  EXPECT_EQ(s.passes, 0) << "no wait for a file that cannot come";
}

TEST(ZMIANA, RebuildsTheIndexesBeforeTheConfigurationIsChanged) {
  Installation s;
  s.table("TOW", {{"INDEKS", 'C', 20}}, {{"1234"}});
  s.table("SPR_P", {{"INDEKS", 'C', 20}}, {{"12345"}});
  for (const char* f : {"TOW_IN.NTX", "TOW_NA.NTX", "SPR_P_NR.NTX"}) s.touch(f);

  store::ZMIANA(s.tables);

  ASSERT_EQ(s.indexCalls.size(), 1u);
  EXPECT_EQ(s.indexCalls[0].args, 0u) << "INDEX with its defaults";
  EXPECT_EQ(s.indexCalls[0].picture, "99999");
  EXPECT_EQ(s.indexCalls[0].configPicture, "09999") << "CONFIG waits until the indexes are rebuilt";
  EXPECT_EQ(s.fieldOf("CONFIG", "FORMAT_IND"), "99999");
  // A changed table loses its index files before its first change; an unchanged one keeps them.
  EXPECT_FALSE(s.has("TOW_IN.NTX"));
  EXPECT_FALSE(s.has("TOW_NA.NTX"));
  EXPECT_TRUE(s.has("SPR_P_NR.NTX"));
}

TEST(ZMIANA, ARunByHandNeedsYesAndTheSpecialPassword) {
  struct Case {
    bool yes, password, converts;
  };
  const Case cases[] = {{false, true, false}, {true, false, false}, {true, true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.yes) + std::to_string(c.password));
    Installation s;
    s.table("TOW", {{"INDEKS", 'C', 20}}, {{"1234"}});
    s.answerYes = c.yes;
    s.haAccepts = c.password;

    store::ZMIANA(s.tables, false);

    EXPECT_EQ(s.questions, std::vector<std::string>{"Kontynuacja ?"});
    EXPECT_EQ(s.haArgs, c.yes ? std::vector<std::string>{"TAJNE1/F/0"} : std::vector<std::string>{});
    EXPECT_EQ(s.fieldOf("TOW", "INDEKS"), c.converts ? "01234" : "1234");
    EXPECT_EQ(s.fieldOf("CONFIG", "FORMAT_IND"), c.converts ? "99999" : "9999");
    EXPECT_EQ(s.has("DANE#01/DBF.DBF"), c.converts);
    // Declined or not, the picture of this run is "99999" and the indexes are rebuilt.
    EXPECT_EQ(s.rt.vars().get("_FORMAT_IND").text(), "99999");
    EXPECT_EQ(s.indexCalls.size(), 1u);
    EXPECT_EQ(s.errors.back(), "KONIEC");
  }
}

TEST(ZMIANA, ATableHeldByAnotherStationIsPassedOverWhenTheOperatorGivesUp) {
  Installation s;
  s.table("TOW", {{"INDEKS", 'C', 20}}, {{"1234"}});
  s.table("SPR_P", {{"INDEKS", 'C', 20}}, {{"1234"}});
  storetest::OtherStation other(s.dir.path().string(), "TOW", storetest::OtherStation::Hold::Exclusive);
  ASSERT_TRUE(other.ok());
  s.script.key(con::key::kEsc);

  store::ZMIANA(s.tables);
  other.release();

  EXPECT_EQ(s.fieldOf("TOW", "INDEKS"), "1234");
  EXPECT_EQ(s.fieldOf("SPR_P", "INDEKS"), "01234");
  EXPECT_EQ(std::count(s.errors.begin(), s.errors.end(), "Brak pliku TOW.DBF"), 0) << "passed over without a word";
  EXPECT_EQ(s.fieldOf("CONFIG", "FORMAT_IND"), "99999");
}

}  // namespace
