// The error handler: its four rules, the choice box, the error file and the message text.
#include "ui/error/deferror.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "con/key_codes.hpp"
#include "testkit/call.hpp"
#include "ui/screen_fixture.hpp"

namespace {

using con::key::kEnter;
using con::key::kEsc;
using con::key::kRight;

// A station with the handler installed: Quit's text and exit code are caught, not acted on.
struct Handled : uitest::Station {
  Handled() {
    rt.vars().set("_SC", rt::Value::character("DANE#01\\"));
    ui::ErrorSeams seams;
    seams.env = &env;
    seams.standardError = [this](std::string_view t) { stderrText += t; };
    seams.endProgram = [this](int code) { exitCode = code; };
    ui::ERRORSYS(ctx, seams);
  }
  std::string stderrText;
  std::optional<int> exitCode;
};

rt::Error openError(int osCode) {
  rt::Error e;
  e.genCode = rt::GenCode::Open;
  e.subsystem = "DBFNTX";
  e.subCode = 1001;
  e.description = "Open error";
  e.fileName = "ZAM_A.DBF";
  e.osCode = osCode;
  e.canRetry = true;
  e.canDefault = true;
  return e;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(DEFERROR, DivisionByZeroGivesZeroSilently) {
  Handled s;
  EXPECT_EQ(s.rt.evaluate("10 / 0 + 5").num(), 5);
  EXPECT_TRUE(s.device.shown.empty());  // no key was awaited: nothing was asked
}

TEST(DEFERROR, ASharingViolationOnOpenSetsTheNetworkFlagWithoutAMessage) {
  Handled s;
  // Another station holds the file: the open gives up at once, with the default.
  const rt::Value v = s.rt.raise(openError(32));
  EXPECT_TRUE(v.isLogical() && !v.logical());
  EXPECT_TRUE(s.ctx.networkError);
  EXPECT_TRUE(s.device.shown.empty());
}

TEST(DEFERROR, NetworkRulesNeedADefault) {
  struct Case {
    rt::GenCode code;
    int osCode;
    bool canDefault;
    bool quiet;
  };
  const Case cases[] = {
      {rt::GenCode::Open, 32, true, true},        {rt::GenCode::Open, 5, true, true},
      {rt::GenCode::AppendLock, 0, true, true},   {rt::GenCode::Open, 2, true, false},
      {rt::GenCode::Open, 32, false, false},      {rt::GenCode::Lock, 33, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.code) * 100 + c.osCode);
    Handled s;
    rt::Error e = openError(c.osCode);
    e.genCode = c.code;
    e.canDefault = c.canDefault;
    if (!c.quiet) s.script.key('Q');
    const auto v = ui::DEFERROR(s.ctx, {nullptr, [](std::string_view) {}, [](int) {}}, e);
    EXPECT_EQ(s.ctx.networkError, c.quiet);
    EXPECT_EQ(v.has_value(), c.quiet);
    if (c.quiet) {
      EXPECT_FALSE(v->logical());
    }
    EXPECT_EQ(s.device.shown.size(), c.quiet ? 0u : 1u);
  }
}

TEST(DEFERROR, TheChoiceBoxShowsTheMessageWithTheOsCodeAndOffersWhatTheErrorAllows) {
  Handled s;
  s.paintPattern();
  const std::string before = s.script.text();
  s.script.keys({kEsc, kRight, kEnter});  // Esc chooses nothing: the box comes back
  const rt::Value v = s.rt.raise(openError(32 + 1));
  EXPECT_TRUE(v.logical());  // Retry
  ASSERT_EQ(s.device.shown.size(), 3u);
  const uitest::Shown& box = s.atRead(0);
  // The message is 40 wide, the choices " Quit ", " Retry ", " Default " two apart 26:
  // inside width 42 with a blank each side, left 18, frame columns 17..60, rows 9..14.
  std::string bar;
  for (int i = 0; i < 42; ++i) bar += "═";
  EXPECT_EQ(box.at(9, 17, 44), "╔" + bar + "╗");
  EXPECT_EQ(box.at(10, 17, 44), "║ Error DBFNTX/1001  Open error: ZAM_A.DBF ║");
  EXPECT_EQ(box.at(11, 17, 44), "║" + std::string(14, ' ') + "(DOS Error 33)" + std::string(14, ' ') + "║");
  EXPECT_EQ(box.at(12, 17, 44), "║" + std::string(42, ' ') + "║");
  EXPECT_EQ(box.at(13, 17, 44), "║" + std::string(8, ' ') + " Quit    Retry    Default " + std::string(8, ' ') + "║");
  EXPECT_EQ(box.at(14, 17, 44), "╚" + bar + "╝");
  EXPECT_EQ(box.attr(13, 26), "0F");          // " Quit " highlighted first
  EXPECT_EQ(box.attr(13, 34), "70");
  EXPECT_EQ(s.atRead(2).attr(13, 34), "0F");  // then " Retry "
  EXPECT_EQ(s.script.text(), before);
}

TEST(DEFERROR, DefaultLetsTheOperationFailAndOnlyOfferedChoicesCount) {
  Handled s;
  rt::Error e = openError(0);
  e.canRetry = false;
  s.script.keys({'r', 'd'});  // Retry is not offered
  EXPECT_FALSE(s.rt.raise(e).logical());
  EXPECT_EQ(s.device.shown.size(), 2u);
}

TEST(DEFERROR, QuitWritesTheErrorFileAndEndsWithExitCodeOne) {
  Handled s;
  ui::RoutineScope menu(s.ctx, "MENU", 120);
  ui::RoutineScope orders(s.ctx, "EZAM", 47);
  ASSERT_TRUE(s.env.makeDir(s.dir.path().string() + "/DANE#01"));
  s.script.key('q');
  EXPECT_THROW(s.rt.raise(openError(32 + 1)), rt::RuntimeError);
  EXPECT_EQ(s.exitCode, 1);
  const std::string expected =
      "Error DBFNTX/1001  Open error: ZAM_A.DBF (DOS Error 33) \r\n"
      "Called from EZAM(47)  \r\n"
      "Called from MENU(120)  \r\n";
  // The scripted clock stands at 5 March, 10:00.
  EXPECT_EQ(readFile(s.dir.path().string() + "/DANE#01/03051000.prn"), expected);
  // A second error in the same minute adds its report to the file.
  s.script.key('q');
  rt::Error again = openError(0);
  again.fileName.clear();
  again.operation = "SKIP";
  EXPECT_THROW(s.rt.raise(again), rt::RuntimeError);
  EXPECT_EQ(readFile(s.dir.path().string() + "/DANE#01/03051000.prn"),
            expected + "Error DBFNTX/1001  Open error: SKIP\r\n"
                       "Called from EZAM(47)  \r\n"
                       "Called from MENU(120)  \r\n");
  std::string lf = expected;
  for (std::size_t i; (i = lf.find("\r\n")) != std::string::npos;) lf.replace(i, 2, "\n");
  EXPECT_EQ(s.stderrText.substr(0, lf.size()), lf);
}

TEST(ERRORMESSAGE, TheMessageText) {
  struct Case {
    rt::Error error;
    std::string text;
  };
  rt::Error zero;
  zero.genCode = rt::GenCode::ZeroDiv;
  zero.subCode = 1340;
  zero.description = "Zero divisor";
  zero.operation = "/";
  rt::Error warning = zero;
  warning.severity = rt::Severity::Warning;
  warning.subsystem = "";
  warning.subCode = 0;
  rt::Error bare;
  bare.subsystem = "TERM";
  bare.subCode = 2;
  const Case cases[] = {
      {zero, "Error BASE/1340  Zero divisor: /"},
      {warning, "Warning ???" "/???  Zero divisor: /"},
      {openError(2), "Error DBFNTX/1001  Open error: ZAM_A.DBF"},  // the file name before the operation
      {bare, "Error TERM/2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ui::ERRORMESSAGE(c.error), c.text);
  }
}

TEST(ERRORMESSAGE, TheErrorFileIsNamedFromMonthDayHourAndMinute) {
  EXPECT_EQ(ui::errorFileName({2024, 3, 5, 14, 7, 59, 0}), "03051407.prn");
  EXPECT_EQ(ui::errorFileName({2024, 12, 31, 0, 0, 0, 0}), "12310000.prn");
}

}  // namespace
