// tests/ui/value_text_test.cpp — ADJUSTTAB writes values as expression text; CZYTAJTAB's
// reader gives them back; ZAPISZTAB and CZYTAJTAB carry them through a file.
#include <gtest/gtest.h>

#include <fstream>

#include "rt/runtime.hpp"
#include "sys/fault_env.hpp"
#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"
#include "ui/adjusttab.hpp"
#include "ui/czytajtab.hpp"
#include "ui/zapisztab.hpp"

namespace {

rt::Value list(std::vector<rt::Value> items) {
  rt::Value v = rt::Value::newArray();
  *v.array() = std::move(items);
  return v;
}
rt::Value text(const char* s) { return rt::Value::character(s); }

TEST(ADJUSTTAB, WritesEachTypeAsItsExpressionText) {
  struct Case { rt::Value value; const char* expected; };
  const Case cases[] = {
      {list({rt::Value::integer(1), text("a"), rt::Value::logical(true)}), "{1,\"a\",.t.}"},
      {list({}), "{}"},
      {list({list({rt::Value::integer(1)}), list({})}), "{{1},{}}"},
      {rt::Value::number(1.5, 10, 2), "1.50"},
      {rt::Value::number(-3, 10, 0), "-3"},
      {rt::Value::number(12345678901.0, 10, 0), "12345678901"},  // wider than its width
      {rt::Value::logical(false), ".f."},
      {text(""), "\"\""},
      {text("say \"hi\""), "'say \"hi\"'"},
      {text("it's \"x\""), "[it's \"x\"]"},
      {text("a\"b'c]d"), "\"a\"+CHR(34)+\"b'c]d\""},
      {text("\r\n"), "CHR(13)+CHR(10)"},
      {rt::Value::date(rt::Date::fromYmd(1949, 12, 31)), "STOD(\"19491231\")"},
      {rt::Value::date(rt::Date{}), "STOD(\"        \")"},
      {rt::Value(), "NIL"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    EXPECT_EQ(ui::ADJUSTTAB(c.value), c.expected);
  }
}

TEST(ADJUSTTAB, AListThatContainsItselfEndsInNil) {
  rt::Value outer = list({rt::Value::integer(1)});
  outer.array()->push_back(outer);
  EXPECT_EQ(ui::ADJUSTTAB(outer), "{1,NIL}");
  outer.array()->clear();  // break the cycle so the list can be freed
}

TEST(CZYTAJTAB, ReadsBackWhatADJUSTTABWrote) {
  const rt::Settings settings;
  const rt::Value values[] = {
      list({rt::Value::integer(1), text("a"), rt::Value::logical(true)}),
      list({list({rt::Value::number(-2.25, 10, 2)}), text("a\"b'c]d\r\n\xA5"), rt::Value()}),
      rt::Value::date(rt::Date::fromYmd(1949, 12, 31)),
      rt::Value::date(rt::Date{}),
  };
  for (const rt::Value& v : values) {
    const std::string written = ui::ADJUSTTAB(v);
    SCOPED_TRACE(written);
    std::optional<rt::Value> back = ui::readTabText(written, settings);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(ui::ADJUSTTAB(*back), written);
  }
  std::optional<rt::Value> n = ui::readTabText("1.50", settings);
  ASSERT_TRUE(n.has_value());
  EXPECT_EQ(n->numberParts().decimals, 2);
}

TEST(CZYTAJTAB, AcceptsOtherSpellingsOfTheSameValues) {
  const rt::Settings settings;  // dd.mm.yy, epoch 1950
  struct Case { const char* text; const char* asWritten; };
  const Case cases[] = {
      {" { 1 , 'a' , .T. } ", "{1,\"a\",.t.}"},
      {"{.y.,.N.,nil}", "{.t.,.f.,NIL}"},
      {"05.03.16", "STOD(\"20160305\")"},  // a bare date in the date layout
      {"ctod(\"31.12.49\")", "STOD(\"20491231\")"},
      {"\"ab\" + [cd]", "\"abcd\""},
      {"+7", "7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::optional<rt::Value> v = ui::readTabText(c.text, settings);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(ui::ADJUSTTAB(*v), c.asWritten);
  }
}

TEST(CZYTAJTAB, RefusesTextThatIsNotAValue) {
  const rt::Settings settings;
  const std::string cases[] = {"",         "{1,2", "{1,,2}", "\"open", "FERASE(\"CONFIG.DBF\")", "{1} 2", "1 + 2",
                               "CHR(256)", ".x.",  "12.",    std::string(100, '{') + std::string(100, '}')};
  for (const std::string& c : cases) {
    SCOPED_TRACE(c);
    EXPECT_FALSE(ui::readTabText(c, settings).has_value());
  }
}

class TabFile : public testing::Test {
 protected:
  testkit::TempDir dir;
  sys::PosixEnv env;
  sys::PathResolver paths{env, dir.path().string()};
  rt::Runtime rt;
};

TEST_F(TabFile, ZAPISZTABThenCZYTAJTABGivesTheValueBack) {
  const rt::Value v = list({rt::Value::integer(1), text("a"), rt::Value::logical(true)});
  ASSERT_TRUE(ui::ZAPISZTAB(env, paths, "LISTA.TXT", v));
  EXPECT_EQ(testkit::readFile(dir / "LISTA.TXT"), "{1,\"a\",.t.}");
  EXPECT_EQ(ui::ADJUSTTAB(ui::CZYTAJTAB(rt, env, paths, "lista.txt")), "{1,\"a\",.t.}");
}

TEST_F(TabFile, AMissingFileReadsAsNil) { EXPECT_TRUE(ui::CZYTAJTAB(rt, env, paths, "BRAK.TXT").isNil()); }

TEST_F(TabFile, AFileThatIsNotAValueRaisesASyntaxError) {
  ASSERT_TRUE(ui::ZAPISZTAB(env, paths, "ZLE.TXT", text("x")));
  { std::ofstream(dir / "ZLE.TXT") << "QUIT()"; }
  try {
    ui::CZYTAJTAB(rt, env, paths, "ZLE.TXT");
    FAIL() << "no error raised";
  } catch (const rt::RuntimeError& e) {
    EXPECT_EQ(e.error().genCode, rt::GenCode::Syntax);
    EXPECT_NE(e.error().fileName.find("ZLE.TXT"), std::string::npos);
  }
}

TEST_F(TabFile, AFailedWriteKeepsTheOldContentsAndAnswersFalse) {
  ASSERT_TRUE(ui::ZAPISZTAB(env, paths, "LISTA.TXT", text("old")));
  for (sys::FaultOp op : {sys::FaultOp::Write, sys::FaultOp::Sync, sys::FaultOp::Rename}) {
    sys::FaultEnv faulty(env);
    faulty.failNth(op, 1);
    EXPECT_FALSE(ui::ZAPISZTAB(faulty, paths, "LISTA.TXT", text("new")));
    EXPECT_EQ(testkit::readFile(dir / "LISTA.TXT"), "\"old\"");
  }
  EXPECT_FALSE(ui::ZAPISZTAB(env, paths, "BRAK/LISTA.TXT", text("x")));  // no such folder
  EXPECT_EQ(env.list(dir.path().string())->size(), 1u);                  // no temporary file left
}

}  // namespace
