#include "access/operators_fixture.hpp"

#include <gtest/gtest.h>

#include "access/scramble.hpp"
#include "access/stamp.hpp"
#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "xbase/dbf_file.hpp"

namespace optest {

OperatorsStation::OperatorsStation(const std::vector<Operator>& ops, bool withTest) {
  std::vector<xbase::dbf::FieldSpec> fields = {{"KOD", 'C', 4, 0},    {"HASLO", 'C', 6, 0},
                                               {"PRIORYTET", 'N', 2, 0}, {"NAZWA", 'C', 20, 0},
                                               {"BIERNY", 'C', 2, 0}, {"NR_KASY", 'C', 2, 0}};
  if (withTest) fields.push_back({"TEST", 'C', 6, 0});
  auto t = xbase::DbfFile::create(env, script.clock(), table(), fields);
  EXPECT_TRUE(t.has_value());
  for (const Operator& o : ops) {
    auto rec = (*t)->blankRecord();
    EXPECT_TRUE((*t)->setValue(rec, 0, rt::Value::character(o.kod)));
    EXPECT_TRUE((*t)->setValue(rec, 1, rt::Value::character(operators::scramble(operators::normalisePassword(o.password)))));
    EXPECT_TRUE((*t)->setValue(rec, 2, rt::Value::number(o.priority)));
    EXPECT_TRUE((*t)->setValue(rec, 3, rt::Value::character(o.name)));
    EXPECT_TRUE((*t)->setValue(rec, 4, rt::Value::character(o.flags)));
    EXPECT_TRUE((*t)->setValue(rec, 5, rt::Value::character(o.desk)));
    if (withTest && o.stamped) {
      EXPECT_TRUE((*t)->setValue(rec, 6, rt::Value::character(operators::stampOf(o.kod, o.priority))));
    }
    EXPECT_TRUE((*t)->appendRecord(rec));
  }
  (*t)->close();
  ctx.workspace = &ws;
  ctx.tables = &tables;
  auto area = ws.use(table(), {});
  EXPECT_TRUE(area.has_value());
  EXPECT_TRUE(db::indexOn(**area, dir.path().string() + "/SL_OPE_H.NTX", db::IndexSpec("HASLO")));
  ws.closeAll();
}

}  // namespace optest
