// tests/core/routines_fixture.hpp — a station for the core routines: the scripted screen,
// the work areas and the table store over a temporary program folder, the program-wide
// variables, the runtime's database functions and the routines registered by name, and
// today fixed at 15.03.2016.
#pragma once

#include <string>
#include <vector>

#include "db/workspace.hpp"
#include "store/tables.hpp"
#include "ui/screen_fixture.hpp"
#include "xbase/dbf_field.hpp"

namespace coretest {

struct RoutinesStation : uitest::Station {
  RoutinesStation();
  ~RoutinesStation();

  std::string path(const std::string& name) const { return (dir / name).string(); }
  // A table in the program folder; row values as text (dates as yyyymmdd, logicals T/F).
  void makeTable(const std::string& name, const std::vector<xbase::dbf::FieldSpec>& fields,
                 const std::vector<std::vector<std::string>>& rows);
  // Opens a table of the program folder in a new area, selected, on its first record.
  db::WorkArea& open(const std::string& name, const std::string& alias = {});
  void setToday(int year, int month, int day);
  rt::Value call(const char* name, std::vector<rt::Value> args = {});
  // True when some screen shown at a key read had `text` (UTF-8) on row `row`.
  bool wasShown(int row, const std::string& text) const;

  db::Workspace ws{env, script.clock(), rt};
  store::Tables tables{rt, con, paths, ws};
  rt::Date today;
};

}  // namespace coretest
