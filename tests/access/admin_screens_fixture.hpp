// tests/access/admin_screens_fixture.hpp — the operators' station with what the
// administration screens need besides: the table store, the runtime's database and screen
// routines, the access routines by name, and an EDIT table of column descriptions.
#pragma once

#include <string>
#include <vector>

#include "access/access_seams.hpp"
#include "access/operators_fixture.hpp"
#include "store/tables.hpp"

namespace optest {

// One column description: screen key, heading, value, picture, entry rule, validation,
// position in layout V1.
struct Column {
  std::string screen, heading, value, picture, entry, valid;
  int v1 = 0;
};

// The operators dictionary's columns (screen "SL_OPE"): name, password, priority, full name.
// The priority column does not stamp by itself: the screen renews the stamps.
std::vector<Column> operatorColumns();

struct AdminStation : OperatorsStation {
  explicit AdminStation(const std::vector<Operator>& ops);
  ~AdminStation();
  void makeEdit(const std::vector<Column>& columns);
  std::string path(const std::string& name) const { return (dir / name).string(); }
  bool wasShown(int row, const std::string& text) const;

  operators::AccessSeams seams;
};

}  // namespace optest
