// The scripted device's own promises: dumps of what was shown, recorded tones, virtual time.
#include "con/headless.hpp"

#include <gtest/gtest.h>

#include "con/console.hpp"
#include "rt/codepage.hpp"

namespace {

using namespace rt::literals;

TEST(HeadlessDevice, DumpsTheShownScreenAsTextAndAttributes) {
  con::HeadlessDevice device;
  con::Console console(device, device.clock());
  console.setColour("W+/B");
  console.write(0, 0, "Łódź ░▒▓"_pl);
  console.writeCells(24, 78, "\x18\x19", 0x4E);
  const std::string text = device.text();
  EXPECT_EQ(text.substr(0, text.find('\n')), "Łódź ░▒▓" + std::string(72, ' '));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 25);
  EXPECT_EQ(device.row(24).substr(device.row(24).size() - 6), "↑↓");
  const std::string attrs = device.attributes();
  EXPECT_EQ(attrs.substr(0, 20), "1F1F1F1F1F1F1F1F0707");
  EXPECT_EQ(attrs.substr(attrs.size() - 5), "4E4E\n");
  EXPECT_EQ(device.find("▒▓"), (std::pair{0, 6}));
  EXPECT_FALSE(device.shows("Kraków"));
  EXPECT_EQ(device.region({0, 0, 0, 1}), "\x9D\x1F\xA2\x1F");
}

TEST(HeadlessDevice, RecordsTonesAndLetsTheirTimePass) {
  con::HeadlessDevice device;
  con::Console console(device, device.clock());
  console.tone(880, 0.5);
  console.tone(220, 18.2);
  EXPECT_EQ(device.tones(), (std::vector<con::Tone>{{880, 0.5}, {220, 18.2}}));
  EXPECT_EQ(device.elapsed().count(), 27 + 1000);
}

TEST(HeadlessDevice, VirtualClockCrossesMidnight) {
  con::HeadlessDevice device({2024, 12, 31, 23, 59, 59, 0});
  device.waitSeconds(2).key('a');
  ASSERT_EQ(device.readKey(std::nullopt)->code, 'a');
  const sys::CivilTime t = device.clock().now();
  EXPECT_EQ((std::array{t.year, t.month, t.day, t.hour, t.minute, t.second}), (std::array{2025, 1, 1, 0, 0, 1}));
}

}  // namespace
