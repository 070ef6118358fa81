#include "rt/expression.hpp"

#include <gtest/gtest.h>

#include "rt/runtime.hpp"
#include "testkit/record_source.hpp"

namespace {

using rt::Value;

class Expr : public ::testing::Test {
 protected:
  Expr() {
    // BUMP(@x): adds 1 to its argument and gives the old value.
    rt.functions().add("BUMP", [](rt::Runtime&, rt::Args& a) {
      Value old = a[0];
      a.ref(0) = Value::integer(a[0].num() + 1);
      return old;
    });
    rt.functions().add("COUNTCALLS", [this](rt::Runtime&, rt::Args&) {
      ++calls;
      return Value::logical(true);
    });
  }
  Value ev(const char* text) { return rt.evaluate(text); }
  rt::GenCode errorOf(const char* text) {
    try {
      (void)rt.evaluate(text);
    } catch (const rt::RuntimeError& e) {
      return e.error().genCode;
    }
    return rt::GenCode::None;
  }
  void withTables() {
    src.open("KON", {{"NAZWA", Value::character("Kowalski  ")}, {"NR", Value::number(7, 5, 0)}});
    src.open("TOW", {{"NAZWA", Value::character("Gwozdzie  ")}, {"CENA", Value::number(1.25, 7, 2)}});
    rt.setDataSource(&src);
  }
  rt::Runtime rt;
  testkit::RecordSource src;
  int calls = 0;
};

TEST_F(Expr, LiteralsOfEveryKind) {
  EXPECT_EQ(ev("'a\"b'").text(), "a\"b");
  EXPECT_EQ(ev("\"it's\"").text(), "it's");
  EXPECT_EQ(ev("[x 'y' \"z\"]").text(), "x 'y' \"z\"");
  EXPECT_TRUE(ev(".t.").logical());
  EXPECT_TRUE(ev(".Y.").logical());
  EXPECT_FALSE(ev(".f.").logical());
  EXPECT_FALSE(ev(".n.").logical());
  EXPECT_TRUE(ev("nil").isNil());
  const Value n = ev("1.50");
  EXPECT_EQ(n.numberParts().decimals, 2);
  EXPECT_EQ(n.numberParts().width, 10);
  EXPECT_EQ(ev(".5").num(), 0.5);
  const Value a = ev("{1, , 'x', {2}}");
  ASSERT_EQ(a.array()->size(), 4u);
  EXPECT_TRUE((*a.array())[1].isNil());
  EXPECT_EQ(ev("{1, 'x', {2, 3}}[3][2]").num(), 3);
  EXPECT_EQ(ev("{1, 'x', {2, 3}}[3, 1]").num(), 2);
  EXPECT_TRUE(ev("{}").array()->empty());
}

TEST_F(Expr, PrecedenceAndAssociativity) {
  struct Case { const char* text; bool result; };
  const Case cases[] = {
      {"! .F. = .F.", false},          // .NOT. binds below comparisons
      {"!.F. .AND. .F.", false},       // ... but above .AND.
      {".T. .OR. .F. .AND. .F.", true},
      {"1 + 2 * 3 = 7", true},
      {"1 = 1 = .T.", true},
      {".T. = 1 < 2", true},           // comparisons before equality
      {"'a' + 'b' $ 'xaby'", true},
      {"-2 ** 2 = 4", true},
      {"(1, 2) = 2", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ev(c.text).logical(), c.result);
  }
}

TEST_F(Expr, AndOrStopEarlyAndIifEvaluatesOnlyTheChosenBranch) {
  EXPECT_FALSE(ev(".F. .AND. COUNTCALLS()").logical());
  EXPECT_TRUE(ev(".T. .OR. COUNTCALLS()").logical());
  EXPECT_EQ(ev("IIF(.T., 1, nosuch)").num(), 1);
  EXPECT_EQ(ev("if(.f., nosuch(), 'b')").text(), "b");
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(errorOf("IIF(1, 2, 3)"), rt::GenCode::Arg);
}

TEST_F(Expr, AssignmentIncrementAndDecrement) {
  EXPECT_EQ(ev("n := 5").num(), 5);
  EXPECT_EQ(ev("n++").num(), 5);
  EXPECT_EQ(ev("n").num(), 6);
  EXPECT_EQ(ev("++n").num(), 7);
  EXPECT_EQ(ev("--n").num(), 6);
  EXPECT_EQ(ev("n--").num(), 6);
  EXPECT_EQ(ev("a := b := 2").num(), 2);
  EXPECT_EQ(ev("a + b").num(), 4);
  EXPECT_EQ(ev("a += 3").num(), 5);
  EXPECT_EQ(ev("s := 'x', s += 'y', s").text(), "xy");
  rt.vars().set("d", Value::date(rt::Date::fromYmd(2024, 2, 28)));
  EXPECT_EQ(ev("++d").date(), rt::Date::fromYmd(2024, 2, 29));
  EXPECT_EQ(ev("arr := {1, 2}, arr[2] := 'b', arr[2]").text(), "b");
  EXPECT_EQ(errorOf("arr[3]"), rt::GenCode::Bound);
  EXPECT_EQ(errorOf("arr[0] := 1"), rt::GenCode::Bound);
  EXPECT_EQ(errorOf("s++"), rt::GenCode::Arg);
}

TEST_F(Expr, UnknownNamesAndFunctionsAreRunTimeErrors) {
  EXPECT_EQ(errorOf("nosuch"), rt::GenCode::NoVar);
  EXPECT_EQ(errorOf("nosuch()"), rt::GenCode::NoFunc);
  EXPECT_EQ(errorOf("M->nosuch"), rt::GenCode::NoVar);
  EXPECT_EQ(errorOf("KON->NAZWA"), rt::GenCode::NoAlias);  // no data source at all
  withTables();
  EXPECT_EQ(errorOf("XX->NAZWA"), rt::GenCode::NoAlias);
  EXPECT_EQ(errorOf("KON->NOSUCH"), rt::GenCode::NoVar);
  EXPECT_EQ(errorOf("(9)->(NAZWA)"), rt::GenCode::NoAlias);
}

TEST_F(Expr, FieldsAndMemoryVariables) {
  withTables();  // TOW is current
  rt.vars().declarePublic("NAZWA");
  rt.vars().set("NAZWA", Value::character("memvar"));
  EXPECT_EQ(ev("NAZWA").text(), "Gwozdzie  ");  // a field of the current area wins
  EXPECT_EQ(ev("M->NAZWA").text(), "memvar");
  EXPECT_EQ(ev("MEMVAR->nazwa").text(), "memvar");
  EXPECT_EQ(ev("KON->NAZWA").text(), "Kowalski  ");
  EXPECT_EQ(ev("kon->nr").numberParts().width, 5);
  EXPECT_EQ(ev("FIELD->CENA").num(), 1.25);
  EXPECT_EQ(ev("NAZWA := 'x'").text(), "x");  // assignment goes to the memory variable
  EXPECT_EQ(rt.vars().get("NAZWA").text(), "x");
  EXPECT_EQ(src.writes, 0);
  EXPECT_EQ(ev("FIELD->CENA := 2.5").num(), 2.5);
  EXPECT_EQ(ev("KON->NR := 8").num(), 8);
  EXPECT_EQ(src.field(1, "NR").num(), 8);
  EXPECT_EQ(src.field(2, "CENA").num(), 2.5);
}

TEST_F(Expr, AliasedExpressionsSelectTheAreaAndRestoreIt) {
  withTables();
  EXPECT_EQ(ev("KON->(upper(NAZWA))").text(), "KOWALSKI  ");
  EXPECT_EQ(ev("(\"KON\")->(NAZWA)").text(), "Kowalski  ");
  EXPECT_EQ(ev("(1)->NAZWA").text(), "Kowalski  ");
  EXPECT_EQ(src.current(), 2);
  EXPECT_EQ(errorOf("KON->(nosuch)"), rt::GenCode::NoVar);
  EXPECT_EQ(src.current(), 2);  // restored after an error too
}

TEST_F(Expr, ACompiledNameFollowsTheCurrentArea) {
  withTables();
  rt::ExprRef e = rt.compile("NAZWA");
  EXPECT_EQ(rt.eval(*e).text(), "Gwozdzie  ");
  src.select(1);
  EXPECT_EQ(rt.eval(*e).text(), "Kowalski  ");
  EXPECT_EQ(rt.compile("NAZWA").get(), e.get());  // compiled once per text
}

TEST_F(Expr, Macros) {
  rt.vars().set("cExpr", Value::character("1 + 2"));
  rt.vars().set("cName", Value::character("cExpr"));
  rt.vars().set("cAl", Value::character("KON"));
  rt.vars().set("who", Value::character("Jan"));
  EXPECT_EQ(ev("&cExpr * 3").num(), 9);  // the macro is one operand
  EXPECT_EQ(ev("&cExpr. * 2").num(), 6);
  EXPECT_EQ(ev("&(cName)").text(), "1 + 2");
  EXPECT_EQ(ev("&('&' + cName)").num(), 3);
  EXPECT_EQ(ev("'Hello &who.!'").text(), "Hello Jan!");
  EXPECT_EQ(ev("'Hello &who'").text(), "Hello Jan");
  EXPECT_EQ(ev("'A & B &nosuch'").text(), "A & B &nosuch");  // unknown names stay in strings
  ev("&cName := 'new'");
  EXPECT_EQ(rt.vars().get("cExpr").text(), "new");
  rt.vars().set("suffix", Value::character("Expr"));
  EXPECT_EQ(ev("c&suffix").text(), "new");  // glued to a name: substituted as text
  withTables();
  EXPECT_EQ(ev("&cAl.->NAZWA").text(), "Kowalski  ");
  EXPECT_EQ(errorOf("&nosuch"), rt::GenCode::NoVar);
  rt.vars().set("bad", Value::character("1 +"));
  EXPECT_EQ(errorOf("&bad"), rt::GenCode::Syntax);
  rt.vars().set("self", Value::character("&self"));
  EXPECT_EQ(errorOf("&self"), rt::GenCode::Limit);
}

TEST_F(Expr, CodeBlocks) {
  EXPECT_EQ(ev("eval({|a, b| a + b}, 1, 2)").num(), 3);
  EXPECT_EQ(ev("eval({|| x := 1, x + 1})").num(), 2);
  EXPECT_TRUE(ev("eval({|a, b| b})").isNil());
  EXPECT_EQ(ev("eval(eval({|x| {|y| x * 10 + y}}, 4), 2)").num(), 42);  // keeps the outer argument
  EXPECT_EQ(ev("eval({|n| n := n + 1, n}, 1)").num(), 2);
  Value block = ev("{|s| upper(s)}");
  Value arg = Value::character("abc");
  EXPECT_EQ(rt.evalBlock(block, std::span<Value>(&arg, 1)).text(), "ABC");
  EXPECT_EQ(ev("&('{|v| v * 2}') ").type(), rt::Type::Block);
  EXPECT_EQ(ev("eval(&('{|v| v * 2}'), 21)").num(), 42);
  EXPECT_EQ(ev("ascan({5, 6, 7}, {|e| e = 6})").num(), 2);  // library functions call blocks too
  EXPECT_EQ(errorOf("eval(1)"), rt::GenCode::NoMethod);
  ev("b := {|| eval(b)}");
  EXPECT_EQ(errorOf("eval(b)"), rt::GenCode::Limit);  // runaway recursion stops cleanly
}

TEST_F(Expr, ArgumentsByValueAndByReference) {
  ev("n := 1");
  EXPECT_EQ(ev("BUMP(n)").num(), 1);
  EXPECT_EQ(ev("n").num(), 1);
  EXPECT_EQ(ev("BUMP(@n)").num(), 1);
  EXPECT_EQ(ev("n").num(), 2);
  EXPECT_EQ(ev("eval({|k| BUMP(@k), k}, 10)").num(), 11);
  EXPECT_EQ(errorOf("BUMP(@undeclared)"), rt::GenCode::NoVar);
}

TEST_F(Expr, TypeGivesTheLetterUForUnknownNamesAndUEForBadText) {
  rt.vars().set("c", Value::character("x"));
  bool hookCalled = false;
  rt.setErrorHook([&](rt::Runtime&, rt::Error&) -> std::optional<Value> {
    hookCalled = true;
    return std::nullopt;
  });
  struct Case { const char* arg; const char* type; };
  const Case cases[] = {{"c", "C"},   {"1 + 2", "N"},  {"nosuch", "U"},   {"nosuch()", "U"}, {"NIL", "U"},
                        {"1 +", "UE"}, {"{1}", "A"},   {"{|| 1}", "B"},   {"1 + 'a'", "UE"}, {".t.", "L"},
                        {"", "UE"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arg);
    rt.vars().set("arg", Value::character(c.arg));
    EXPECT_EQ(ev("type(arg)").text(), c.type);
  }
  EXPECT_FALSE(hookCalled);
  EXPECT_EQ(errorOf("nosuch"), rt::GenCode::NoVar);
  EXPECT_TRUE(hookCalled) << "the hook is back after TYPE";
}

TEST_F(Expr, CompileErrorsCarryThePosition) {
  struct Case { const char* text; std::size_t pos; };
  const Case cases[] = {
      {"1 +", 3},        {"(1", 2},          {"'abc", 0},       {"1 := 2", 2},   {"a b", 2},
      {"f(1,", 4},       {"{|a| a", 6},      {"x->", 3},        {"&", 0},        {"1 ? 2", 2},
      {".X.", 0},        {"@x", 0},          {"iif(.t.)", 8},   {"", 0},         {"a[1", 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      (void)rt.compile(c.text);
      ADD_FAILURE() << "compiled";
    } catch (const rt::CompileError& e) {
      EXPECT_EQ(e.error().genCode, rt::GenCode::Syntax);
      EXPECT_EQ(e.position(), c.pos);
      EXPECT_NE(std::string(e.what()).find("Syntax error"), std::string::npos);
    }
  }
  std::string deep(5000, '(');
  EXPECT_THROW((void)rt.compile(deep + "1" + std::string(5000, ')')), rt::CompileError);
}

}  // namespace
