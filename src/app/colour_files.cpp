// src/app/colour_files.cpp — reading and writing the colour memory files.
#include "app/colour_files.hpp"

#include <array>
#include <optional>

#include "base/fault.hpp"
#include "core/program_vars.hpp"
#include "rt/mem_file.hpp"
#include "rt/mem_save_restore.hpp"

namespace app {

namespace {

constexpr std::array<std::string_view, 3> kColourVars = {"_EKRA_BLO", "_EDIT_BLO", "_SLOW_BLO"};

// C2: a missing, unreadable or malformed file restores nothing.
bool restoreAdditive(Station& st, const std::string& path) {
  if (!st.env.exists(path)) return false;
  try {
    return rt::restoreMemFile(st.rt.vars(), path, rt::RestoreMode::Additive).isOk();
  } catch (const base::Fault&) {
    return false;
  }
}

}  // namespace

void restoreColourFiles(Station& st) {
  const std::string station = st.paths.resolve(core::SC_(st.rt) + "ekran.mem");
  const std::string program = st.paths.resolve(rt::memFilePath("dorvik").string());
  if (!restoreAdditive(st, station)) {
    restoreAdditive(st, program);
    return;
  }
  std::array<std::optional<rt::Value>, kColourVars.size()> kept;
  for (std::size_t i = 0; i < kColourVars.size(); ++i)
    if (const rt::Value* v = st.rt.vars().find(kColourVars[i])) kept[i] = *v;
  restoreAdditive(st, program);
  for (std::size_t i = 0; i < kColourVars.size(); ++i)
    if (kept[i]) st.rt.vars().set(kColourVars[i], *kept[i]);
}

void writeDefaultColours(Station& st) {
  rt::Memvars& vars = st.rt.vars();
  vars.set("_EKRA_BLO", rt::Value::character(std::string(kScreenColours)));
  vars.set("_EDIT_BLO", rt::Value::character(std::string(kListColours)));
  vars.set("_SLOW_BLO", rt::Value::character(std::string(kListColours)));
  rt::mem::Image image;
  for (std::string_view name : kColourVars) image.variables.push_back(rt::mem::makeVariable(name, vars.get(name)));
  const std::string path = st.paths.resolve(rt::memFilePath("dorvik").string());
  // A folder that cannot be written keeps its old file; the run ends all the same.
  (void)rt::mem::writeFile(path, rt::mem::encode(image));
}

}  // namespace app
