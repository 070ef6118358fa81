// SZYFR on the operators table: stamping, verifying, and the tamper notice.
#include <gtest/gtest.h>

#include "access/operators_fixture.hpp"
#include "access/register.hpp"
#include "access/stamp.hpp"
#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "testkit/call.hpp"
#include "xbase/dbf_file.hpp"

namespace {

using con::key::kEnter;

const std::vector<optest::Operator> kTwo = {{"ADM", "ADMIN1", 9, "Administrator", "", "", true},
                                            {"OPE", "OPER01", 5, "Operator", "", "", false}};

TEST(SZYFR, AStampedRecordVerifiesAnUnstampedOneShowsTheNoticeUntilStamped) {
  optest::OperatorsStation s(kTwo);
  db::WorkArea* a = *s.ws.use(s.table(), {});
  a->goTo(1);
  EXPECT_TRUE(operators::SZYFR(s.ctx, 0));
  EXPECT_TRUE(s.device.shown.empty());

  a->goTo(2);
  s.script.key(kEnter);
  EXPECT_FALSE(operators::SZYFR(s.ctx, 0));
  ASSERT_EQ(s.device.shown.size(), 1u);
  EXPECT_NE(s.atRead(0).row(12).find("Niedozwolona ingerencja w hasła i priorytety !"), std::string::npos);

  ASSERT_TRUE(a->lockRecord());
  EXPECT_TRUE(operators::SZYFR(s.ctx, 1));
  EXPECT_TRUE(operators::SZYFR(s.ctx, 0));
  EXPECT_EQ(s.device.shown.size(), 1u);
}

TEST(SZYFR, ARaisedPriorityOrAChangedNameBreaksTheStamp) {
  struct Case {
    const char* field;
    rt::Value value;
  };
  for (const Case& c : {Case{"PRIORYTET", rt::Value::number(10)}, Case{"KOD", rt::Value::character("ADX")}}) {
    SCOPED_TRACE(c.field);
    optest::OperatorsStation s(kTwo);
    db::WorkArea* a = *s.ws.use(s.table(), {});
    a->goTo(1);
    ASSERT_TRUE(a->lockRecord());
    ASSERT_TRUE(a->replace(c.field, c.value));
    EXPECT_FALSE(operators::verifiesStamp(*a));
  }
}

TEST(SZYFR, ATableWithoutTestAlwaysVerifiesAndStampingChangesNothing) {
  optest::OperatorsStation s(kTwo, /*withTest=*/false);
  db::WorkArea* a = *s.ws.use(s.table(), {});
  a->goTo(2);
  ASSERT_TRUE(a->lockRecord());
  operators::AccessSeams seams;
  operators::registerAccess(s.rt.functions(), s.ctx, seams);
  EXPECT_TRUE(testkit::call(s.rt, "SZYFR", {rt::Value::number(0)}).logical());
  EXPECT_TRUE(testkit::call(s.rt, "SZYFR", {rt::Value::number(1)}).logical());
  EXPECT_TRUE(s.device.shown.empty());
}

}  // namespace

namespace {

// A menu entry is identified by the digits of its numeric OPCJA.
TEST(SZYFR, AMenuEntryIsStampedByTheDigitsOfItsCode) {
  uitest::Station s;
  db::Workspace ws{s.env, s.script.clock(), s.rt};
  s.ctx.workspace = &ws;
  const std::string path = s.dir.path().string() + "/MENU.DBF";
  auto t = xbase::DbfFile::create(s.env, s.script.clock(), path,
                                  {{"OPCJA", 'N', 4, 0}, {"PRIORYTET", 'N', 2, 0}, {"TEST", 'C', 6, 0}});
  ASSERT_TRUE(t.has_value());
  auto rec = (*t)->blankRecord();
  ASSERT_TRUE((*t)->setValue(rec, 0, rt::Value::number(121)));
  ASSERT_TRUE((*t)->setValue(rec, 1, rt::Value::number(5)));
  ASSERT_TRUE((*t)->setValue(rec, 2, rt::Value::character(operators::stampOf("121", 5))));
  ASSERT_TRUE((*t)->appendRecord(rec));
  (*t)->close();
  db::WorkArea* a = *ws.use(path, {});
  a->goTo(1);
  EXPECT_TRUE(operators::verifiesStamp(*a));
  ASSERT_TRUE(a->lockRecord());
  ASSERT_TRUE(a->replace("PRIORYTET", rt::Value::number(0)));
  EXPECT_FALSE(operators::verifiesStamp(*a));
}

TEST(RegisterAccess, EveryRoutineIsReachableByName) {
  uitest::Station s;
  operators::AccessSeams seams;
  operators::registerAccess(s.rt.functions(), s.ctx, seams);
  for (const char* name : {"SZYFR", "OPERATOR", "DAJOPE", "HA", "NOWY_OPE", "ZMIANA_OPE", "ZMIANA_HASLA",
                           "HASLO_OPE", "UNIK_OPE", "V_OPE", "UNI"})
    EXPECT_TRUE(s.rt.functions().contains(name)) << name;
}

}  // namespace
