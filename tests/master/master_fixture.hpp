// tests/master/master_fixture.hpp — a station of the master-data screens over a copy of the
// demo installation (made once per build folder by zelmoran-tool mkdemo at scale 1 with
// the date 10.12.2026): the scripted screen, the work areas and the table store, the
// program-wide variables read from the demo's CONFIG, and every routine the screens and
// their column descriptions call, registered by name. Today is 10.12.2026. The station's
// printouts go to the file DANE#01/RAPORT.prn.
#pragma once

#include <string>
#include <vector>

#include "db/workspace.hpp"
#include "store/tables.hpp"
#include "ui/screen_fixture.hpp"

namespace mastertest {

inline constexpr const char* kDemoDate = "20261210";

struct MasterStation : uitest::Station {
  // `role`: "hq" (head office) or "ph01" (representative 01).
  explicit MasterStation(const std::string& role = "hq");
  ~MasterStation();

  std::string path(const std::string& name) const { return (dir / name).string(); }
  rt::Value call(const char* name, std::vector<rt::Value> args = {});
  // Opens a table of the program folder shared in a new area under `alias` (empty: its
  // name) with `indexes` attached, the first controlling; the area is selected and on its
  // first record.
  db::WorkArea& open(const std::string& table, const std::string& alias = {},
                     const std::vector<std::string>& indexes = {});
  // Sets one field of the record of `table` whose `keyField` holds `key` (the first such
  // record), through the table's own indexes; the table is closed again.
  void set(const std::string& table, const std::string& keyField, const std::string& key, const std::string& field,
           rt::Value value);
  // The value of `field` in the first record of `table` whose `keyField` holds `key`.
  rt::Value get(const std::string& table, const std::string& keyField, const std::string& key,
                const std::string& field);
  // True when some screen shown at a key read held `utf8` on `row` (any row when -1).
  bool wasShown(const std::string& utf8, int row = -1) const;

  // The keys of one round of the print dialog: print ("WYDRUK"), then leave ("KONIEC")
  // when the dialog is offered again. The station prints to the file RAPORT.prn.
  void printOnce();
  // The keys that leave the print dialog without printing.
  void printNothing();
  // What was printed (UTF-8), "" when nothing was.
  std::string printout() const;

  db::Workspace ws{env, script.clock(), rt};
  store::Tables tables{rt, con, paths, ws};
};

// The indexes of a table as the rebuild names them (KON: KON_NR, KON_NA, KON_NI, KON_AD).
std::vector<std::string> indexesOf(const std::string& table);

}  // namespace mastertest
