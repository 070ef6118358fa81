// tests/store/info_log_test.cpp — INFO_LOG: what one entry holds, and when nothing is logged.
#include "store/info_log.hpp"

#include <gtest/gtest.h>

#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "store/schema.hpp"
#include "store/use.hpp"
#include "store_testing.hpp"

namespace {

using storetest::Station;

struct Logging : Station {
  explicit Logging(bool indexes = true) {
    for (const char* n : {"NUMER_STAN", "_OPERATOR", "_PRIORYTET"}) rt.vars().declarePublic(n);
    rt.vars().set("NUMER_STAN", rt::Value::character("03"));
    rt.vars().set("_OPERATOR", rt::Value::character("ADM"));
    rt.vars().set("_PRIORYTET", rt::Value::number(9, 2, 0));
    EXPECT_TRUE(store::createEmpty(tables, "INFO_LOG"));
    if (!indexes) return;
    EXPECT_TRUE(store::USE_(tables, "INFO_LOG", "E"));
    for (const store::IndexDef& i : store::kInfoLogIndexes)
      EXPECT_TRUE(db::indexOn(*ws.current(), tables.indexPath(i.file), {std::string(i.key)}));
    ws.closeAll();
  }
  // Each entry as "DATA|CZAS|STANOWISKO|OPERATOR|OPIS|INDEKS|MAGAZYN|FIRMA", trimmed.
  std::vector<std::string> entries() {
    db::Workspace::Selection keep(ws, ws.selected());
    ws.select(0);
    EXPECT_TRUE(store::USE_(tables, "INFO_LOG", "R"));
    db::WorkArea& a = *ws.current();
    std::vector<std::string> out;
    for (a.goTop(); !a.eof(); a.skip()) {
      std::string row;
      for (std::size_t i = 0; i < a.fieldCount(); ++i) {
        const rt::Value v = a.value(i);
        std::string s = v.isDate() ? v.date().dtos() : v.text();
        s.erase(s.find_last_not_of(' ') + 1);
        row += (i ? "|" : "") + s;
      }
      out.push_back(row);
    }
    ws.close(a.number());
    return out;
  }
};

TEST(INFO_LOG, AppendsWhoWhenWhereAndTheGoodsWarehouseAndContractorOfTheGivenArea) {
  Logging st;
  auto f = xbase::DbfFile::create(st.env, st.script.clock(), st.tables.tablePath("POZ"),
                                  {{"INDEKS", 'C', 20}, {"NR_MAG", 'C', 3}, {"NR_KON", 'C', 5}});
  std::vector<std::byte> rec = (*f)->blankRecord();
  ASSERT_TRUE((*f)->setValue(rec, 0, rt::Value::character("A-100")));
  ASSERT_TRUE((*f)->setValue(rec, 1, rt::Value::character("002")));
  ASSERT_TRUE((*f)->setValue(rec, 2, rt::Value::character("00042")));
  ASSERT_TRUE((*f)->appendRecord(rec));
  (*f)->close();
  st.makeTable("KON", 1);
  ASSERT_TRUE(store::USE_(st.tables, "POZ", "S"));
  st.ws.current()->goTop();
  st.ws.select(0);
  ASSERT_TRUE(store::USE_(st.tables, "KON", "S"));  // selected: area 2, without those fields

  store::INFO_LOG(st.tables, "Zmiana ceny", rt::Value::character("POZ"));
  store::INFO_LOG(st.tables, "Wejscie");
  EXPECT_EQ(st.ws.selected(), 2);
  EXPECT_EQ(st.ws.find("INFO_LOG"), nullptr);
  // The scripted clock starts at 2024-03-05 10:00:00.
  EXPECT_EQ(st.entries(), (std::vector<std::string>{"20240305|10:00:00|03|ADM|Zmiana ceny|A-100|002|00042",
                                                     "20240305|10:00:00|03|ADM|Wejscie|||"}));
}

TEST(INFO_LOG, NothingIsLoggedForServiceOperatorsOrWithoutTheOperatorIndex) {
  {
    Logging st;
    st.rt.vars().set("_PRIORYTET", rt::Value::number(10, 2, 0));
    store::INFO_LOG(st.tables, "x");
    EXPECT_TRUE(st.entries().empty());
  }
  {
    Logging st(false);
    store::INFO_LOG(st.tables, "x");
    EXPECT_TRUE(st.entries().empty());
  }
}

TEST(INFO_LOG, ALogHeldElsewhereIsGivenUpSilentlyWhenTheWaitIsCancelled) {
  Logging st;
  storetest::OtherStation other(st.dir.path().string(), "INFO_LOG", storetest::OtherStation::Hold::Exclusive);
  ASSERT_TRUE(other.ok());
  st.onPass = [&](int) { st.con.pushKey(27); };
  store::INFO_LOG(st.tables, "x");
  EXPECT_EQ(st.passes, 1);
  EXPECT_EQ(st.ws.current(), nullptr);
  other.release();
  EXPECT_TRUE(st.entries().empty());
}

}  // namespace
