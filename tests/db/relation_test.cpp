// tests/db/relation_test.cpp — a child area follows every move of its parent.
#include <gtest/gtest.h>

#include "db/bulk_index.hpp"
#include "db_testing.hpp"

namespace {

using dbtest::Station;
using dbtest::text;

struct Pair {
  Station st;
  db::WorkArea* parent;
  db::WorkArea* child;
  Pair() {
    // Orders: account codes; customers indexed by code, one customer deleted.
    parent = &st.use(st.makeTable("ZAM.DBF", {{"KONTO", 'C', 5}, {"POZ", 'N', 3}},
                                  {{"00002", "1"}, {"00009", "2"}, {"00001", "3"}, {"00003", "4"}}));
    child = &st.use(st.makeTable("KON.DBF", {{"KONTO", 'C', 5}, {"NAZWA", 'C', 10}},
                                 {{"00001", "Alfa"}, {"00002", "Beta"}, {"00003", "Gamma", "*"}}));
    EXPECT_TRUE(db::indexOn(*child, st.path("KON.NTX"), {"KONTO"}));
  }
  std::string childName() { return text(child->value(1)); }
};

TEST(Relation, TheChildIsSoughtByTheParentsKeyAfterEveryMove) {
  Pair p;
  p.parent->addRelation(p.st.ws->compile("KONTO"), *p.child);
  struct Step { std::uint32_t parentRecno; std::string name; bool childEof; };
  const Step steps[] = {{1, "Beta", false}, {2, "", true}, {3, "Alfa", false}, {4, "", true}};
  p.parent->goTop();
  for (const Step& s : steps) {
    SCOPED_TRACE(s.parentRecno);
    EXPECT_EQ(p.parent->recno(), s.parentRecno);
    EXPECT_EQ(p.childName(), s.name) << "no match and deleted matches give the phantom";
    EXPECT_EQ(p.child->eof(), s.childEof);
    p.parent->skip();
  }
  EXPECT_TRUE(p.parent->eof());
  EXPECT_TRUE(p.child->eof()) << "parent at EOF puts the child at EOF";
  p.st.rt.settings().softSeek = true;
  p.parent->goTo(2);
  EXPECT_TRUE(p.child->eof()) << "SOFTSEEK does not apply to relations";
}

TEST(Relation, ANumericKeyOnAnUnindexedChildIsAGoto) {
  Pair p;
  p.child->clearOrders();
  p.parent->addRelation(p.st.ws->compile("POZ"), *p.child);
  p.parent->goTo(2);
  EXPECT_EQ(p.child->recno(), 2u);
  p.parent->goTo(3);
  EXPECT_EQ(p.child->recno(), 3u) << "GOTO ignores SET DELETED";
  p.parent->goTo(4);
  EXPECT_TRUE(p.child->eof());
}

TEST(Relation, ClosingTheChildEndsTheRelation) {
  Pair p;
  p.parent->addRelation(p.st.ws->compile("KONTO"), *p.child);
  p.st.ws->close(p.child->number());
  p.parent->goTop();
  p.parent->skip();
  EXPECT_EQ(p.parent->recno(), 2u);
}

}  // namespace
