// tests/db/workspace_test.cpp — work-area numbering, aliases and field access by name.
#include "db/workspace.hpp"

#include <gtest/gtest.h>

#include "db_testing.hpp"

namespace {

using base::Errc;
using dbtest::Station;

TEST(Workspace, SelectZeroTakesTheLowestFreeAreaAndAliasesDefaultToTheFileName) {
  Station st;
  const std::string a = st.makeTable("ALFA.DBF", {{"KOD", 'C', 3}}, {{"a"}});
  const std::string b = st.makeTable("beta.dbf", {{"KOD", 'C', 3}}, {{"b"}});
  db::WorkArea& first = st.use(a);
  db::WorkArea& second = st.use(b);
  EXPECT_EQ(first.number(), 1);
  EXPECT_EQ(second.number(), 2);
  EXPECT_EQ(second.alias(), "BETA");
  st.ws->close(1);
  st.ws->select(0);
  EXPECT_EQ(st.ws->selected(), 1);
  EXPECT_EQ(st.ws->areaOf("beta"), 2);
  EXPECT_EQ(st.ws->areaOf("B"), 2) << "letters A..K name areas 1..11";
}

TEST(Workspace, RefusesAliasesInUseAndSingleLetters) {
  Station st;
  const std::string a = st.makeTable("ALFA.DBF", {{"KOD", 'C', 3}}, {});
  const std::string b = st.makeTable("BETA.DBF", {{"KOD", 'C', 3}}, {});
  st.use(a);
  struct Case { std::string alias; Errc expected; };
  for (const Case& c : {Case{"alfa", Errc::Exists}, Case{"M", Errc::Invalid}, Case{"c", Errc::Invalid},
                        Case{"K", Errc::Invalid}}) {
    SCOPED_TRACE(c.alias);
    auto r = st.ws->use(b, {c.alias, xbase::Share::Exclusive, true});
    ASSERT_FALSE(r);
    EXPECT_TRUE(r.error().is(c.expected));
  }
  EXPECT_TRUE(st.ws->use(b, {"L", xbase::Share::Exclusive, true}));
}

TEST(Workspace, FieldsResolveByAliasOrInTheCurrentAreaAndOtherAreasRunInArea) {
  Station st;
  const std::string a = st.makeTable("ALFA.DBF", {{"KOD", 'C', 3}, {"ILE", 'N', 6, 2}}, {{"x", "1.5"}});
  const std::string b = st.makeTable("BETA.DBF", {{"NAZWA", 'C', 5}}, {{"bb"}});
  st.use(a);
  st.use(b);
  EXPECT_EQ(st.ws->findField("", "nazwa").status, rt::FieldLookup::Found);
  EXPECT_EQ(st.ws->findField("", "KOD").status, rt::FieldLookup::NoField);
  EXPECT_EQ(st.ws->findField("GAMMA", "KOD").status, rt::FieldLookup::NoAlias);
  const auto f = st.ws->findField("alfa", "ile");
  ASSERT_EQ(f.status, rt::FieldLookup::Found);
  const rt::Value v = st.ws->read(st.rt, f.handle);
  EXPECT_EQ(v.num(), 1.5);
  EXPECT_EQ(v.numberParts().width, 3) << "N6.2 reads with integer width 3 so STR() prints 6 characters";
  EXPECT_EQ(v.numberParts().decimals, 2);

  const auto before = st.ws->epoch();
  const rt::Value inner = st.ws->inArea(st.rt, rt::Value::character("ALFA"), [&] {
    return rt::Value::number(st.ws->selected());
  });
  EXPECT_EQ(inner.num(), 1);
  EXPECT_EQ(st.ws->selected(), 2) << "the previous area is selected again";
  EXPECT_NE(st.ws->epoch(), before);
  EXPECT_THROW(st.ws->inArea(st.rt, rt::Value::character("NONE"), [] { return rt::Value(); }), rt::RuntimeError);
}

TEST(Workspace, WritingAFieldOfASharedTableNeedsTheRecordLock) {
  Station st;
  const std::string a = st.makeTable("ALFA.DBF", {{"KOD", 'C', 3}}, {{"x"}});
  db::WorkArea& area = st.use(a, xbase::Share::Shared);
  const auto f = st.ws->findField("", "KOD");
  EXPECT_THROW(st.ws->write(st.rt, f.handle, rt::Value::character("y")), rt::RuntimeError);
  ASSERT_TRUE(area.lockRecord());
  st.ws->write(st.rt, f.handle, rt::Value::character("y"));
  area.unlockAll();
  area.goTop();
  EXPECT_EQ(dbtest::text(area.value(0)), "y");
}

}  // namespace
