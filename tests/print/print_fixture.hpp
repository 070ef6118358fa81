// tests/print/print_fixture.hpp — a station for the printing routines: the scripted screen,
// the work areas and the table store over a temporary program folder with station folder
// DANE#01, the program-wide variables printing reads, the runtime's database and screen
// routines and the printing routines by name, an EDIT table with the columns of a small
// contractors list (screen "KON", layout "V1") and that list open in area 1.
#pragma once

#include <string>
#include <vector>

#include "db/workspace.hpp"
#include "print/settings.hpp"
#include "store/tables.hpp"
#include "ui/screen_fixture.hpp"
#include "xbase/dbf_field.hpp"

namespace printtest {

struct PrintStation : uitest::Station {
  PrintStation();
  ~PrintStation();

  std::string path(const std::string& name) const { return (dir / name).string(); }
  std::string station(const std::string& name) const { return (dir / "DANE#01" / name).string(); }
  void makeTable(const std::string& file, const std::vector<xbase::dbf::FieldSpec>& fields,
                 const std::vector<std::vector<std::string>>& rows);
  // The station's PARADRUK with one record "STANDARD" of these settings.
  void makeSettings(const print::Settings& s);
  // `n` contractors (number, name with Polish letters, town, amount) open in area 1.
  void makeList(int n);
  void openList();
  std::string read(const std::string& file) const;
  bool wasShown(int row, const std::string& text) const;
  bool wasShownAnywhere(const std::string& text) const;

  db::Workspace ws{env, script.clock(), rt};
  store::Tables tables{rt, con, paths, ws};
};

// The default settings of the tests: 20-line pages, ESC/P without reset, no conversion.
print::Settings testSettings(const std::string& port);

}  // namespace printtest
