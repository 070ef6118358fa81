// tests/access/admin_screens_fixture.cpp — the administration screens' station.
#include "access/admin_screens_fixture.hpp"

#include <gtest/gtest.h>

#include "access/register.hpp"
#include "db/db_functions.hpp"
#include "rt/codepage.hpp"
#include "ui/register.hpp"
#include "xbase/dbf_file.hpp"

namespace optest {

std::vector<Column> operatorColumns() {
  return {{"SL_OPE", "Nazwa", "KOD", "@!", ".T.", "UNIK_OPE()", 1},
          {"SL_OPE", "Hasło", "IF(EMPTY(HASLO),SPACE(6),\"******\")", "", "IF(HASLO_OPE(),0,0)", "", 2},
          {"SL_OPE", "Priorytet", "PRIORYTET", "99", ".T.", "PRIORYTET>=0", 3},
          {"SL_OPE", "Pełna nazwa", "NAZWA", "", ".T.", "", 4}};
}

AdminStation::AdminStation(const std::vector<Operator>& ops) : OperatorsStation(ops) {
  rt.settings().confirm = true;  // as the program runs: a full field waits for Enter
  tables.seams.retryPause = [] {};
  rt.vars().declarePublic("_UDOCEZAK");
  rt.vars().set("_UDOCEZAK", rt::Value::logical(true));
  db::registerDatabaseFunctions(rt.functions(), ws);
  ui::registerScreen(rt.functions(), ctx);
  operators::registerAccess(rt.functions(), ctx, seams);
  makeEdit(operatorColumns());
}

AdminStation::~AdminStation() { ws.closeAll(); }

void AdminStation::makeEdit(const std::vector<Column>& columns) {
  auto t = xbase::DbfFile::create(env, script.clock(), path("EDIT.DBF"),
                                  {{"BAZA", 'C', 10}, {"NAG1", 'C', 40}, {"POLE", 'C', 60}, {"FORMAT", 'C', 30},
                                   {"WEJSCIE", 'C', 40}, {"WARUNEK", 'C', 60}, {"POWROT", 'C', 20}, {"V1", 'N', 3}});
  ASSERT_TRUE(t.has_value());
  for (const Column& col : columns) {
    auto rec = (*t)->blankRecord();
    const std::string texts[] = {col.screen, col.heading, col.value, col.picture, col.entry, col.valid};
    for (std::size_t i = 0; i < 6; ++i) ASSERT_TRUE((*t)->setValue(rec, i, rt::Value::character(rt::cp852FromUtf8(texts[i]))));
    ASSERT_TRUE((*t)->setValue(rec, 7, rt::Value::number(col.v1, 3, 0)));
    ASSERT_TRUE((*t)->appendRecord(rec));
  }
  (*t)->close();
}

bool AdminStation::wasShown(int row, const std::string& text) const {
  for (const uitest::Shown& s : device.shown)
    if (s.row(row).find(text) != std::string::npos) return true;
  return false;
}

}  // namespace optest
