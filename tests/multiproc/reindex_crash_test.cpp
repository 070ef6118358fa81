// tests/multiproc/reindex_crash_test.cpp — a station killed during a whole index rebuild.
// The child process dies at a file operation chosen at random over all the operations the
// rebuild makes (before it, or half way through a write). Every table must then open and
// verify, hold its records as before or as the finished rebuild leaves them, and every
// index file left beside it must match it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "core/headless_station.hpp"
#include "db/verify.hpp"
#include "db/work_area.hpp"
#include "killing_env.hpp"
#include "rt/codepage.hpp"
#include "store/index_catalogue.hpp"
#include "store/reindex.hpp"
#include "store/schema.hpp"
#include "store/use.hpp"
#include "testkit/temp_dir.hpp"

namespace {

using testkit::Killer;
using testkit::KillingEnv;

void put(db::WorkArea& a, const std::string& field, const std::string& text) {
  const auto i = a.fieldIndex(field);
  ASSERT_TRUE(i) << field;
  const rt::Value v = a.field(*i).type == xbase::dbf::FieldType::Date ? rt::Value::date(rt::Date::fromDtos(text))
                                                                      : rt::Value::character(text);
  ASSERT_TRUE(a.replace(*i, v)) << field;
}

// Contractors with duplicate numbers and several head offices, order lines in edit with
// memos, some of both deleted.
void addContractorsAndLines(db::WorkArea& kon, db::WorkArea& ewi, int round) {
  for (int i = 0; i < 120; ++i) {
    ASSERT_TRUE(kon.appendBlank());
    put(kon, "NR_KON", i % 10 == 0 ? "00000" : std::to_string(10000 + (i * 37) % 90));
    put(kon, "NAZWA_KON", "Firma " + std::to_string(i));
    if ((i + round) % 7 == 0) {
      ASSERT_TRUE(kon.deleteRecord());
    }
  }
  for (int i = 0; i < 150; ++i) {
    ASSERT_TRUE(ewi.appendBlank());
    put(ewi, "KONTO", "0000" + std::to_string(i % 3));
    put(ewi, "DATA_ZAM", "2016031" + std::to_string(i % 9));
    put(ewi, "NR_ZAM", std::to_string(1000 + (i * 13) % 40));
    put(ewi, "TYP", i % 5 == 0 ? "N" : "P");
    put(ewi, "STATUS", (i + round) % 4 == 0 ? "E" : "A");
    put(ewi, "NAZWA_TOW", "Towar " + std::to_string((i * 7) % 50));
    if (i % 6 == 0) put(ewi, "OPIS", "uwagi do pozycji " + std::to_string(i));
    if ((i + round) % 11 == 0) {
      ASSERT_TRUE(ewi.deleteRecord());
    }
  }
}

// Every catalogued table, with contractors holding duplicate numbers, order lines in edit
// with memos, deleted records, contact records, goods and sales lines.
void makeInstallation(const std::string& folder) {
  core::HeadlessStation st(folder);
  st.loadConfiguration();
  for (const store::CatalogueTable& t : store::indexCatalogue()) ASSERT_TRUE(store::createEmpty(st.tables, t.table));
  const auto open = [&](const char* name) -> db::WorkArea& {
    return **st.ws.use(st.tables.tablePath(name), {name, xbase::Share::Exclusive, true});
  };
  addContractorsAndLines(open("KON"), open("EWIZAM"), 0);
  db::WorkArea& crm = open("CRM");
  for (int i = 0; i < 60; ++i) {
    ASSERT_TRUE(crm.appendBlank());
    put(crm, "KONTO", i % 2 == 0 ? "00000" : "00004");
    put(crm, "TYP", i % 3 == 0 ? "T" : "A");
    put(crm, "TERMIN", "201604" + std::to_string(10 + i % 20));
  }
  db::WorkArea& txt = open("KON_TXT");
  for (int i = 0; i < 30; ++i) {
    ASSERT_TRUE(txt.appendBlank());
    put(txt, "NR_KON", std::to_string(10000 + i));
    if (i % 3 != 0) put(txt, "TEKST", "notatka " + std::to_string(i));
  }
  db::WorkArea& tow = open("TOW");
  for (int i = 0; i < 80; ++i) {
    ASSERT_TRUE(tow.appendBlank());
    put(tow, "INDEKS", std::to_string(500 - i));
    put(tow, "NAZWA_TOW", "Towar " + std::to_string(i));
  }
  st.ws.closeAll();
  // Indexed once, then more duplicates, deleted records and lines in edit added through
  // the indexes: a rebuild killed half way must not leave these indexes beside a changed table.
  store::RebuildHooks quiet;
  store::rebuildIndexes(st.tables, {false, ' ', true}, quiet);
  db::WorkArea& kon = open("KON");
  ASSERT_TRUE(store::attachIndexes(st.tables, {"KON_NR", "KON_NA", "KON_NI", "KON_AD"}));
  db::WorkArea& ewi = open("EWIZAM");
  ASSERT_TRUE(store::attachIndexes(st.tables, {"EWIZ_SI", "EWIZ_SN", "EWIZ_KS", "EWIZ_DS", "EWIZ_TE"}));
  addContractorsAndLines(kon, ewi, 1);
  st.ws.closeAll();
}

// Rebuilds in a child that dies at the `at`-th changing file operation (never for 0);
// true when the child finished.
bool rebuildInChild(const std::string& folder, Killer killer) {
  return testkit::finishedInChild(killer, [&](sys::Env& env) {
    core::HeadlessStation st(folder, &env);
    st.loadConfiguration();
    store::RebuildHooks quiet;
    store::rebuildIndexes(st.tables, {false, ' ', true}, quiet);
    return true;
  });
}

// Opens every table, verifies it and every index file of the catalogue beside it.
std::map<std::string, std::uint32_t> checkEveryTable(const std::string& folder) {
  core::HeadlessStation st(folder);
  st.loadConfiguration();
  std::map<std::string, std::uint32_t> counts;
  for (const store::CatalogueTable& t : store::indexCatalogue()) {
    const std::string name = (t.inStation ? st.tables.stationFolder() : std::string()) + std::string(t.table);
    const std::string path = st.tables.tablePath(name);
    if (!std::filesystem::exists(path)) continue;  // the station's copy not made yet
    auto opened = st.ws.use(path, {std::string(t.table), xbase::Share::Exclusive, true});
    EXPECT_TRUE(opened) << name << " opens";
    if (!opened) continue;
    db::WorkArea& a = **opened;
    const db::Verdict table = db::verifyTable(a);
    EXPECT_TRUE(table.ok) << name << ": " << table.reason;
    counts[name] = a.lastRec();
    for (const store::IndexEntry& e : t.indexes) {
      if (e.repairOnly) continue;
      const std::string index =
          st.tables.indexPath((e.inStation ? st.tables.stationFolder() : std::string()) + std::string(e.file));
      if (!std::filesystem::exists(index)) continue;
      EXPECT_TRUE(a.addOrder(index)) << index;
      const db::Verdict v = db::verifyIndex(a, *a.order(a.orderCount()));
      EXPECT_TRUE(v.ok) << e.file << ": " << v.reason;
    }
    st.ws.close(a.number());
  }
  return counts;
}

TEST(ReindexCrash, AStationKilledDuringARebuildLeavesEveryTableWholeAndNoIndexThatDisagrees) {
  testkit::TempDir pristine;
  makeInstallation(pristine.path().string());
  const std::map<std::string, std::uint32_t> before = checkEveryTable(pristine.path().string());

  int operations = 0;
  std::map<std::string, std::uint32_t> after;
  {  // how many changing operations a whole rebuild takes, and what it leaves
    testkit::TempDir dir;
    std::filesystem::copy(pristine.path(), dir.path(), std::filesystem::copy_options::recursive);
    Killer counter;
    KillingEnv env(counter);
    {
      core::HeadlessStation st(dir.path().string(), &env);
      st.loadConfiguration();
      store::RebuildHooks quiet;
      store::rebuildIndexes(st.tables, {false, ' ', true}, quiet);
    }
    operations = counter.count;
    after = checkEveryTable(dir.path().string());
  }
  ASSERT_GT(operations, 50);
  ASSERT_LT(after.at("KON"), before.at("KON")) << "the fixture has duplicates to remove";

  std::mt19937 rng(2718);
  int finished = 0;
  for (int run = 0; run < 30; ++run) {
    SCOPED_TRACE(run);
    testkit::TempDir dir;
    std::filesystem::copy(pristine.path(), dir.path(), std::filesystem::copy_options::recursive);
    const Killer killer{static_cast<int>(rng() % operations) + 1, rng() % 2 == 0};
    finished += rebuildInChild(dir.path().string(), killer);
    for (const auto& [name, count] : checkEveryTable(dir.path().string())) {
      const auto old = before.find(name);
      EXPECT_TRUE((old != before.end() && count == old->second) || count == after.at(name))
          << name << " holds " << count << " records, neither the old table nor the rebuilt one";
    }
  }
  EXPECT_EQ(finished, 0) << "every run was killed before its end";
}

}  // namespace
