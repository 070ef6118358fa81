// tests/ui/table_fixture.hpp — a screen-test station with work areas over its temporary
// folder (the program folder), the screen routines registered, and builders for the small
// menu and help tables the tests need.
#pragma once

#include <string>
#include <vector>

#include "db/workspace.hpp"
#include "store/tables.hpp"
#include "screen_fixture.hpp"

namespace uitest {

// One record of the menu table. Texts are UTF-8 and stored as CP852.
struct MenuRow {
  MenuRow(int c, std::string t, std::string cmd, int prio = 0, std::string cond = {}, std::string ops = {})
      : code(c), text(std::move(t)), command(std::move(cmd)), priority(prio), condition(std::move(cond)),
        operators(std::move(ops)) {}
  int code = 0;
  std::string text;
  std::string command;
  int priority = 0;
  std::string condition;   // WARUNEK
  std::string operators;   // WAR_OPE
  std::string blocked;     // BLOKADA
  std::string helpKey;     // HBAZA
};

struct HelpRow {
  std::string topic;  // BASE
  std::string text;   // OPIS, UTF-8
};

struct TableStation : Station {
  TableStation();
  db::Workspace ws{env, script.clock(), rt};
  store::Tables tables{rt, con, paths, ws};

  // MENU.DBF with `rows` and, unless told otherwise, its index MENU.NTX on OPCJA, in the
  // program folder. `folder` (relative, e.g. "DANE#01/") puts only the index there instead,
  // built with `condition` as its FOR condition.
  void makeMenu(const std::vector<MenuRow>& rows);
  void makeMenuIndex(const std::string& folder, const std::string& condition = {});
  void makeHelp(const std::vector<HelpRow>& rows);
  // The operator: _OPERATOR and _PRIORYTET.
  void logIn(const std::string& name, int priority);
  // Whether any screen shown while a key was awaited held `utf8`.
  bool everShown(const std::string& utf8) const;
};

}  // namespace uitest
