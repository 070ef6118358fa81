// The structure upgrade UZG_WER over a small installation: an old installation gets its
// fields and the stamp, a current one changes nothing but the stamp, a missing table stops
// it; and the structure change under it keeps records, deleted marks and memo texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/routines_fixture.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "rt/date.hpp"
#include "xbase/dbf_file.hpp"
#include "store/index_catalogue.hpp"
#include "store/schema.hpp"
#include "store/upgrade/restructure.hpp"

namespace {

using coretest::RoutinesStation;

std::string trimmed(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// Every table of the catalogue with CONFIG and STATUS, as created today.
struct Installation : RoutinesStation {
  Installation() {
    for (const store::CatalogueTable& t : store::indexCatalogue()) EXPECT_TRUE(store::createEmpty(tables, t.table)) << t.table;
    for (const char* t : {"CONFIG", "STATUS"}) EXPECT_TRUE(store::createEmpty(tables, t)) << t;
    set("STATUS", {"DATA_LIC"}, {"150101"});
    set("CONFIG", {"SERWIS", "FTP2", "KONTO_PH", "FORMAT_IND", "WERSJA"}, {"T", "T", "00003", "99999", "ABC"});
  }

  // Fields of the first record (appended when the table is empty).
  void set(const std::string& table, const std::vector<std::string>& names, const std::vector<std::string>& values) {
    db::WorkArea& a = open(table);
    a.goTop();
    if (a.eof()) {
      EXPECT_TRUE(a.appendBlank());
    }
    EXPECT_TRUE(a.lockRecord());
    for (std::size_t i = 0; i < names.size(); ++i) {
      const base::Status st = a.replace(names[i], rt::Value::character(rt::cp852FromUtf8(values[i])));
      EXPECT_TRUE(st) << table << "." << names[i] << ": " << st.message();
    }
    ws.close(a.number());
  }

  std::vector<std::string> fields(const std::string& table) {
    db::WorkArea& a = open(table);
    std::vector<std::string> out;
    for (const auto& f : a.table().fields()) out.push_back(f.name + std::to_string(f.length));
    ws.close(a.number());
    return out;
  }

  std::string first(const std::string& table, const std::string& field) {
    db::WorkArea& a = open(table);
    a.goTop();
    const std::string v = trimmed(a.value(*a.fieldIndex(field)).text());
    ws.close(a.number());
    return v;
  }

  std::string bytes(const std::string& file) const {
    std::ifstream in(path(file), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // UZG_WER, a key to end its five-second wait, and "NIE" to the rebuild.
  bool upgrade() {
    script.type(" ").type("N");
    return call("UZG_WER").logical();
  }
};

bool hasField(const std::vector<std::string>& fields, const std::string& nameAndWidth) {
  return std::find(fields.begin(), fields.end(), nameAndWidth) != fields.end();
}

TEST(UZG_WER, BringsAnOldInstallationUpToDate) {
  Installation s;
  // ZAM_P with a three-character sector, one record deleted, memo texts.
  ASSERT_TRUE(store::changeStructure(s.tables, "ZAM_P", [](std::vector<store::FieldRow>& rows) {
    store::findRow(rows, "SEKTOR")->length = 3;
  }));
  {
    db::WorkArea& a = s.open("ZAM_P");
    const std::vector<std::pair<std::string, std::string>> rows = {{"A12", "pierwsza"}, {"", ""}, {"B", "trzecia"}};
    for (const auto& [sector, memo] : rows) {
      ASSERT_TRUE(a.appendBlank());
      ASSERT_TRUE(a.replace("SEKTOR", rt::Value::character(sector)));
      ASSERT_TRUE(a.replace("NR_KON", rt::Value::character("00042")));
      if (!memo.empty()) {
        ASSERT_TRUE(a.replace("OPIS", rt::Value::memo(memo)));
      }
    }
    a.goTo(3);
    ASSERT_TRUE(a.deleteRecord());
    s.ws.close(a.number());
  }
  // Fields missing from older structures.
  const auto drop = [&](const std::string& table, std::vector<std::string> names) {
    ASSERT_TRUE(store::changeStructure(s.tables, table, [&](std::vector<store::FieldRow>& rows) {
      for (const std::string& n : names) std::erase_if(rows, [&](const store::FieldRow& r) { return r.name == n; });
    }));
  };
  drop("STATUS", {"DATA_AKT"});
  drop("ZAM_N", {"KUPONY", "ILO_SKA"});
  drop("EWIZAM", {"PACZKI", "SKAN"});
  drop("EWIARC", {"ETAP"});
  drop("KON", {"CW", "PUNKTY_OK"});
  drop("SPR_P", {"JM"});
  ASSERT_TRUE(store::changeStructure(s.tables, "KON", [](std::vector<store::FieldRow>& rows) {
    store::findRow(rows, "UWAGI")->length = 60;
  }));
  s.set("KON", {"NR_KON", "UWAGI"}, {"00042", "stały klient"});
  for (const char* old : {"0ABC.DBF", "1XYZ.DBF", "2KEEP.DBF"}) std::ofstream(std::filesystem::path(s.path("")) / old) << "x";

  EXPECT_TRUE(s.upgrade());

  EXPECT_TRUE(hasField(s.fields("STATUS"), "DATA_AKT8"));
  EXPECT_EQ(s.first("STATUS", "DATA_LIC"), "180916");
  EXPECT_EQ(s.first("CONFIG", "SERWIS"), "N") << "stamped before 160425";
  EXPECT_EQ(s.first("CONFIG", "FTP2"), "N");
  for (const char* f : {"KUPONY1", "ILO_SKA9"}) EXPECT_TRUE(hasField(s.fields("ZAM_N"), f)) << f;
  for (const char* f : {"PACZKI14", "SKAN3"}) EXPECT_TRUE(hasField(s.fields("EWIZAM"), f)) << f;
  EXPECT_TRUE(hasField(s.fields("EWIARC"), "ETAP3"));
  for (const char* f : {"CW1", "PUNKTY_OK5", "UWAGI74"}) EXPECT_TRUE(hasField(s.fields("KON"), f)) << f;
  EXPECT_EQ(rt::utf8FromCp852(s.first("KON", "UWAGI")), "stały klient");
  EXPECT_TRUE(hasField(s.fields("SPR_P"), "JM4"));

  db::WorkArea& a = s.open("ZAM_P");
  ASSERT_EQ(a.lastRec(), 3u);
  const std::vector<std::string> sectors = {"A -12", "", "B -"}, memos = {"pierwsza", "", "trzecia"};
  for (std::uint32_t r = 1; r <= 3; ++r) {
    SCOPED_TRACE(r);
    a.goTo(r);
    EXPECT_EQ(trimmed(a.value(*a.fieldIndex("SEKTOR")).text()), sectors[r - 1]);
    EXPECT_EQ(a.value(*a.fieldIndex("OPIS")).text(), memos[r - 1]);
    EXPECT_EQ(trimmed(a.value(*a.fieldIndex("NR_KON")).text()), "00042");
    EXPECT_EQ(a.deleted(), r == 3);
  }
  s.ws.close(a.number());
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(s.path("")) / "0ABC.DBF"));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(s.path("")) / "1XYZ.DBF"));
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(s.path("")) / "2KEEP.DBF"));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(s.path("")) / "XSTRUP.DBF"));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(s.path("")) / "XSTRUN.DBF"));
  EXPECT_TRUE(s.wasShown(24, "Wykonać sortowanie kartotek ?"));
  ASSERT_FALSE(s.script.tones().empty());
  EXPECT_EQ(s.script.tones()[0].hertz, 200);
}

