// src/app/startup.cpp — MAIN: the start-up steps, the main menu and the shut-down.
#include "app/startup.hpp"

#include <cstdio>

#include "access/operator.hpp"
#include "app/colour_files.hpp"
#include "app/first_run.hpp"
#include "app/registration_file.hpp"
#include "base/fault.hpp"
#include "con/key_codes.hpp"
#include "core/config_vars.hpp"
#include "core/program_vars.hpp"
#include "core/station_print_settings.hpp"
#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "rt/number_text.hpp"
#include "store/use.hpp"
#include "ui/help/help.hpp"
#include "ui/menu/menu.hpp"
#include "ui/menu/ret2.hpp"

namespace app {

namespace {

using namespace rt::literals;
namespace key = con::key;

// The end of start-up before the menu: the program ends with `code`.
[[noreturn]] void endRun(int code = 0) { throw store::ProgramEnd(code); }

std::string trimRight(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

// The fields of the current record of `area` by name, for the configuration mapping.
core::ConfigField fieldsOf(db::WorkArea& area) {
  return [&area](std::string_view name) -> std::optional<rt::Value> {
    const auto i = area.fieldIndex(name);
    if (!i) return std::nullopt;
    return area.value(*i);
  };
}

// Opens CONFIG shared read-only, waiting without cancel, and gives its record's fields to `use`.
template <class F>
void withConfig(Station& st, F use) {
  if (!store::USE_(st.tables, "CONFIG", "R!")) endRun();
  db::WorkArea& config = *st.ws.current();
  config.goTop();
  use(fieldsOf(config));
  st.ws.closeAll();
}

std::string textField(const core::ConfigField& field, std::string_view name) {
  const auto v = field(name);
  return v && v->isText() ? v->text() : std::string();
}

// 1. Dates "dd.mm.yy" with epoch 1950, deleted records hidden, 25 x 80 console.
void fixSettings(Station& st) {
  rt::Settings& s = st.rt.settings();
  s.dateFormat = "dd.mm.yy";
  s.epoch = 1950;
  s.deleted = true;
}

// 2. The service stop.
void serviceStop(Station& st) {
  const bool stop = st.env.exists(st.paths.resolve("STOP")) || st.env.exists(st.paths.resolve("STOP.TXT"));
  if (!stop) return;
  con::Console& con = st.con();
  con.clearScreen();
  con.write(0, 0, "Trwa serwis oprogramowania");
  con.write(1, 0, "Serwis ZELMORAN: tel. (22) 555 01 00, serwis@zelmoran.pl");
  con.moveCursor(3, 0);
  (void)con.inkey(con::KeyWait::seconds(10));
  endRun();
}

// 3.-5. The program-wide variables, the station, the exchange settings (empty).
void declareVariables(Station& st, std::optional<std::string_view> argument) {
  st.con().clearScreen();
  core::declareProgramVars(st.rt);
  const std::optional<std::string> station = core::stationFromArgument(argument);
  if (!station) endRun();
  st.rt.vars().set("NUMER_STAN", rt::Value::character(*station));
}

// 6. The operators' password index, rebuilt at every start.
void rebuildOperatorsIndex(Station& st) {
  if (!st.env.exists(st.tables.tablePath("SL_OPE"))) {
    st.message("Brak pliku SL_OPE.DBF");
    endRun();
  }
  if (!store::USE_(st.tables, "SL_OPE", "E!")) endRun();
  const base::Status built = db::indexOn(*st.ws.current(), st.tables.indexPath("SL_OPE_H"), db::IndexSpec("HASLO"));
  st.ws.closeAll();
  if (!built) throw base::IoFault(st.tables.indexPath("SL_OPE_H"), built.toString());
}

// 7. The data folder prefix and the role.
void readRole(Station& st) {
  withConfig(st, [&st](const core::ConfigField& field) {
    rt::Memvars& vars = st.rt.vars();
    vars.set("_KARTOTEKA", rt::Value::character(trimRight(textField(field, "KARTOTEKA"))));
    vars.set("_KONTO_PH", rt::Value::character(textField(field, "KONTO_PH")));
    vars.set("_KONTA_CE", rt::Value::character(trimRight(textField(field, "KONTA_CE"))));
  });
}

// 10. The goods-code conversion, when the goods-code picture asks for it.
void goodsCodeConversion(Station& st) {
  bool convert = false;
  withConfig(st, [&convert](const core::ConfigField& field) {
    convert = textField(field, "FORMAT_IND").find("99999") == std::string::npos;
  });
  st.rt.vars().set("_ZMIANA_I", rt::Value::logical(convert));
  if (!convert || !st.callIfRegistered("ZMIANA")) return;
  st.con().clearScreen();
}

// 11. The structure stamp.
void checkStructure(Station& st) {
  if (!store::USE_(st.tables, "STATUS", "S")) endRun();
  db::WorkArea& status = *st.ws.current();
  status.goTop();
  const auto field = status.fieldIndex("DATA_LIC");
  const std::string old = field && !status.eof() ? status.value(*field).text() : std::string(6, ' ');
  st.ws.closeAll();
  if (old == kStructureStamp) return;
  const std::optional<rt::Value> upgraded = st.callIfRegistered("UZG_WER", {rt::Value::character(old)});
  if (upgraded && !(upgraded->isLogical() && upgraded->logical())) endRun();
}

// 13. The configuration variables.
void readConfiguration(Station& st) {
  withConfig(st, [&st](const core::ConfigField& field) { core::readConfigVars(st.rt, field); });
}

// 14. Stations 01 .. _LICZBA_STA.
void checkStation(Station& st) {
  const int station = std::stoi(core::NUMER_STAN(st.rt));
  if (station == 0 || station > core::LICZBA_STA_(st.rt)) {
    st.message("Niedozwolone stanowisko");
    endRun();
  }
}

// 15. The login.
void login(Station& st) {
  st.con().clearScreen();
  if (operators::OPERATOR(st.ctx, st.accessSeams)) return;
  removeIfUnheld(st.env, st.paths.resolve(core::SC_(st.rt) + "FLAGA"));
  endRun(core::NR_OPE_(st.rt));
}

// 16. The station folder and its own print settings.
void prepareStationFolder(Station& st) {
  const std::string folder = st.paths.resolve(core::SCL_(st.rt));
  if (!st.env.exists(folder)) {
    st.con().clearScreen();
    st.message("Uwaga! Błędna konfiguracja programu. Brak kartoteki "_pl + core::SCL_(st.rt));
    return;
  }
  core::copyPrintSettings(st.tables);
}

// 18. The operator's own station of the invoicing program.
void operatorsOrderStation(Station& st) {
  if (!store::USE_(st.tables, "SL_OPE", "R")) return;
  db::WorkArea& ops = *st.ws.current();
  const auto kod = ops.fieldIndex("KOD"), desk = ops.fieldIndex("STANOW_ZAM");
  const std::string me = trimRight(core::OPERATOR_(st.rt));
  for (ops.goTop(); kod && desk && !ops.eof(); ops.skip()) {
    if (trimRight(ops.value(*kod).text()) != me) continue;
    const rt::Value v = ops.value(*desk);
    const std::string text = v.isText() ? trimRight(v.text()) : std::string();
    const int number = v.isNumber() ? static_cast<int>(v.num()) : text.empty() ? 0 : std::atoi(text.c_str());
    if (number != 0 || !text.empty()) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "%02d", number % 100);
      st.rt.vars().set("_ST_ZAM", rt::Value::character(buf));
    }
    break;
  }
  st.ws.closeAll();
}

// 19.-20. The colour scheme, read under the STATUS file lock.
void loadColours(Station& st) {
  st.con().clearScreen();
  if (store::USE_(st.tables, "STATUS", "F!")) {
    restoreColourFiles(st);
    st.ws.closeAll();
  }
  st.con().setColour(core::EKRA_BLO_(st.rt));
}

// A hot key that runs `routine` with the caller's procedure, line and variable, or RET2
// while the routine is not registered.
con::HotKeyHandler routineKey(Station& st, std::string routine) {
  return [&st, routine](const con::HotKeyCall& call) {
    std::vector<rt::Value> args = {rt::Value::character(call.procedure), rt::Value::number(call.line),
                                   rt::Value::character(call.variable)};
    if (!st.callIfRegistered(routine, std::move(args))) ui::RET2(st.ctx);
  };
}

// 21.-23. The hot keys of help, the form settings and the Polish keyboard.
void prepareConsole(Station& st) {
  ui::bindHelpKeys(st.ctx);
  st.rt.settings().confirm = true;
  st.ctx.polishKeys = true;
}

// 24.-25. The run's menu index and the CRM alerts.
void menuIndexAndAlerts(Station& st) {
  st.callIfRegistered("INDEX_MENU", {rt::Value::character(core::WER(st.rt)), rt::Value::character(core::SC_(st.rt)),
                                     rt::Value::character(core::SCL_(st.rt))});
  st.callIfRegistered("ALERT_CRM");
  st.callIfRegistered("PCRM", {rt::Value::logical(true)});
}

// 26. The hot keys of the whole run.
void bindRunKeys(Station& st) {
  con::KeyBindings& keys = st.con().bindings();
  keys.bind(key::function(1, key::Mod::Shift), routineKey(st, "EXE1"));
  keys.bind(key::function(2, key::Mod::Shift), routineKey(st, "EXE2"));
  keys.bind(key::kAltI, routineKey(st, "TOW_INFO"));
  keys.bind(key::kAltK, routineKey(st, "KON_INFO"));
}

void startUp(Station& st, std::optional<std::string_view> argument) {
  fixSettings(st);
  serviceStop(st);
  declareVariables(st, argument);
  rebuildOperatorsIndex(st);
  readRole(st);
  const bool firstRun = firstRunOfRepresentative(st);
  core::setStationFolder(st.rt);
  goodsCodeConversion(st);
  checkStructure(st);
  st.callIfRegistered("DAJ_POUFNE");
  readConfiguration(st);
  checkStation(st);
  login(st);
  prepareStationFolder(st);
  TEST_WEJ(st);
  operatorsOrderStation(st);
  loadColours(st);
  prepareConsole(st);
  menuIndexAndAlerts(st);
  bindRunKeys(st);
  if (firstRun) st.callIfRegistered("INDEX");
}

int shutDown(Station& st) {
  con::KeyBindings& keys = st.con().bindings();
  keys.unbind(key::function(1, key::Mod::Shift));
  keys.unbind(key::function(2, key::Mod::Shift));
  keys.unbind(key::kAltK);
  const int code = core::NR_OPE_(st.rt);
  st.con().stopClock();
  st.ws.closeAll();
  st.flag.release(st.env);
  (void)st.env.remove(st.paths.resolve(core::SC_(st.rt) + "MENU.NTX"));
  writeDefaultColours(st);
  return code;
}

}  // namespace

int MAIN(Station& st, std::optional<std::string_view> argument) {
  for (;;) {
    try {
      startUp(st, argument);
      ui::MENU(st.ctx, 0);
      return shutDown(st);
    } catch (const store::ProgramEnd& end) {
      st.ws.closeAll();
      st.flag.close();
      return end.code();
    } catch (const operators::BreakToStart&) {
      st.ws.closeAll();
      st.flag.close();
      st.rt.vars().releaseAll();
    }
  }
}

}  // namespace app
