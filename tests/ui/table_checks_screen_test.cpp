// REDEF, UNIK1, WE_SL and WY_SL over a small table of codes on the scripted screen.
#include <gtest/gtest.h>

#include <memory>

#include "con/key_codes.hpp"
#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "store/tables.hpp"
#include "rt/codepage.hpp"
#include "testkit/call.hpp"
#include "ui/error/deferror.hpp"
#include "ui/redef.hpp"
#include "ui/we_sl.hpp"
#include "ui/register.hpp"
#include "ui/screen_fixture.hpp"
#include "ui/unik1.hpp"
#include "xbase/dbf_file.hpp"

namespace {

using namespace rt::literals;
using con::key::kEnter;

// KODY.DBF: KOD C(3), NAZWA C(10); records 1 "A01", 2 "B02", 3 "B02", 4 "C03"; index KODY on KOD.
struct Codes : uitest::Station {
  Codes() {
    const std::string dbf = dir.path().string() + "/KODY.DBF";
    {
      auto t = xbase::DbfFile::create(env, script.clock(), dbf, {{"KOD", 'C', 3, 0}, {"NAZWA", 'C', 10, 0}});
      EXPECT_TRUE(t.has_value());
      for (const char* kod : {"A01", "B02", "B02", "C03"}) {
        auto rec = (*t)->blankRecord();
        EXPECT_TRUE((*t)->setValue(rec, 0, rt::Value::character(kod)));
        EXPECT_TRUE((*t)->appendRecord(rec));
      }
      (*t)->close();
    }
    ctx.workspace = &ws;
    ctx.tables = &tables;
    db::UseOptions o;
    o.share = xbase::Share::Exclusive;
    area = *ws.use(dbf, o);
    EXPECT_TRUE(db::indexOn(*area, dir.path().string() + "/KODY.NTX", db::IndexSpec("KOD")));
    area->setOrder(0);
  }
  db::Workspace ws{env, script.clock(), rt};
  store::Tables tables{rt, con, paths, ws};
  db::WorkArea* area = nullptr;
};

TEST(REDEF, AValuePresentTwiceIsReportedAndThePositionKept) {
  struct Case {
    const char* value;
    bool twice;
  };
  for (const Case& c : {Case{"B02", true}, Case{"A01", false}, Case{"C03", false}, Case{"X99", false}}) {
    SCOPED_TRACE(c.value);
    Codes s;
    s.area->goTo(4);
    if (c.twice) s.script.key(kEnter);
    EXPECT_EQ(ui::REDEF(s.ctx, rt::Value::character(c.value), rt::Value::number(1)), c.twice);
    EXPECT_EQ(s.device.shown.size(), c.twice ? 1u : 0u);
    if (c.twice) {
      EXPECT_TRUE(s.atRead(0).row(12).find("Powtórzenie danej !") != std::string::npos);
    }
    EXPECT_EQ(s.area->recno(), 4u);
    EXPECT_EQ(s.area->orderNumber(), 0);
  }
}

TEST(UNIK1, AUniqueValuePassesSilentlyADuplicateOrAnEmptyOneIsRefused) {
  struct Case {
    std::uint32_t record;
    const char* blankKod;  // nullptr: keep the record's own value
    bool unique;
    const char* message;
  };
  const Case cases[] = {
      {1, nullptr, true, nullptr},           // "A01" is only in itself
      {4, nullptr, true, nullptr},           // the last key: the next record is past the end
      {2, nullptr, false, "Powtórzenie !"},  // "B02" is in records 2 and 3
      {1, "   ", false, "Puste pole !"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.record);
    Codes s;
    s.area->goTo(c.record);
    if (c.blankKod != nullptr) {
      ASSERT_TRUE(s.area->replace(0, rt::Value::character(c.blankKod)));
    }
    if (c.message != nullptr) s.script.key(kEnter);
    EXPECT_EQ(ui::UNIK1(s.ctx, rt::Value::character("kody")), c.unique);  // the order by its index name
    ASSERT_EQ(s.device.shown.size(), c.message != nullptr ? 1u : 0u);
    if (c.message != nullptr) {
      EXPECT_TRUE(s.atRead(0).row(12).find(c.message) != std::string::npos);
    }
    EXPECT_EQ(s.area->recno(), c.record);
  }
}

TEST(UNIK1, ATableMissingRaisesAnError) {
  uitest::Station s;
  EXPECT_THROW(ui::UNIK1(s.ctx, rt::Value::number(1)), rt::RuntimeError);
}

TEST(WE_SL, OpensTheLookupAreaAndWY_SLClosesIt) {
  Codes s;
  s.ws.close(s.area->number());
  ui::registerScreen(s.rt.functions(), s.ctx);
  s.ws.select(5);
  EXPECT_TRUE(testkit::call(s.rt, "WE_SL", {rt::Value::character("kody"), rt::Value::character("KODY")}).logical());
  EXPECT_EQ(s.ws.selected(), 5);  // the previous area again
  EXPECT_EQ(s.ws.areaOf("SL"), 1);  // the lowest free one
  db::WorkArea* sl = s.ws.find("SL");
  ASSERT_NE(sl, nullptr);
  EXPECT_EQ(sl->orderCount(), 1u);
  EXPECT_TRUE(sl->seek(rt::Value::character("C03")));
  EXPECT_EQ(s.rt.evaluate("WY_SL(7)").num(), 7);
  EXPECT_EQ(s.ws.find("SL"), nullptr);
}

TEST(WE_SL, WaitsBehindTheNoticeWhileAnotherStationHoldsTheTable) {
  Codes s;
  s.ws.close(s.area->number());
  s.rt.vars().declarePublic("_LICZBA_STA");
  s.rt.vars().set("_LICZBA_STA", rt::Value::number(3));
  auto other = xbase::DbfFile::open(s.env, s.script.clock(), s.dir.path().string() + "/KODY.DBF",
                                    xbase::Share::Exclusive);
  ASSERT_TRUE(other.has_value());
  int passes = 0;
  s.tables.seams.onWaitPass = [&] {
    if (++passes == 2) (*other)->close();
  };
  EXPECT_TRUE(ui::WE_SL(s.ctx, "KODY", {"KODY"}));
  EXPECT_EQ(passes, 2);
  ASSERT_FALSE(s.device.shown.empty());
  EXPECT_NE(s.device.shown.front().row(11).find("Oczekiwanie na dostęp do danych"), std::string::npos);
  ASSERT_NE(s.ws.find("SL"), nullptr);
  EXPECT_EQ(s.ws.find("SL")->orderCount(), 1u);
}

}  // namespace