TEST(UZG_WER, ASecondRunChangesNothingButTheStamp) {
  Installation s;
  EXPECT_TRUE(s.upgrade());
  std::map<std::string, std::string> before;
  for (const auto& e : std::filesystem::directory_iterator(s.path("")))
    if (e.path().extension() == ".DBF" && e.path().filename() != "STATUS.DBF")
      before[e.path().filename().string()] = s.bytes(e.path().filename().string());
  s.set("STATUS", {"DATA_LIC"}, {"      "});
  EXPECT_TRUE(s.upgrade());
  EXPECT_EQ(s.first("STATUS", "DATA_LIC"), "180916");
  for (const auto& [file, content] : before) EXPECT_EQ(s.bytes(file), content) << file;
  EXPECT_EQ(s.first("CONFIG", "SERWIS"), "N") << "the first run switched the service off; the second left it";
}

TEST(UZG_WER, ATableThatCannotBeOpenedEndsItWithTheStampOld) {
  Installation s;
  std::filesystem::remove(std::filesystem::path(s.path("")) / "EWIARC.DBF");
  std::filesystem::remove(std::filesystem::path(s.path("")) / "EWIARC.DBT");
  ASSERT_TRUE(store::changeStructure(s.tables, "SPR_P", [](std::vector<store::FieldRow>& rows) {
    std::erase_if(rows, [](const store::FieldRow& r) { return r.name == "JM"; });
  }));
  std::ofstream(std::filesystem::path(s.path("")) / "0OLD.DBF") << "x";
  EXPECT_FALSE(s.upgrade());
  EXPECT_EQ(s.first("STATUS", "DATA_LIC"), "150101");
  EXPECT_FALSE(hasField(s.fields("SPR_P"), "JM4")) << "steps after the missing table are not run";
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(s.path("")) / "0OLD.DBF"));
}

