// tools/zelmoran-tool/verify_command.cpp —
//   zelmoran-tool verify [--config CONFIG.DBF] TABLE [INDEX ...]
// Checks the table (every record and memo readable) and walks each index against it: key
// order, each stored key equal to its key expression over its record, the count of records
// passing its condition, every key found again. Prints "OK name count" or "FAIL name reason"
// per file; exits 1 when anything failed, 2 on bad usage. When the table's folder holds the
// configuration table CONFIG (or --config names one, for a table outside the program
// folder such as the invoicing program's), the program-wide variables are read from it
// first, so keys that format goods codes (S_I) are checked with the installation's own
// picture.
#include <cstdio>
#include <string>

#include "commands.hpp"
#include "core/config_vars.hpp"
#include "core/program_vars.hpp"
#include "core/register.hpp"
#include "db/db_functions.hpp"
#include "db/verify.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "sys/posix_env.hpp"
#include "ui/register.hpp"

namespace tool {

namespace {

std::string baseName(const std::string& p) { return p.substr(p.find_last_of('/') + 1); }

void report(const std::string& name, const db::Verdict& v) {
  if (v.ok)
    std::printf("OK %s %llu\n", name.c_str(), static_cast<unsigned long long>(v.count));
  else
    std::printf("FAIL %s %s\n", name.c_str(), rt::utf8FromCp852(v.reason).c_str());
}

// The configuration record `config`, or the one beside `table` when none is named, into
// the program-wide variables.
void readConfiguration(db::Workspace& ws, rt::Runtime& rt, const std::string& table, std::string config) {
  if (config.empty()) {
    const auto slash = table.find_last_of('/');
    config = (slash == std::string::npos ? std::string() : table.substr(0, slash + 1)) + "CONFIG.DBF";
  }
  if (!ws.env().exists(config)) return;
  auto opened = ws.use(config, {"ZELCONFIG", xbase::Share::SharedReadOnly, true});
  if (!opened) return;
  db::WorkArea& area = **opened;
  area.goTop();
  if (!area.eof())
    core::readConfigVars(rt, [&area](std::string_view name) -> std::optional<rt::Value> {
      const auto i = area.fieldIndex(name);
      return i ? std::optional<rt::Value>(area.value(*i)) : std::nullopt;
    });
  ws.close(area.number());
}

}  // namespace

int verifyCommand(Args args) {
  std::string config;
  if (args.size() >= 2 && std::string_view(args[0]) == "--config") {
    config = args[1];
    args = args.subspan(2);
  }
  if (args.empty()) {
    std::fprintf(stderr, "zelmoran-tool verify: usage: verify [--config CONFIG.DBF] TABLE [INDEX...]\n");
    return 2;
  }
  sys::PosixEnv env;
  sys::SystemClock clock;
  rt::Runtime rt;
  core::registerCore(rt.functions());
  ui::registerUi(rt.functions());
  db::Workspace ws(env, clock, rt);
  db::registerDatabaseFunctions(rt.functions(), ws);
  core::declareProgramVars(rt);
  const std::string table = args[0];
  bool allOk = true;
  try {
    readConfiguration(ws, rt, table, config);
  } catch (const std::exception& e) {
    report("CONFIG.DBF", {false, e.what(), 0});  // the defaults stay; the table is checked all the same
    allOk = false;
  }
  db::WorkArea* area = nullptr;
  try {
    auto opened = ws.use(table, {"ZELVERIFY", xbase::Share::SharedReadOnly, false});
    if (!opened) {
      report(baseName(table), {false, opened.error().toString(), 0});
      return 1;
    }
    area = *opened;
  } catch (const std::exception& e) {
    report(baseName(table), {false, e.what(), 0});
    return 1;
  }
  const db::Verdict t = db::verifyTable(*area);
  report(baseName(table), t);
  allOk = allOk && t.ok;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string path = args[i];
    try {
      auto order = db::openOrder(ws, path, xbase::Share::SharedReadOnly);
      if (!order) {
        report(baseName(path), {false, order.error().toString(), 0});
        allOk = false;
        continue;
      }
      const db::Verdict v = db::verifyIndex(*area, **order);
      report(baseName(path), v);
      allOk = allOk && v.ok;
    } catch (const std::exception& e) {
      report(baseName(path), {false, e.what(), 0});
      allOk = false;
    }
  }
  return allOk ? 0 : 1;
}

}  // namespace tool
