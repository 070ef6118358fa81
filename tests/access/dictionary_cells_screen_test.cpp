// The operators dictionary's cell routines that need no browser: HASLO_OPE and V_OPE.
#include <gtest/gtest.h>

#include "access/haslo_ope.hpp"
#include "access/operator_lookup.hpp"
#include "access/operators_fixture.hpp"
#include "access/scramble.hpp"
#include "access/stamp.hpp"
#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "xbase/dbf_file.hpp"

namespace {

using con::key::kEnter;
using con::key::kEsc;
using con::key::kIns;

struct Dictionary : optest::OperatorsStation {
  Dictionary()
      : optest::OperatorsStation({{"ADM", "ADMIN1", 9, "Administrator", "", "", true},
                                  {"OPE", "OPER01", 5, "Operator", "", "", true}}) {
    db::UseOptions o;
    o.share = xbase::Share::Exclusive;
    area = *ws.use(table(), o);
  }
  std::string password(std::uint32_t r) {
    area->goTo(r);
    return operators::scramble(area->value(*area->fieldIndex("HASLO")).text());
  }
  db::WorkArea* area = nullptr;
};

TEST(HASLO_OPE, APasswordOfAnotherOperatorIsRefusedOwnOrNewOneStoredScrambled) {
  struct Case {
    const char* typed;
    bool stored;
    const char* after;
    bool refusedNotice;
  };
  const Case cases[] = {
      {"oper01", false, "ADMIN1", true},   // operator 2's password
      {"admin1", true, "ADMIN1", false},   // its own: allowed
      {"nowe", true, "NOWE  ", false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.typed);
    Dictionary s;
    s.area->goTo(1);
    s.con.moveCursor(5, 30);
    s.script.key(kIns).type(k.typed).key(kEnter);
    if (k.refusedNotice) s.script.key(kEnter);
    EXPECT_EQ(operators::HASLO_OPE(s.ctx), k.stored);
    EXPECT_TRUE(s.ctx.insertMode);
    EXPECT_EQ(s.atRead(3).at(5, 30, 6), "**    ");
    EXPECT_EQ(s.password(1), k.after);
    EXPECT_TRUE(operators::verifiesStamp(*s.area));
    bool notice = false;
    for (const uitest::Shown& shown : s.device.shown) notice |= shown.row(12).find("Błąd CRC. Wprowadź inne haslo.") != std::string::npos;
    EXPECT_EQ(notice, k.refusedNotice);
  }
}

TEST(HASLO_OPE, EscLeavesTheCellAsItWas) {
  Dictionary s;
  s.area->goTo(2);
  s.script.type("XY").key(kEsc);
  EXPECT_FALSE(operators::HASLO_OPE(s.ctx));
  EXPECT_EQ(s.password(2), "OPER01");
}

// EDIT-like column descriptions (POLE) and a contractors table with or without NAZWA_OPE.
TEST(V_OPE, TheOperatorNameColumnNeedsTheFieldInTheContractors) {
  for (bool konHasField : {true, false}) {
    SCOPED_TRACE(konHasField);
    uitest::Station s;
    db::Workspace ws{s.env, s.script.clock(), s.rt};
    store::Tables tables{s.rt, s.con, s.paths, ws};
    s.ctx.workspace = &ws;
    s.ctx.tables = &tables;
    const std::string dir = s.dir.path().string();
    std::vector<xbase::dbf::FieldSpec> kon = {{"KOD_KON", 'C', 5, 0}};
    if (konHasField) kon.push_back({"NAZWA_OPE", 'C', 3, 0});
    ASSERT_TRUE(xbase::DbfFile::create(s.env, s.script.clock(), dir + "/KON.DBF", kon).has_value());
    auto edit = xbase::DbfFile::create(s.env, s.script.clock(), dir + "/EDIT.DBF", {{"POLE", 'C', 20, 0}});
    ASSERT_TRUE(edit.has_value());
    for (const char* pole : {"KOD", "NAZWA_OPE"}) {
      auto rec = (*edit)->blankRecord();
      ASSERT_TRUE((*edit)->setValue(rec, 0, rt::Value::character(pole)));
      ASSERT_TRUE((*edit)->appendRecord(rec));
    }
    (*edit)->close();
    db::WorkArea* a = *ws.use(dir + "/EDIT.DBF", {});
    a->goTo(1);
    EXPECT_TRUE(operators::V_OPE(s.ctx));
    a->goTo(2);
    EXPECT_EQ(operators::V_OPE(s.ctx), konHasField);
    EXPECT_EQ(ws.selected(), a->number());
    EXPECT_EQ(ws.areaOf("KON"), 0);  // opened only to look, and closed again
  }
}

}  // namespace
