// src/app/station.cpp — building one station: its parts, their seams and the registry.
#include "app/station.hpp"

#include "access/register.hpp"
#include "access/stamp.hpp"
#include "core/commands.hpp"
#include "core/external/register_external.hpp"
#include "core/haslo.hpp"
#include "core/register.hpp"
#include "db/db_functions.hpp"
#include "master/register.hpp"
#include "print/register.hpp"
#include "print/wydruk.hpp"
#include "store/register.hpp"
#include "ui/qke.hpp"
#include "ui/qtn.hpp"
#include "ui/register.hpp"

namespace app {

Station::Station(con::Console& console, sys::Env& e, const sys::Clock& c, std::string programFolder)
    : env(e),
      clock(c),
      paths(e, std::move(programFolder)),
      ws(e, c, rt),
      tables(rt, console, paths, ws),
      ctx(rt, console, paths) {
  rt.setNow([&c] {
    const sys::CivilTime t = c.now();
    return rt::LocalTime{rt::Date::fromYmd(t.year, t.month, t.day), t.hour, t.minute, t.second, t.millisecond};
  });
  ctx.workspace = &ws;
  ctx.tables = &tables;
  ctx.stampCheck = [](db::WorkArea& menu) { return operators::verifiesStamp(menu); };
  wireSeams();
  registerRoutines();
  ui::ERRORSYS(ctx, errorSeams);
}

Station::~Station() {
  // The error hook captures this station; nothing may reach it once the parts are gone.
  rt.setErrorHook({});
  ws.closeAll();
  flag.close();
}

std::optional<rt::Value> Station::callIfRegistered(std::string_view name, std::vector<rt::Value> args) {
  if (!rt.functions().contains(name)) return std::nullopt;
  return rt.call(name, std::move(args));
}

void Station::message(std::string_view text, std::string_view second) {
  ui::QkeOptions o;
  o.second = std::string(second);
  ui::QKE(ctx, text, o);
}

void Station::wireSeams() {
  tables.seams.errorDialog = [this](std::string_view text) { message(text); };
  tables.seams.confirm = [this](std::string_view question) { return ui::QTN(ctx, question); };
  // The service password is the configuration password, asked at level 0 of the prompt.
  tables.seams.servicePassword = [this] {
    const rt::Value* expected = rt.vars().find("_HASLO");
    return core::askPassword(ctx, expected != nullptr && expected->isText() ? expected->text() : std::string(), 0);
  };
  accessSeams.endProgram = [](int code) { throw store::ProgramEnd(code); };
  accessSeams.breakToStart = [] { throw operators::BreakToStart{}; };
  accessSeams.releaseFlag = [this] { flag.release(env); };
  accessSeams.logActivity = [this](std::string_view line) {
    callIfRegistered("INFO_LOG", {rt::Value::character(std::string(line))});
  };
  accessSeams.printList = [this](std::string_view screen, std::string_view layout, std::string_view title) {
    print::ListPrint list{std::string(screen), std::string(layout), 1, std::string(title), {}, {}, {}};
    return print::WYDRUK(ctx, list).again;
  };
  errorSeams.env = &env;
  errorSeams.endProgram = [](int code) { throw store::ProgramEnd(code); };
}

void Station::registerRoutines() {
  rt::FunctionTable& fns = rt.functions();
  db::registerDatabaseFunctions(fns, ws);
  store::registerStore(fns);
  store::registerTables(fns, tables);
  ui::registerUi(fns, env, paths);
  ui::registerScreen(fns, ctx);
  ui::registerErrorHandler(fns, ctx, errorSeams);
  core::registerCore(fns);
  core::registerRoutines(fns, ctx);
  core::registerExternal(fns, ctx);
  operators::registerAccess(fns, ctx, accessSeams);
  master::registerMaster(fns, ctx);
  print::registerPrint(fns, ctx);
  // Last: every command of the menu that no subsystem has registered runs RET2.
  core::registerCommands(fns, ctx);
}

}  // namespace app
