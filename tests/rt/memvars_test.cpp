#include "rt/memvars.hpp"

#include <gtest/gtest.h>

using rt::Memvars;
using rt::Value;

TEST(Memvars, PrivateHidesAndVanishesWhenItsRoutineReturns) {
  Memvars vars;
  vars.declarePublic("x");
  vars.set("X", Value::character("public"));
  {
    Memvars::Scope routine(vars);
    vars.declarePrivate("x", Value::number(1));
    EXPECT_EQ(vars.get("x").num(), 1);
    {
      Memvars::Scope callee(vars);  // a called routine sees its caller's private
      EXPECT_EQ(vars.get("x").num(), 1);
      vars.set("x", Value::number(2));
    }
    EXPECT_EQ(vars.get("x").num(), 2);
  }
  EXPECT_EQ(vars.get("x").text(), "public");
}

TEST(Memvars, AssigningAnUnknownNameCreatesAPrivateOfTheCurrentRoutine) {
  Memvars vars;
  {
    Memvars::Scope routine(vars);
    vars.set("tmp", Value::logical(true));
    EXPECT_TRUE(vars.exists("TMP"));
  }
  EXPECT_FALSE(vars.exists("tmp"));
}

TEST(Memvars, PublicKeepsAnExistingVariableAndStartsNewOnesFalse) {
  Memvars vars;
  vars.declarePublic("_SC");
  EXPECT_FALSE(vars.get("_sc").logical());
  vars.set("_sc", Value::character("C:\\"));
  vars.declarePublic("_SC");
  EXPECT_EQ(vars.get("_SC").text(), "C:\\");
  {
    Memvars::Scope routine(vars);
    vars.declarePrivate("p", Value::number(5));
    vars.declarePublic("p");  // a visible private is kept, no public is made
    EXPECT_EQ(vars.get("p").num(), 5);
  }
  EXPECT_FALSE(vars.exists("p"));
}

TEST(Memvars, NamesAreCaseInsensitiveAndSignificantToTenCharacters) {
  Memvars vars;
  vars.set("abcdefghijKL", Value::number(7));
  EXPECT_EQ(vars.get("ABCDEFGHIJ").num(), 7);
  EXPECT_EQ(vars.get("abcdefghijXYZ").num(), 7);
  EXPECT_EQ(vars.list()[0].name, "ABCDEFGHIJ");
}

TEST(Memvars, ReleaseRemovesAPublicButAPrivateKeepsHidingUntilItsRoutineEnds) {
  Memvars vars;
  vars.declarePublic("a");
  vars.set("a", Value::number(1));
  {
    Memvars::Scope routine(vars);
    vars.declarePrivate("a", Value::number(2));
    vars.release("a");
    EXPECT_TRUE(vars.get("a").isNil());
  }
  EXPECT_EQ(vars.get("a").num(), 1);
  vars.release("a");
  EXPECT_FALSE(vars.exists("a"));
}

TEST(Memvars, ReleaseAllDropsEverythingAndLaterScopesStillEndCleanly) {
  Memvars vars;
  vars.declarePublic("pub");
  Memvars::Scope routine(vars);
  vars.declarePrivate("priv");
  vars.releaseAll();
  EXPECT_TRUE(vars.list().empty());
  vars.set("restored", Value::number(3));  // RESTORE makes unknown names privates of the routine
  EXPECT_TRUE(vars.exists("restored"));
}

TEST(Memvars, ReleaseScopeClearsOnlyMatchingPrivatesOfTheInnermostRoutine) {
  Memvars vars;
  vars.declarePrivate("outer", Value::number(1));
  Memvars::Scope routine(vars);
  vars.declarePrivate("a_blo", Value::number(2));
  vars.declarePrivate("b", Value::number(3));
  vars.releaseScope("*_BLO");
  EXPECT_TRUE(vars.get("a_blo").isNil());
  EXPECT_EQ(vars.get("b").num(), 3);
  EXPECT_EQ(vars.get("outer").num(), 1);
}

TEST(Memvars, ListByMaskInCreationOrder) {
  Memvars vars;
  for (const char* n : {"_EKRA_BLO", "_NR_OPE", "_EDIT_BLO", "_SLOW_BLO", "_SLOW_BLOX"}) vars.declarePublic(n);
  std::vector<std::string> like, except;
  for (const auto& e : vars.list("_????_blo")) like.push_back(e.name);
  for (const auto& e : vars.list("_????_blo", rt::MaskMatch::Except)) except.push_back(e.name);
  EXPECT_EQ(like, (std::vector<std::string>{"_EKRA_BLO", "_EDIT_BLO", "_SLOW_BLO"}));
  EXPECT_EQ(except, (std::vector<std::string>{"_NR_OPE", "_SLOW_BLOX"}));
  EXPECT_TRUE(vars.list()[0].isPublic);
}

TEST(Memvars, MaskMatching) {
  struct Case { const char* name; const char* mask; bool match; };
  const Case cases[] = {{"ABC", "*", true},   {"ABC", "a?c", true}, {"ABC", "A*C", true}, {"AC", "A*C", true},
                        {"ABC", "AB", false}, {"ABC", "?", false},  {"ABCBC", "*BC", true}, {"", "*", true},
                        {"ABD", "A*C", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " / " + c.mask);
    EXPECT_EQ(Memvars::matchesMask(c.name, c.mask), c.match);
  }
}
