// tests/multiproc/zmiana_crash_test.cpp — a station killed during the goods-code conversion.
// The child dies at a file-changing operation chosen at random over all those a whole run
// makes (the conversion, the index rebuild, the configuration), before it or half way
// through a write. Every table must then open and read whole; and the next start, which
// runs the conversion again while the goods-code picture lacks "99999", must end with every
// code widened exactly once and every index agreeing with its table.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "core/headless_station.hpp"
#include "db/verify.hpp"
#include "db/work_area.hpp"
#include "killing_env.hpp"
#include "store/goods_code/zmiana.hpp"
#include "store/index_catalogue.hpp"
#include "store/reindex.hpp"
#include "store/schema.hpp"
#include "testkit/temp_dir.hpp"

namespace {

namespace fs = std::filesystem;

using testkit::Killer;
using testkit::KillingEnv;

constexpr int kGoods = 300, kLines = 2000;

std::string oldCode(int i) { return std::to_string(1000 + i * 7 % 9000); }  // four digits

void put(db::WorkArea& a, const char* field, const std::string& text) {
  ASSERT_TRUE(a.replace(field, rt::Value::character(text))) << field;
}

// Every catalogued table, CONFIG with the old picture, STATUS with the current stamp; goods
// and sales lines with four-character codes (and some of five), indexed under the old picture.
void makeInstallation(const std::string& folder) {
  core::HeadlessStation st(folder);
  for (const store::CatalogueTable& t : store::indexCatalogue()) ASSERT_TRUE(store::createEmpty(st.tables, t.table));
  for (const char* name : {"CONFIG", "STATUS"}) ASSERT_TRUE(store::createEmpty(st.tables, name));
  const auto open = [&](const char* name) -> db::WorkArea& {
    return **st.ws.use(st.tables.tablePath(name), {name, xbase::Share::Exclusive, true});
  };
  db::WorkArea& config = open("CONFIG");
  ASSERT_TRUE(config.appendBlank());
  for (auto [f, v] : {std::pair{"FORMAT_IND", "9999"}, {"KARTOTEKA", "DANE"}, {"KONTO_PH", "00000"}}) put(config, f, v);
  db::WorkArea& status = open("STATUS");
  ASSERT_TRUE(status.appendBlank());
  put(status, "DATA_LIC", "180916");
  db::WorkArea& tow = open("TOW");
  for (int i = 0; i < kGoods; ++i) {
    ASSERT_TRUE(tow.appendBlank());
    put(tow, "INDEKS", i % 10 == 0 ? "2" + oldCode(i) : oldCode(i));
    put(tow, "NAZWA_TOW", "Towar " + std::to_string(i));
  }
  db::WorkArea& spr = open("SPR_P");
  for (int i = 0; i < kLines; ++i) {
    ASSERT_TRUE(spr.appendBlank());
    put(spr, "DOKUMENT", "FV " + std::to_string(i / 4));
    put(spr, "INDEKS", oldCode(i % kGoods));
  }
  st.ws.closeAll();
  st.loadConfiguration();
  store::RebuildHooks quiet;
  store::rebuildIndexes(st.tables, {false, ' ', true}, quiet);
}

// A start of the station: the conversion runs when the picture asks for it, as at start-up.
void start(sys::Env* env, const std::string& folder) {
  core::HeadlessStation st(folder, env);
  st.loadConfiguration();
  if (st.rt.vars().get("_FORMAT_IND").text().find("99999") == std::string::npos) store::ZMIANA(st.tables);
}

// Runs a start in a child that dies at the `at`-th changing operation; true when it finished.
bool startInChild(const std::string& folder, Killer killer) {
  return testkit::finishedInChild(killer, [&](sys::Env& env) {
    start(&env, folder);
    return true;
  });
}

// The goods codes of a table in record order; every table of the catalogue opens and reads
// whole, and with `indexes` every index file of the catalogue is there and agrees with it.
std::vector<std::string> check(const std::string& folder, const char* codesOf, bool indexes) {
  core::HeadlessStation st(folder);
  st.loadConfiguration();
  std::vector<std::string> codes;
  for (const store::CatalogueTable& t : store::indexCatalogue()) {
    if (t.inStation) continue;
    auto opened = st.ws.use(st.tables.tablePath(t.table), {std::string(t.table), xbase::Share::Exclusive, true});
    EXPECT_TRUE(opened) << t.table << " opens";
    if (!opened) continue;
    db::WorkArea& a = **opened;
    const db::Verdict table = db::verifyTable(a);
    EXPECT_TRUE(table.ok) << t.table << ": " << table.reason;
    if (t.table == codesOf) {
      const std::size_t f = *a.fieldIndex("INDEKS");
      a.forEachRecord([&](std::uint32_t) { codes.push_back(a.value(f).text().substr(0, 6)); });
    }
    for (const store::IndexEntry& e : t.indexes) {
      const std::string index = st.tables.indexPath(e.file);
      if (!indexes || e.repairOnly || e.inStation) continue;
      EXPECT_TRUE(fs::exists(index)) << index << " is missing";
      if (!fs::exists(index)) continue;
      EXPECT_TRUE(a.addOrder(index)) << index;
      const db::Verdict v = db::verifyIndex(a, *a.order(a.orderCount()));
      EXPECT_TRUE(v.ok) << e.file << ": " << v.reason;
    }
    st.ws.close(a.number());
  }
  return codes;
}

TEST(ZmianaCrash, AStationKilledDuringTheConversionLeavesWholeTablesAndTheNextStartFinishesIt) {
  testkit::TempDir pristine;
  makeInstallation(pristine.path().string());

  int operations = 0;
  std::vector<std::string> expected;
  {  // how many changing operations a whole run takes, and what it leaves
    testkit::TempDir dir;
    fs::copy(pristine.path(), dir.path(), fs::copy_options::recursive);
    Killer counter;
    KillingEnv env(counter);
    start(&env, dir.path().string());
    operations = counter.count;
    expected = check(dir.path().string(), "SPR_P", true);
  }
  ASSERT_EQ(expected.size(), std::size_t{kLines});
  ASSERT_EQ(expected[1], "01007 ");
  ASSERT_GT(operations, 100);

  std::mt19937 rng(1234);
  int killed = 0;
  for (int run = 0; run < 16; ++run) {
    testkit::TempDir dir;
    fs::copy(pristine.path(), dir.path(), fs::copy_options::recursive);
    const Killer killer{static_cast<int>(rng() % operations) + 1, rng() % 2 == 0};
    SCOPED_TRACE("killed at " + std::to_string(killer.at) + (killer.tearWrite ? " mid-write" : ""));
    killed += !startInChild(dir.path().string(), killer);
    check(dir.path().string(), "SPR_P", false);
    start(nullptr, dir.path().string());  // the next start
    EXPECT_EQ(check(dir.path().string(), "SPR_P", true), expected);
    EXPECT_EQ(check(dir.path().string(), "TOW", false)[0], "21000 ") << "a five-character code stays";
  }
  EXPECT_EQ(killed, 16);
}

}  // namespace
