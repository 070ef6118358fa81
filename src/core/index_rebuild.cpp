// src/core/index_rebuild.cpp — the operator's index rebuild.
#include "core/index_rebuild.hpp"

#include <string>
#include <vector>

#include "core/stop_sort.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "store/reindex.hpp"
#include "store/tables.hpp"
#include "ui/break.hpp"
#include "ui/call.hpp"
#include "ui/operation.hpp"
#include "ui/pasek.hpp"

namespace core {
namespace {

using rt::literals::operator""_pl;

constexpr int kNameRow = 23;
constexpr int kAdministrator = 9;

// A pause that keeps a key typed meanwhile for STOP_SORT.
void pause(ui::Context& c, double seconds) {
  if (!c.con.typeAheadEmpty()) return;
  if (const int k = c.con.inkey(con::KeyWait::seconds(seconds)); k != 0) c.con.pushKey(k);
}

bool isTable(const store::CatalogueTable& t, std::string_view name) { return t.table == name; }

class ScreenHooks final : public store::RebuildHooks {
 public:
  explicit ScreenHooks(ui::Context& c) : c_(c) {}

  void opened(const store::CatalogueTable& t) override {
    if (c_.number("_PRIORYTET") == kAdministrator)
      c_.con.writeCells(kNameRow, 0, std::string(t.table) + std::string(12, ' '), c_.con.attr(con::Slot::Standard));
    if (!isTable(t, "EDIT") && !isTable(t, "ZMIANY")) pause(c_, 0.2);
  }

  void finished(const store::CatalogueTable& t, std::uint64_t, std::uint64_t) override {
    if (isTable(t, "EDIT") || isTable(t, "ZMIANY")) c_.con.tone(880, 0.5);
    if (isTable(t, "EDIT")) pause(c_, 1.0);
    if (!t.quiet) ui::PASEK(c_, 1.0);
    STOP_SORT(c_);
  }

 private:
  ui::Context& c_;
};

// Runs the structure upgrade when STATUS holds another stamp than the program's.
void checkStructure(ui::Context& c, ui::Operation& op) {
  store::Tables& t = *c.tables;
  if (!t.ws.env().exists(t.tablePath("STATUS"))) return;
  db::WorkArea* status = op.use("STATUS", "S");
  if (status == nullptr) return;
  std::string old(kStructureStamp.size(), ' ');
  if (const auto field = status->fieldIndex("DATA_LIC")) {
    status->goTop();
    if (!status->eof()) old = status->value(*field).text();
  }
  op.closeTables();  // the upgrade rewrites STATUS
  if (old == kStructureStamp) return;
  c.con.clearScreen();
  ui::call(c, "UZG_WER", {rt::Value::character(old)});
}

// The bar of the rebuild, ended on every way out; the closing call needs a started bar.
class RebuildBar {
 public:
  explicit RebuildBar(ui::Context& c) : c_(c) {
    c.setPublic("_TOTAL", rt::Value::number(store::kRebuildSteps));
    c.progressSteps = 0;
    ui::PASEK(c, std::nullopt, "█"_pl);
  }
  ~RebuildBar() {
    if (c_.progressSteps == 0) ui::PASEK(c_, 1.0);
    ui::PASEK(c_);
  }
  RebuildBar(const RebuildBar&) = delete;
  RebuildBar& operator=(const RebuildBar&) = delete;

 private:
  ui::Context& c_;
};

}  // namespace

void INDEX(ui::Context& c, bool deleteAll, char group) {
  ui::RoutineScope scope(c, "INDEX");
  ui::Operation op(c, "SORTOWANIE ZBIORÓW"_pl);
  RebuildBar bar(c);
  ScreenHooks hooks(c);
  try {
    checkStructure(c, op);
    store::rebuildIndexes(*c.tables, {deleteAll, group, false}, hooks);
  } catch (const ui::Break&) {
    // STOP_SORT: the rebuild ends here, with what is done so far.
  }
}

std::string ORD4() { return "kod paskowy"; }

}  // namespace core
