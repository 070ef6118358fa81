// tests/access/operators_fixture.hpp — a station on the scripted screen with a small
// operators table SL_OPE (KOD C4, HASLO C6, PRIORYTET N2, NAZWA C20, BIERNY C2, NR_KASY C2,
// TEST C6) and its password index SL_OPE_H in a temporary folder.
#pragma once

#include <string>
#include <vector>

#include "db/workspace.hpp"
#include "store/tables.hpp"
#include "ui/screen_fixture.hpp"

namespace optest {

struct Operator {
  std::string kod, password;  // password in plain; stored scrambled
  int priority = 0;
  std::string name, flags, desk;
  bool stamped = true;
};

struct OperatorsStation : uitest::Station {
  explicit OperatorsStation(const std::vector<Operator>& ops, bool withTest = true);
  std::string table() const { return dir.path().string() + "/SL_OPE.DBF"; }
  db::Workspace ws{env, script.clock(), rt};
  store::Tables tables{rt, con, paths, ws};
};

}  // namespace optest
