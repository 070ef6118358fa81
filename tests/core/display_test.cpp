// tests/core/display_test.cpp — routines that show values for screens and printouts: the
// display pictures (S_I ...), DS, EP and SZER.
#include <gtest/gtest.h>

#include "core/ds.hpp"
#include "core/ep.hpp"
#include "core/program_vars.hpp"
#include "core/register.hpp"
#include "core/s_i.hpp"
#include "core/szer.hpp"
#include "rt/codepage.hpp"

namespace {

using namespace rt::literals;

class Display : public testing::Test {
 protected:
  Display() { core::declareProgramVars(rt); }
  void set(const char* name, rt::Value v) { rt.vars().set(name, std::move(v)); }
  rt::Runtime rt;
};

TEST_F(Display, EachRoutineUsesItsOwnPicture) {
  set("_FORMAT_IND", rt::Value::character("@R 99-999"));
  set("_FORMAT_CEN", rt::Value::character("999,999.99"));
  set("_FORMAT_WAR", rt::Value::character("@E 999,999.99"));
  set("_FORMAT_ILO", rt::Value::character("9999"));
  EXPECT_EQ(core::S_I(rt, rt::Value::character("12345")), "12-345");
  EXPECT_EQ(core::S_C(rt, rt::Value::number(1234.5, 10, 1)), "  1,234.50");
  EXPECT_EQ(core::S_W(rt, rt::Value::number(-1234.5, 10, 1)), " -1.234,50");
  EXPECT_EQ(core::S_S(rt, rt::Value::number(1.5, 10, 1)), "   2");
}

TEST_F(Display, AnEmptyPictureShowsTheValueAsItIs) {
  EXPECT_EQ(core::S_I(rt, rt::Value::character("AB 12")), "AB 12");
  EXPECT_EQ(core::S_S(rt, rt::Value::integer(15)), "        15");
}

// Index keys over S_I are read through its text form: it must give what the call gives,
// under whatever picture is configured when it is prepared. A picture variable that holds
// no text is reported by each key, as by the call, and not when an index is opened.
TEST_F(Display, SITextFormAgreesWithTheCall) {
  core::registerCore(rt.functions());
  const auto form = rt.functions().textForm("S_I");
  ASSERT_TRUE(form);
  for (const char* picture : {"99999", "@R 99-999", "@! XXXX", "", "@!", "@B XXXXX", "@S3", "@RB! X-XX"}) {
    set("_FORMAT_IND", rt::Value::character(picture));
    for (const std::string& code : std::vector<std::string>{"1234", "01234 ", "ab12x", "", "123456789", "  12", "ąb"_pl}) {
      SCOPED_TRACE(std::string(picture) + " / " + code);
      std::string out = "left over";
      (*form)(rt)(code, out);
      EXPECT_EQ(out, core::S_I(rt, rt::Value::character(code)));
    }
  }
  set("_FORMAT_IND", rt::Value::integer(5));
  rt::TextMap map;
  ASSERT_NO_THROW(map = (*form)(rt));
  std::string out;
  EXPECT_THROW(map("12", out), base::InternalFault);
}

TEST_F(Display, DSGivesTheDateOrEightBlanks) {
  EXPECT_EQ(core::DS(rt, rt::Date::fromYmd(2016, 3, 5)), "05.03.16");
  EXPECT_EQ(core::DS(rt, rt::Date{}), "        ");
}

TEST_F(Display, EPMakesAFourDigitYearUnderTheEpoch) {
  struct Case { const char* typed; const char* year; };
  const Case cases[] = {{"16", "2016"}, {"85", "1985"}, {"49", "2049"}, {"50", "1950"},
                        {"2016", "2016"}, {"", "    "}, {"ab", "    "}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(core::EP(rt, c.typed), c.year);
  }
}

TEST_F(Display, SZERSpreadsTextOnlyWhenSwitchedOn) {
  EXPECT_EQ(core::SZER(rt, "AB"), "AB");
  set("_SZER", rt::Value::logical(true));
  EXPECT_EQ(core::SZER(rt, "AB"), "A B ");
  EXPECT_EQ(core::SZER(rt, ""), "");
}

}  // namespace
