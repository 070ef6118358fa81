#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "rt/runtime.hpp"

namespace {

using rt::Value;

Value C(std::string s) { return Value::character(std::move(s)); }
Value N(double v) { return Value::number(v); }

Value call(rt::Runtime& r, std::string_view name, std::vector<Value> args) { return r.call(name, std::move(args)); }

// Numbers and strings of an array as a readable line: {1, "a", NIL}.
std::string show(const Value& v) {
  switch (v.type()) {
    case rt::Type::Nil: return "NIL";
    case rt::Type::Numeric: {
      const double n = v.num();
      return n == static_cast<long long>(n) ? std::to_string(static_cast<long long>(n)) : std::to_string(n);
    }
    case rt::Type::Character: return "\"" + v.text() + "\"";
    case rt::Type::Logical: return v.logical() ? ".T." : ".F.";
    case rt::Type::Array: {
      std::string s = "{";
      for (const Value& e : *v.array()) s += (s.size() > 1 ? ", " : "") + show(e);
      return s + "}";
    }
    default: return "?";
  }
}

Value list(std::vector<Value> items) {
  Value a = Value::newArray();
  *a.array() = std::move(items);
  return a;
}

TEST(ArrayFunctions, ChangeTheGivenArrayInPlace) {
  rt::Runtime r;
  struct Case { const char* name; std::vector<Value> extra; std::string after; };
  const std::vector<Case> cases = {
      {"ADEL", {N(2)}, "{1, 3, 4, NIL}"},
      {"ADEL", {N(5)}, "{1, 2, 3, 4}"},
      {"AINS", {N(2)}, "{1, NIL, 2, 3}"},
      {"AINS", {N(4)}, "{1, 2, 3, NIL}"},
      {"AINS", {N(0)}, "{1, 2, 3, 4}"},
      {"ASIZE", {N(2)}, "{1, 2}"},
      {"ASIZE", {N(6)}, "{1, 2, 3, 4, NIL, NIL}"},
      {"ASIZE", {N(-1)}, "{}"},
      {"AFILL", {C("x")}, "{\"x\", \"x\", \"x\", \"x\"}"},
      {"AFILL", {C("x"), N(3)}, "{1, 2, \"x\", \"x\"}"},
      {"AFILL", {C("x"), N(2), N(1)}, "{1, \"x\", 3, 4}"},
      {"AFILL", {C("x"), N(0), N(9)}, "{\"x\", \"x\", \"x\", \"x\"}"},
      {"AFILL", {C("x"), N(9)}, "{1, 2, 3, 4}"},
      {"ASORT", {}, "{1, 2, 3, 4}"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + c.after);
    const Value a = list({N(1), N(2), N(3), N(4)});
    std::vector<Value> args{a};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const Value result = call(r, c.name, args);
    EXPECT_EQ(result.array(), a.array());
    EXPECT_EQ(show(a), c.after);
  }
}

TEST(ArrayFunctions, ArrayBuildsEveryDimension) {
  rt::Runtime r;
  EXPECT_EQ(show(call(r, "ARRAY", {N(2), N(3)})), "{{NIL, NIL, NIL}, {NIL, NIL, NIL}}");
  EXPECT_EQ(show(call(r, "ARRAY", {N(0)})), "{}");
  const Value a = call(r, "ARRAY", {N(2), N(1)});
  EXPECT_NE(a.array()->at(0).array(), a.array()->at(1).array());
  EXPECT_THROW(call(r, "ARRAY", {N(-1)}), rt::RuntimeError);
  EXPECT_THROW(call(r, "ARRAY", {N(1e6), N(1e6)}), rt::RuntimeError);
}

TEST(ArrayFunctions, AddTailCopyAndClone) {
  rt::Runtime r;
  const Value a = list({N(1)});
  EXPECT_EQ(call(r, "AADD", {a, C("b")}).text(), "b");
  EXPECT_EQ(show(a), "{1, \"b\"}");
  EXPECT_EQ(call(r, "ATAIL", {a}).text(), "b");
  EXPECT_TRUE(call(r, "ATAIL", {Value::newArray()}).isNil());

  const Value target = list({N(0), N(0), N(0)});
  call(r, "ACOPY", {list({N(1), N(2), N(3), N(4)}), target, N(2), N(9), N(2)});
  EXPECT_EQ(show(target), "{0, 2, 3}");
  call(r, "ACOPY", {list({N(7)}), target});
  EXPECT_EQ(show(target), "{7, 2, 3}");

  const Value nested = list({N(1), list({N(2)})});
  const Value clone = call(r, "ACLONE", {nested});
  clone.array()->at(1).array()->at(0) = N(9);
  EXPECT_EQ(show(nested), "{1, {2}}");
  EXPECT_EQ(show(clone), "{1, {9}}");
}

TEST(ArrayFunctions, ScanComparesAsTheEqualsOperatorDoes) {
  rt::Runtime r;
  const Value a = list({N(1), C("ABC"), C("AB "), Value(), Value::logical(true), N(1)});
  struct Case { Value sought; std::vector<Value> range; double exactOff, exactOn; };
  const Case cases[] = {
      {N(1), {}, 1, 1},
      {N(1), {N(2)}, 6, 6},
      {N(1), {N(2), N(3)}, 0, 0},
      {C("AB"), {}, 2, 3},     // "ABC" = "AB" without EXACT; "AB " = "AB" with it
      {C(""), {}, 2, 0},       // an empty text matches any text without EXACT
      {C("ABCD"), {}, 0, 0},
      {Value(), {}, 4, 4},
      {Value::logical(true), {}, 5, 5},
      {C("1"), {}, 0, 0},      // other types never match
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(show(c.sought));
    std::vector<Value> args{a, c.sought};
    args.insert(args.end(), c.range.begin(), c.range.end());
    r.settings().exact = false;
    EXPECT_EQ(call(r, "ASCAN", args).num(), c.exactOff);
    r.settings().exact = true;
    EXPECT_EQ(call(r, "ASCAN", args).num(), c.exactOn);
  }
}

TEST(ArrayFunctions, SortWithoutABlockOrdersWithinAndAcrossTypes) {
  rt::Runtime r;
  const Value a = list({C("b"), N(10), C("ab"), N(-2), C("\xA5"), C("a"), Value::logical(false)});
  call(r, "ASORT", {a});
  EXPECT_EQ(show(a), "{.F., -2, 10, \"a\", \"ab\", \"b\", \"\xA5\"}");
  const Value part = list({N(5), N(4), N(3), N(2), N(1)});
  call(r, "ASORT", {part, N(2), N(3)});
  EXPECT_EQ(show(part), "{5, 2, 3, 4, 1}");
}

TEST(ArrayFunctions, WrongArgumentsRaiseAnArgumentError) {
  rt::Runtime r;
  for (const char* name : {"AADD", "ASIZE", "ADEL", "AINS", "AFILL", "ACOPY", "ASCAN", "AEVAL", "ASORT", "ATAIL"}) {
    SCOPED_TRACE(name);
    try {
      call(r, name, {C("not an array"), N(1)});
      ADD_FAILURE() << "no error";
    } catch (const rt::RuntimeError& e) {
      EXPECT_EQ(e.error().genCode, rt::GenCode::Arg);
      EXPECT_EQ(e.error().operation, name);
    }
  }
}

TEST(ArrayFunctions, CodeBlocksSearchWalkAndOrder) {
  rt::Runtime r;
  const Value a = list({N(1), N(5), N(9)});
  EXPECT_EQ(call(r, "ASCAN", {a, r.evaluate("{|x| x > 2}")}).num(), 2);
  EXPECT_EQ(call(r, "ASCAN", {a, r.evaluate("{|x| x > 2}"), N(3)}).num(), 3);
  EXPECT_EQ(call(r, "ASCAN", {a, r.evaluate("{|x| x > 20}")}).num(), 0);

  r.vars().declarePublic("S");
  r.vars().set("S", N(0));
  EXPECT_EQ(call(r, "AEVAL", {a, r.evaluate("{|x, i| S := S + x * i}")}).array(), a.array());
  EXPECT_EQ(r.vars().get("S").num(), 1 * 1 + 5 * 2 + 9 * 3);
  r.vars().set("S", N(0));
  call(r, "AEVAL", {a, r.evaluate("{|x| S := S + x}"), N(2), N(1)});
  EXPECT_EQ(r.vars().get("S").num(), 5);

  const Value b = list({N(3), N(1), N(2)});
  call(r, "ASORT", {b, Value(), Value(), r.evaluate("{|x, y| x > y}")});
  EXPECT_EQ(show(b), "{3, 2, 1}");
}

TEST(ArrayFunctions, SortSurvivesABlockThatIsNoOrderOrFails) {
  rt::Runtime r;
  const Value a = list({N(4), N(2), N(3), N(1), N(5), N(2), N(7)});
  call(r, "ASORT", {a, Value(), Value(), r.evaluate("{|x, y| .T.}")});
  std::vector<double> seen;
  for (const Value& v : *a.array()) seen.push_back(v.num());
  std::sort(seen.begin(), seen.end());
  EXPECT_EQ(seen, (std::vector<double>{1, 2, 2, 3, 4, 5, 7}));  // nothing lost, nothing doubled

  const Value b = list({N(2), N(1)});
  EXPECT_THROW(call(r, "ASORT", {b, Value(), Value(), r.evaluate("{|x, y| x + 'a'}")}), rt::RuntimeError);
  EXPECT_EQ(show(b), "{2, 1}");
}

}  // namespace
