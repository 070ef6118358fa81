#include "rt/transform.hpp"

#include <gtest/gtest.h>

#include "rt/codepage.hpp"

namespace {

rt::Value n(double v, int width = 10, int dec = 0) { return rt::Value::number(v, width, dec); }
rt::Value c(std::string s) { return rt::Value::character(std::move(s)); }
rt::Value d(int y, int m, int day) { return rt::Value::date(rt::Date::fromYmd(y, m, day)); }

struct Case {
  rt::Value value;
  std::string_view picture;
  std::string_view text;
};

void check(const Case* begin, const Case* end) {
  const rt::Settings program;
  for (const Case* k = begin; k != end; ++k) {
    SCOPED_TRACE(testing::Message() << "picture \"" << k->picture << "\"");
    EXPECT_EQ(rt::transform(k->value, k->picture, program), std::string(k->text));
  }
}

}  // namespace

TEST(Transform, CharacterTemplates) {
  const Case cases[] = {
      {c("12345"), "99-999", "12-45"},      {c("12345"), "@R 99-999", "12-345"},
      {c("abc"), "!!", "AB"},               {c("abc"), "@R !!!!", "ABC "},
      {c("abc"), "@!", "ABC"},              {c("abc"), "@! XX", "AB"},
      {c("abcdef"), "XXX", "abc"},          {c("ab"), "XXXX", "ab"},
      {c("tYnx"), "YYYY", "YYNN"},          {c("  ab"), "@B", "ab  "},
      {c("abcdef"), "@S3", "abc"},          {c("abcdef"), "@S3 XXXXX", "abc"},
      {c("abc"), "", "abc"},                {c("abc"), "@K", "abc"},
      {c("1234"), "@R (99) 99", "(12) 34"}, {c("abc"), "@Z", "abc"},  // never hides text
  };
  check(std::begin(cases), std::end(cases));
  using namespace rt::literals;
  EXPECT_EQ(rt::transform(c("żółw"_pl), "@!", rt::Settings()), "ŻÓŁW"_pl);
}

TEST(Transform, NumericTemplates) {
  const Case cases[] = {
      {n(1234.5, 10, 1), "999,999.99", "  1,234.50"},
      {n(-1234.5, 10, 1), "@E 999,999.99", " -1.234,50"},
      {n(123456.78, 10, 2), "@E 999,999,999.99", "    123.456,78"},
      {n(1234567), "999,999.99", "*******.**"},
      {n(15000), "9999", "****"},
      {n(99999), "9.999", "*.***"},
      {n(-12.5, 10, 1), "99.9", "**.*"},
      {n(-0.5, 10, 1), "99.9", "-0.5"},
      {n(-5), "999,999", "     -5"},
      {n(-123), "999,999", "   -123"},
      {n(0), "@Z 999,999.99", "          "},
      {n(1.5, 10, 1), "9999", "   2"},
      {n(12.345, 10, 3), "9999", "  12"},
      {n(41), "@B 9999", "41  "},
      {n(7), "@C 99.9", " 7.0 CR"},
      {n(-7), "@X 99.9", " 7.0 DB"},
      {n(-7), "@( 99.9", "(7.0)"},
      {n(-7), "@( 999.9", "( 7.0)"},
      {n(-12.5, 10, 1), "@( 99.9", "**.*"},      // the parenthesis needs the minus's place
      {n(-12.5, 10, 1), "@X 99.9", "12.5 DB"},   // without the minus it fits
      {n(0), "@C 99.9", " 0.0"},
      {n(12.5, 4, 2), "", "  12.50"},            // no template: as STR()
      {n(12.5, 4, 2), "@E", "  12,50"},
      {n(1234.5, 10, 2), "@E99,999.99", "      1234,50"},  // no blank: all function letters
      {n(5), "$$$,$$9", "$$$$$$5"},
      {n(5), "***,**9", "******5"},
      {n(1234), "$$$,$$9", "$$1,234"},
      {n(0.5, 10, 2), ".99", ".50"},
      {n(0.25, 10, 2), "9.99", "0.25"},
      {n(12), "999 zł", " 12 zł"},
      {n(7), "@Z 99", " 7"},
      {n(1234567.891, 10, 3), "@ZE 999,999,999,999.99", "      1.234.567,89"},
      {n(0), "@ZE 9,999.99", "        "},
      {n(12345), "@K 99999", "12345"},
      {n(1.0 / 0.0), "999", "***"},
  };
  check(std::begin(cases), std::end(cases));
}

TEST(Transform, DatesAndLogicals) {
  const Case cases[] = {
      {d(2024, 3, 5), "", "05.03.24"},           {d(2024, 3, 5), "99/99/99", "05.03.24"},
      {d(2024, 3, 5), "@E", "05/03/24"},         {d(2024, 3, 5), "@D", "05.03.24"},
      {rt::Value::date(rt::Date()), "", "  .  .  "},
      {rt::Value::date(rt::Date()), "@Z", "        "},
      {d(2024, 3, 5), "@Z", "05.03.24"},
      {rt::Value::logical(true), "", "T"},       {rt::Value::logical(false), "L", "F"},
      {rt::Value::logical(true), "Y", "Y"},      {rt::Value::logical(false), "#", "F"},
      {rt::Value::logical(true), "YYY", "Y"},    {rt::Value::logical(true), "@R Y/L", "Y/T"},
  };
  check(std::begin(cases), std::end(cases));
  EXPECT_EQ(rt::transform(rt::Value(), "", rt::Settings()), std::nullopt);
}

TEST(Picture, FunctionPartEndsAtTheFirstBlankOrTab) {
  const rt::Picture a = rt::parsePicture("@!K N9999");
  EXPECT_TRUE(a.upper);
  EXPECT_TRUE(a.clearOnType);
  EXPECT_EQ(a.tmpl, "N9999");
  const rt::Picture b = rt::parsePicture("@zs12\tXX X");
  EXPECT_TRUE(b.zeroBlank);
  EXPECT_EQ(b.scrollWidth, 12);
  EXPECT_EQ(b.tmpl, "XX X");
  const rt::Picture e = rt::parsePicture("@E99,999.99");
  EXPECT_TRUE(e.european);
  EXPECT_EQ(e.tmpl, "");
  EXPECT_EQ(rt::parsePicture("999").tmpl, "999");
  EXPECT_EQ(rt::parsePicture("@S").scrollWidth, 0);
}
