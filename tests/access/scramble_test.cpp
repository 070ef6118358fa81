// The scrambling of passwords and stamps, the stamp itself, and the service codes of the day.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "access/scramble.hpp"
#include "access/service_codes.hpp"
#include "access/stamp.hpp"
#include "rt/codepage.hpp"

namespace {

using namespace rt::literals;

bool storable(unsigned char b) { return b >= 0x20 && b != 0x7F; }

TEST(Scramble, KeyIsFiveCapitalsAndABlank) {
  ASSERT_EQ(operators::kScrambleKey.size(), 6u);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_TRUE(operators::kScrambleKey[i] >= 'A' && operators::kScrambleKey[i] <= 'Z');
  EXPECT_EQ(operators::kScrambleKey[5], ' ');
}

// Every storable byte at every position of a six-character text: twice gives it back, once
// gives another storable byte, and no two bytes meet in the same scrambled byte.
TEST(Scramble, EveryStorableByteRoundTripsAndStaysStorable) {
  for (std::size_t pos = 0; pos < 8; ++pos) {
    std::set<unsigned char> images;
    for (int b = 0x20; b <= 0xFF; ++b) {
      if (b == 0x7F) continue;
      std::string text(pos + 1, 'A');
      text[pos] = static_cast<char>(b);
      const std::string once = operators::scramble(text);
      ASSERT_EQ(once.size(), text.size());
      const auto out = static_cast<unsigned char>(once[pos]);
      EXPECT_TRUE(storable(out)) << "byte " << b << " at " << pos;
      images.insert(out);
      EXPECT_EQ(operators::scramble(once), text);
    }
    EXPECT_EQ(images.size(), 223u) << "position " << pos;
  }
}

TEST(Scramble, ControlBytesPassUnchangedAndTextsDiffer) {
  EXPECT_EQ(operators::scramble(std::string("\0\r\x7f", 3)), std::string("\0\r\x7f", 3));
  EXPECT_NE(operators::scramble("ADMIN1"), "ADMIN1");
  EXPECT_NE(operators::scramble("ADMIN1"), operators::scramble("ADMIN2"));
  EXPECT_EQ(operators::scramble(""), "");
}

TEST(Scramble, PasswordsAreComparedUpperCasedAndSixLong) {
  struct Case {
    std::string typed, expected;
  };
  for (const Case& c : {Case{"admin1", "ADMIN1"}, Case{"adm", "ADM   "}, Case{"ADMIN12", "ADMIN1"},
                        Case{"", "      "}, Case{"łódź"_pl, "ŁÓDŹ  "_pl}}) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(operators::normalisePassword(c.typed), c.expected);
  }
}

TEST(Stamp, IdentityIsCutOrPaddedToFourThenThePriorityInTwo) {
  EXPECT_EQ(operators::scramble(operators::stampOf("ADM", 9)), "ADM  9");
  EXPECT_EQ(operators::scramble(operators::stampOf("KOWALSKI", 10)), "KOWA10");
  EXPECT_EQ(operators::scramble(operators::stampOf("121", 5)), "121  5");
  EXPECT_EQ(operators::scramble(operators::stampOf("X", 100)), "X   **");
}

// The codes for 2026-12-10: DDMMYY = 101226; 101226 * 7919 = 801608694, 101226 * 104729
// + 10 = 10601297764.
TEST(ServiceCodes, SixDigitsFromTheDateAloneDifferentEachDay) {
  const operators::ServiceCodes c = operators::serviceCodes({2026, 12, 10, 23, 59, 59, 0});
  EXPECT_EQ(c.first, "608694");
  EXPECT_EQ(c.second, "297764");
  const operators::ServiceCodes morning = operators::serviceCodes({2026, 12, 10, 0, 0, 0, 0});
  EXPECT_EQ(morning.first, c.first);
  const operators::ServiceCodes next = operators::serviceCodes({2026, 12, 11, 0, 0, 0, 0});
  EXPECT_NE(next.first, c.first);
  EXPECT_NE(next.second, c.second);
  // A small DDMMYY still gives six digits.
  EXPECT_EQ(operators::serviceCodes({2000, 1, 1, 0, 0, 0, 0}).first.size(), 6u);
}

}  // namespace
