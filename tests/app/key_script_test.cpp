// The key scripts that drive a station without a terminal.
#include "app/key_script.hpp"

#include <gtest/gtest.h>

#include "con/console.hpp"
#include "con/key_codes.hpp"

namespace {

namespace key = con::key;
using Kind = app::ScriptStep::Kind;

TEST(KeyScript, KeyNamesGiveTheProgramsKeyCodes) {
  struct Case {
    const char* name;
    std::optional<int> code;
  };
  const Case cases[] = {{"Enter", 13},        {"Esc", 27},           {"F1", 28},     {"F2", -1},
                        {"Shift+F1", -10},    {"Shift+F2", -11},     {"Alt+F1", -30}, {"F11", -40},
                        {"Ctrl+F12", -45},    {"Alt+I", key::kAltI}, {"Alt+k", key::kAltK}, {"PgDn", 3},
                        {"532", 532},         {"F13", std::nullopt}, {"Alt+", std::nullopt}, {"enter", std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(app::keyNamed(c.name), c.code);
  }
}

TEST(KeyScript, StepsAreReadOneALineSkippingCommentsAndBlankLines) {
  auto steps = app::parseKeyScript("# log in\r\ntype hasło 1\n\nkey Enter\nwait 2.5\nexpect KONIEC PRACY\n"
                                   "screen /tmp/s.txt\nnotify /tmp/r\nawait /tmp/g\n");
  ASSERT_TRUE(steps.has_value());
  ASSERT_EQ(steps->size(), 7u);
  const auto& s = *steps;
  EXPECT_EQ(s[0].kind, Kind::Text);
  EXPECT_EQ(s[0].text, "hasło 1");  // typed as written, inner blanks included
  EXPECT_EQ(s[1].kind, Kind::Key);
  EXPECT_EQ(s[1].key, 13);
  EXPECT_EQ(s[2].kind, Kind::Wait);
  EXPECT_EQ(s[2].seconds, 2.5);
  EXPECT_EQ(s[3].kind, Kind::Expect);
  EXPECT_EQ(s[3].text, "KONIEC PRACY");
  EXPECT_EQ(s[4].kind, Kind::Screen);
  EXPECT_EQ(s[5].kind, Kind::Notify);
  EXPECT_EQ(s[6].kind, Kind::Await);
  EXPECT_EQ(s[6].text, "/tmp/g");
}

TEST(KeyScript, AStepThatCannotBeReadNamesItsLine) {
  for (const char* script : {"key Enter\nkey Entr\n", "type x\nwait soon\n", "type x\nscreen\n", "type x\npress A\n"}) {
    SCOPED_TRACE(script);
    auto steps = app::parseKeyScript(script);
    ASSERT_FALSE(steps.has_value());
    EXPECT_NE(steps.error().message().find("line 2"), std::string::npos) << steps.error().message();
  }
}

TEST(ScriptedDevice, KeysAfterAnExpectWaitForTheScreenToShowIt) {
  auto steps = app::parseKeyScript("expect READY\nkey Enter\n");
  ASSERT_TRUE(steps.has_value());
  app::ScriptedDevice device(std::move(*steps), {2026, 12, 10, 9, 0, 0, 0});
  con::Console console(device, device.clock());
  console.write(0, 0, "WAIT");
  EXPECT_EQ(console.inkey(con::KeyWait::seconds(1)), 0);  // not shown yet: no key
  console.write(0, 0, "READY");
  EXPECT_EQ(console.inkey(con::KeyWait::seconds(1)), 13);
  EXPECT_THROW(console.inkey(con::KeyWait::forever()), con::ScriptEnded);
}

}  // namespace