TEST(UZG_WER, TheRebuildItOffersDoesNotStartItAgain) {
  Installation s;
  std::filesystem::remove(std::filesystem::path(s.path("")) / "CONFIG.DBF");
  int runs = 0;
  s.rt.functions().wrap("UZG_WER", [&runs](rt::Function upgrade) {
    return [&runs, upgrade](rt::Runtime& rt, rt::Args& a) {
      ++runs;
      return upgrade(rt, a);
    };
  });
  s.script.type(" ").type("T");
  // "TAK": the rebuild finds the stamp still old; the upgrade it calls returns at once.
  EXPECT_FALSE(s.call("UZG_WER").logical());
  EXPECT_EQ(runs, 2);
  EXPECT_TRUE(std::filesystem::exists(s.path("SL_OPE_H.NTX"))) << "the rebuild ran";
}

TEST(ChangeStructure, RefusesRowsThatMakeNoTableAndChangesNothing) {
  Installation s;
  const std::string before = s.bytes("SPR_P.DBF");
  EXPECT_FALSE(store::changeStructure(s.tables, "SPR_P", [](std::vector<store::FieldRow>& rows) {
    rows.push_back(rows.front());  // a field twice
  }));
  EXPECT_EQ(s.bytes("SPR_P.DBF"), before);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(s.path("")) / "XSTRUP.DBF"));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(s.path("")) / "XSTRUN.DBF"));
}

TEST(ChangeStructure, TheRecordAdjustmentReachesEveryRecordOrNothingChanges) {
  Installation s;
  {
    db::WorkArea& a = s.open("SPR_P");
    for (const char* jm : {"szt", "kg", "m"}) {
      ASSERT_TRUE(a.appendBlank());
      ASSERT_TRUE(a.replace("JM", rt::Value::character(jm)));
    }
    a.goTo(2);
    ASSERT_TRUE(a.lockRecord());
    const base::Status del = a.deleteRecord();
    ASSERT_TRUE(del) << del.message();
    s.ws.close(a.number());
  }
  const std::string before = s.bytes("SPR_P.DBF");
  const auto widen = [](std::vector<store::FieldRow>& rows) { store::findRow(rows, "JM")->length = 6; };
  int seen = 0;
  // A failure half way leaves the old table as it was.
  EXPECT_FALSE(store::changeStructure(s.tables, "SPR_P", widen, [&](xbase::DbfFile&, std::span<std::byte>) {
    return ++seen == 2 ? base::Status(base::Errc::Io, "disk full") : base::Status();
  }));
  EXPECT_EQ(s.bytes("SPR_P.DBF"), before);
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(s.path("")) / "XSTRUN.DBF"));

  EXPECT_TRUE(store::changeStructure(s.tables, "SPR_P", widen, [](xbase::DbfFile& t, std::span<std::byte> rec) {
    const std::size_t f = *t.fieldIndex("JM");
    return t.setValue(rec, f, rt::Value::character("<" + trimmed(t.value(rec, f).text()) + ">"));
  }));
  db::WorkArea& a = s.open("SPR_P");
  const std::vector<std::string> want = {"<szt>", "<kg>", "<m>"};
  for (std::uint32_t r = 1; r <= 3; ++r) {
    a.goTo(r);
    EXPECT_EQ(trimmed(a.value(*a.fieldIndex("JM")).text()), want[r - 1]) << r;
    EXPECT_EQ(a.deleted(), r == 2);
  }
  s.ws.close(a.number());
}

TEST(UZG_WER, MakesTheChangeListFromTheGoodsDatedYesterday) {
  Installation s;
  std::filesystem::remove(std::filesystem::path(s.path("")) / "ZMIANY.DBF");
  // What a run killed while making the list leaves behind.
  std::ofstream(std::filesystem::path(s.path("")) / "XSTRUN.DBF") << "half";
  {
    db::WorkArea& a = s.open("TOW");
    for (const char* code : {"00002", "00001"}) {
      ASSERT_TRUE(a.appendBlank());
      ASSERT_TRUE(a.replace("INDEKS", rt::Value::character(code)));
    }
    s.ws.close(a.number());
  }
  const sys::CivilTime today = s.script.clock().now();
  EXPECT_TRUE(s.upgrade());
  db::WorkArea& a = s.open("ZMIANY");
  ASSERT_EQ(a.lastRec(), 2u);
  for (std::uint32_t r = 1; r <= 2; ++r) {
    a.goTo(r);
    EXPECT_EQ(a.value(*a.fieldIndex("DATA")).date().julianDay(), rt::Date::fromYmd(today.year, today.month, today.day).julianDay() - 1);
  }
  s.ws.close(a.number());
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(s.path("")) / "ZMIANY.NTX"));
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(s.path("")) / "XSTRUN.DBF"));
}

}  // namespace
