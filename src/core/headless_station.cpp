// src/core/headless_station.cpp — a station without an operator.
#include "core/headless_station.hpp"

#include <stdexcept>

#include "core/config_vars.hpp"
#include "core/program_vars.hpp"
#include "core/register.hpp"
#include "db/db_functions.hpp"
#include "db/work_area.hpp"
#include "store/register.hpp"
#include "ui/register.hpp"

namespace core {

HeadlessStation::HeadlessStation(const std::string& programFolder, sys::Env* given)
    : env(given != nullptr ? *given : posix_),
      paths(env, programFolder.empty() || programFolder.back() == '/' ? programFolder : programFolder + "/"),
      ws(env, device.clock(), rt),
      tables(rt, console, paths, ws),
      ctx(rt, console, paths) {
  ctx.workspace = &ws;
  ctx.tables = &tables;
  tables.seams.retryPause = [] {};
  declareProgramVars(rt);
  db::registerDatabaseFunctions(rt.functions(), ws);
  ui::registerUi(rt.functions(), env, paths);
  ui::registerScreen(rt.functions(), ctx);
  store::registerStore(rt.functions());
  store::registerTables(rt.functions(), tables);
  registerCore(rt.functions());
  registerRoutines(rt.functions(), ctx);
}

HeadlessStation::~HeadlessStation() { ws.closeAll(); }

void HeadlessStation::loadConfiguration() {
  const std::string config = tables.tablePath("CONFIG");
  if (env.exists(config)) {
    db::UseOptions o;
    o.alias = "CONFIG";
    o.share = xbase::Share::SharedReadOnly;
    o.newArea = true;
    auto area = ws.use(config, o);
    if (!area) throw std::runtime_error("CONFIG: " + area.error().toString());
    db::WorkArea& a = **area;
    a.goTop();
    readConfigVars(rt, [&a](std::string_view name) -> std::optional<rt::Value> {
      const auto i = a.fieldIndex(name);
      if (!i || a.eof()) return std::nullopt;
      return a.value(*i);
    });
    ws.close(a.number());  // frees the alias too
  }
  setStationFolder(rt);
  const std::string station = paths.resolve(tables.stationFolder());
  if (!env.exists(station))
    if (base::Status s = env.makeDir(station); !s) throw std::runtime_error(station + ": " + s.toString());
}

}  // namespace core
