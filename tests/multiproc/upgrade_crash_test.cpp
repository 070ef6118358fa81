// tests/multiproc/upgrade_crash_test.cpp — a station killed during the structure upgrade.
// The child dies at a file-changing operation chosen at random over all those a whole
// upgrade makes, before it or half way through a write. Every table must then open and read
// whole, and the next upgrade must end with the structures and the data of an upgrade that
// ran uninterrupted: sectors separated exactly once, deleted records still deleted.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/headless_station.hpp"
#include "core/upgrade/uzg_wer.hpp"
#include "db/verify.hpp"
#include "db/work_area.hpp"
#include "killing_env.hpp"
#include "store/index_catalogue.hpp"
#include "store/schema.hpp"
#include "store/upgrade/restructure.hpp"
#include "testkit/temp_dir.hpp"

namespace {

namespace fs = std::filesystem;
using testkit::Killer;
using testkit::KillingEnv;

constexpr int kOrders = 200;

void put(db::WorkArea& a, const char* field, const std::string& text) {
  ASSERT_TRUE(a.replace(field, rt::Value::character(text))) << field;
}

// An installation of the older structure: three-character sectors, fields missing from
// KON and SPR_P, an old stamp; orders with memo texts, every fifth deleted.
void makeInstallation(const std::string& folder) {
  core::HeadlessStation st(folder);
  for (const store::CatalogueTable& t : store::indexCatalogue()) ASSERT_TRUE(store::createEmpty(st.tables, t.table));
  for (const char* name : {"CONFIG", "STATUS"}) ASSERT_TRUE(store::createEmpty(st.tables, name));
  ASSERT_TRUE(store::changeStructure(st.tables, "ZAM_P", [](std::vector<store::FieldRow>& rows) {
    store::findRow(rows, "SEKTOR")->length = 3;
  }));
  for (const auto& [table, field] : {std::pair{"KON", "CW"}, {"SPR_P", "JM"}}) {
    const std::string dropped = field;  // clang 14 cannot capture a structured binding
    ASSERT_TRUE(store::changeStructure(st.tables, table, [&](std::vector<store::FieldRow>& rows) {
      std::erase_if(rows, [&](const store::FieldRow& r) { return r.name == dropped; });
    }));
  }
  const auto open = [&](const char* name) -> db::WorkArea& {
    return **st.ws.use(st.tables.tablePath(name), {name, xbase::Share::Exclusive, true});
  };
  db::WorkArea& config = open("CONFIG");
  ASSERT_TRUE(config.appendBlank());
  for (auto [f, v] : {std::pair{"FORMAT_IND", "99999"}, {"KARTOTEKA", "DANE"}, {"KONTO_PH", "00003"}}) put(config, f, v);
  db::WorkArea& status = open("STATUS");
  ASSERT_TRUE(status.appendBlank());
  put(status, "DATA_LIC", "150101");
  db::WorkArea& orders = open("ZAM_P");
  for (int i = 0; i < kOrders; ++i) {
    ASSERT_TRUE(orders.appendBlank());
    put(orders, "SEKTOR", i % 7 == 0 ? "" : std::string(1, char('A' + i % 26)) + std::to_string(i % 100));
    ASSERT_TRUE(orders.replace("OPIS", rt::Value::memo("opis " + std::to_string(i))));
    if (i % 5 == 0) {
      ASSERT_TRUE(orders.deleteRecord());
    }
  }
  st.ws.closeAll();
}

// One upgrade as a start runs it: a key ends the wait, "NIE" declines the rebuild.
bool upgrade(sys::Env* env, const std::string& folder) {
  core::HeadlessStation st(folder, env);
  st.loadConfiguration();
  st.device.type(" ").type("N");
  return core::UZG_WER(st.ctx);
}

bool upgradeInChild(const std::string& folder, Killer killer) {
  return testkit::finishedInChild(killer, [&](sys::Env& env) { return upgrade(&env, folder); });
}

// Every catalogued table opens and reads whole; the structures of all of them, then the
// sector, memo and deleted mark of each order.
std::vector<std::string> check(const std::string& folder) {
  core::HeadlessStation st(folder);
  std::vector<std::string> out;
  for (const store::CatalogueTable& t : store::indexCatalogue()) {
    if (t.inStation) continue;
    auto opened = st.ws.use(st.tables.tablePath(t.table), {std::string(t.table), xbase::Share::Exclusive, true});
    EXPECT_TRUE(opened) << t.table << " opens";
    if (!opened) continue;
    db::WorkArea& a = **opened;
    const db::Verdict v = db::verifyTable(a);
    EXPECT_TRUE(v.ok) << t.table << ": " << v.reason;
    std::string shape = std::string(t.table) + ":";
    for (const auto& f : a.table().fields()) shape += " " + f.name + std::to_string(f.length);
    out.push_back(shape);
    st.ws.close(a.number());
  }
  db::WorkArea& orders = **st.ws.use(st.tables.tablePath("ZAM_P"), {"ZAM_P", xbase::Share::Exclusive, true});
  for (std::uint32_t r = 1; r <= orders.lastRec(); ++r) {
    orders.goTo(r);
    out.push_back(orders.value(*orders.fieldIndex("SEKTOR")).text() + "|" + orders.value(*orders.fieldIndex("OPIS")).text() +
                  (orders.deleted() ? "|*" : ""));
  }
  return out;
}

TEST(UpgradeCrash, AStationKilledDuringTheUpgradeLeavesWholeTablesAndTheNextRunFinishesIt) {
  testkit::TempDir pristine;
  makeInstallation(pristine.path().string());

  int operations = 0;
  std::vector<std::string> expected;
  {  // how many changing operations a whole upgrade takes, and what it leaves
    testkit::TempDir dir;
    fs::copy(pristine.path(), dir.path(), fs::copy_options::recursive);
    Killer counter;
    KillingEnv env(counter);
    ASSERT_TRUE(upgrade(&env, dir.path().string()));
    operations = counter.count;
    expected = check(dir.path().string());
  }
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(expected[expected.size() - kOrders], "     |opis 0|*");
  EXPECT_EQ(expected.back(), "R -99|opis 199");
  ASSERT_GT(operations, 20);

  std::mt19937 rng(4321);
  int killed = 0;
  for (int run = 0; run < 12; ++run) {
    testkit::TempDir dir;
    fs::copy(pristine.path(), dir.path(), fs::copy_options::recursive);
    const Killer killer{static_cast<int>(rng() % operations) + 1, rng() % 2 == 0};
    SCOPED_TRACE("killed at " + std::to_string(killer.at) + (killer.tearWrite ? " mid-write" : ""));
    killed += !upgradeInChild(dir.path().string(), killer);
    EXPECT_TRUE(upgrade(nullptr, dir.path().string()));  // the next start
    EXPECT_EQ(check(dir.path().string()), expected);
  }
  EXPECT_EQ(killed, 12);
}

}  // namespace
