// Key reads over the scripted device: type-ahead, timeouts on virtual time, hot keys, the
// Alt+C break and the clock that ticks while a key is awaited.
#include <gtest/gtest.h>

#include "con/console.hpp"
#include "con/headless.hpp"
#include "con/key_codes.hpp"

namespace {

using con::KeyWait;
namespace key = con::key;

struct Fixture {
  con::HeadlessDevice device;
  con::Console console{device, device.clock()};
};

TEST(TypeAhead, StuffedKeysComeFirstAndStuffingEmptiesTheBufferFirst) {
  Fixture f;
  f.device.key('z');
  f.console.pushKey(key::kF1);
  f.console.stuff("\x1D\x04\x05");  // Ctrl+Home, Right, Up
  f.console.pushKey(key::kAltK);
  EXPECT_EQ(f.console.inkey(KeyWait::none()), key::kCtrlHome);
  EXPECT_EQ(f.console.inkey(KeyWait::none()), key::kRight);
  EXPECT_EQ(f.console.inkey(KeyWait::none()), key::kUp);
  EXPECT_EQ(f.console.inkey(KeyWait::none()), key::kAltK);
  EXPECT_EQ(f.console.inkey(KeyWait::none()), 'z');
  f.console.stuff(std::string("\xA5\0\xBE", 3));  // high bytes are keys too (ą ż); 0 is none
  EXPECT_EQ(f.console.inkey(KeyWait::none()), 0xA5);
  EXPECT_EQ(f.console.inkey(KeyWait::none()), 0xBE);
  f.console.stuff("xyz");
  f.console.clearTypeAhead();
  EXPECT_TRUE(f.console.typeAheadEmpty());
  EXPECT_EQ(f.console.inkey(KeyWait::none()), 0);
  EXPECT_EQ(f.console.lastKey(), 0xBE);  // a read that got nothing leaves the last key
}

TEST(KeyWaits, TimeoutsRunOnTheDeviceClock) {
  struct Case { const char* name; double seconds; double scriptWait; int expect; long long elapsedMs; };
  const Case cases[] = {
      {"key within the time", 2.0, 1.5, 'a', 1500},
      {"key after the time", 2.0, 2.5, 0, 2000},
      {"tenths of a second", 0.3, 0.5, 0, 300},
      {"zero waits for ever", 0, 3600.0, 'a', 3600000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    f.device.waitSeconds(c.scriptWait).key('a');
    EXPECT_EQ(f.console.inkey(KeyWait::classic(c.seconds)), c.expect);
    EXPECT_EQ(f.device.elapsed().count(), c.elapsedMs);
  }
}

TEST(KeyWaits, ANoWaitReadReturnsAtOnceAndAForeverReadOnAnEmptyScriptFails) {
  Fixture f;
  f.device.waitSeconds(1).key('a');
  EXPECT_EQ(f.console.inkey(KeyWait::none()), 0);
  EXPECT_EQ(f.device.elapsed().count(), 0);
  EXPECT_EQ(f.console.inkey(KeyWait::forever()), 'a');
  EXPECT_THROW(f.console.inkey(KeyWait::forever()), con::ScriptEnded);
}

TEST(HotKeys, RunInWaitStatesWithTheCallersPlaceAndNotInPlainReads) {
  Fixture f;
  std::vector<std::string> calls;
  f.console.bindings().bind(key::kAltI, [&](const con::HotKeyCall& where) {
    calls.push_back(where.procedure + ":" + std::to_string(where.line) + ":" + where.variable + ":" +
                    std::to_string(f.console.lastKey()));
  });
  f.device.keys({key::kAltI, 'x', key::kAltI});
  EXPECT_EQ(f.console.waitKey(KeyWait::forever(), {"EZAM", 120, "NR_KON"}), 'x');
  EXPECT_EQ(calls, (std::vector<std::string>{"EZAM:120:NR_KON:279"}));
  EXPECT_EQ(f.console.inkey(KeyWait::forever()), key::kAltI);
  EXPECT_EQ(calls.size(), 1u);
}

TEST(HotKeys, StayBoundWhileTheirOwnHandlerRuns) {
  Fixture f;
  int depth = 0, deepest = 0;
  f.console.bindings().bind(key::kF1, [&](const con::HotKeyCall&) {
    ++depth;
    deepest = std::max(deepest, depth);
    EXPECT_TRUE(f.console.bindings().isBound(key::kF1));
    f.console.waitKey(KeyWait::forever(), {"HELP", 1, ""});  // F1 again nests, Esc leaves
    --depth;
  });
  f.device.keys({key::kF1, key::kF1, key::kEsc, key::kEsc, 'q'});
  EXPECT_EQ(f.console.waitKey(KeyWait::forever(), {"MENU", 1, ""}), 'q');
  EXPECT_EQ(deepest, 2);
}

TEST(HotKeys, AHandlerMayUnbindItsOwnKeyAndBindingsSaveAndRestoreAsASet) {
  Fixture f;
  con::KeyBindings& b = f.console.bindings();
  int runs = 0;
  b.bind(key::kAltK, [&](const con::HotKeyCall&) {
    ++runs;
    b.unbind(key::kAltK);
  });
  b.bind(key::kAltI, [&](const con::HotKeyCall&) { runs += 10; });
  const con::KeyBindings::Set saved = b.saveAll();

  f.device.keys({key::kAltK, key::kAltK});
  EXPECT_EQ(f.console.waitKey(KeyWait::forever(), {}), key::kAltK);  // unbound by the first run
  EXPECT_EQ(runs, 1);

  EXPECT_TRUE(static_cast<bool>(b.unbind(key::kAltI)));
  EXPECT_FALSE(b.isBound(key::kAltI));
  b.restoreAll(saved);
  EXPECT_TRUE(b.isBound(key::kAltK));
  EXPECT_TRUE(b.isBound(key::kAltI));
  const con::HotKeyHandler previous = b.bind(key::function(8), [](const con::HotKeyCall&) {});
  EXPECT_FALSE(static_cast<bool>(previous));
}

TEST(AltCBreak, InterruptsOnlyWhenSwitchedOnAndOnlyFromTheKeyboard) {
  Fixture f;
  int breaks = 0;
  f.device.keys({key::kAltC, 'a', key::kAltC});
  EXPECT_THROW(f.console.inkey(KeyWait::forever()), con::Interrupted);  // on at start
  f.console.onBreak([&] { ++breaks; });
  f.device.keys({key::kAltC});
  EXPECT_EQ(f.console.inkey(KeyWait::forever()), 'a');
  EXPECT_EQ(f.console.setAltCBreak(false), true);
  EXPECT_EQ(f.console.inkey(KeyWait::forever()), key::kAltC);
  f.console.setAltCBreak(true);
  f.console.pushKey(key::kAltC);  // a key the program queued is no break
  EXPECT_EQ(f.console.inkey(KeyWait::forever()), key::kAltC);
  EXPECT_EQ(breaks, 0);
  EXPECT_THROW(f.console.inkey(KeyWait::forever()), con::ScriptEnded);  // the break ate the last Alt+C
  EXPECT_EQ(breaks, 1);
}

TEST(Clock, TicksWhileAKeyIsAwaitedAndStopsWhenStopped) {
  con::HeadlessDevice device({2024, 3, 5, 9, 59, 58, 500});
  con::Console console(device, device.clock());
  console.moveCursor(12, 3);
  console.startClock(4, 70, 0x1F);
  EXPECT_EQ(device.rowText(4, 70, 8), " 9:59:58");
  EXPECT_EQ(device.cell(4, 70).attr, 0x1F);
  device.waitSeconds(2.0).key('a');
  EXPECT_EQ(console.inkey(KeyWait::forever()), 'a');
  EXPECT_EQ(device.rowText(4, 70, 8), "10:00:00");
  EXPECT_EQ(console.cursor().row, 12);  // the clock never moves the cursor
  console.stopClock();
  device.waitSeconds(5).key('b');
  EXPECT_EQ(console.inkey(KeyWait::forever()), 'b');
  EXPECT_EQ(device.rowText(4, 70, 8), "10:00:00");
}

TEST(Clock, ShowsTheHourWithoutItsLeadingZero) {
  EXPECT_EQ(con::clockText({2024, 1, 1, 7, 5, 3}), " 7:05:03");
  EXPECT_EQ(con::clockText({2024, 1, 1, 0, 0, 9}), " 0:00:09");
  EXPECT_EQ(con::clockText({2024, 1, 1, 23, 59, 59}), "23:59:59");
}

}  // namespace
