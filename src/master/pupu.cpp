// src/master/pupu.cpp — the discount table viewer.
#include "master/pupu.hpp"

#include "db/bulk_copy.hpp"
#include "db/bulk_index.hpp"
#include "db/workspace.hpp"
#include "master/internal/fields.hpp"
#include "master/internal/lookup_field.hpp"
#include "master/internal/seams.hpp"
#include "rt/codepage.hpp"
#include "store/tables.hpp"
#include "ui/browse/classedit.hpp"
#include "ui/operation.hpp"
#include "ui/qpc.hpp"

namespace master {
namespace {

using rt::literals::operator""_pl;

constexpr std::string_view kAllContractors = "00000";
constexpr int kKeyOrder = 2;  // UPUSTY_T

struct Tables {
  db::WorkArea* groups = nullptr;
  db::WorkArea* goods = nullptr;
  db::WorkArea* discounts = nullptr;
  db::WorkArea* contractors = nullptr;
};

std::optional<Tables> openAll(ui::Context& c) {
  Tables t;
  if (!(t.groups = openTable(c, "SL_G_TOW", "R", {}, catalogueIndexes("SL_G_TOW")))) return std::nullopt;
  if (!(t.goods = openTable(c, "TOW", "R", {}, catalogueIndexes("TOW")))) return std::nullopt;
  if (!(t.discounts = openTable(c, "UPUSTY", "S", {}, catalogueIndexes("UPUSTY")))) return std::nullopt;
  if (!(t.contractors = openTable(c, "KON", "R", {}, catalogueIndexes("KON")))) return std::nullopt;
  return t;
}

// Each discount row shows its goods and its group.
void relate(ui::Context& c, db::WorkArea& rows, const Tables& t) {
  rows.addRelation(c.workspace->compile("S_I(INDEKS)"), *t.goods);
  rows.addRelation(c.workspace->compile("GRUPA_TOW"), *t.groups);
}

// Row 1: nullopt after Esc; "" for everyone.
std::optional<std::string> askContractor(ui::Context& c, const Tables& t) {
  c.con.write(1, 0, "Nr odbiorcy :");
  rt::Value number = rt::Value::character("     ");
  ui::Get g = ui::getOn(1, 14, number, "99999");
  const auto mayPass = [](const rt::Value& v) {
    const std::string n = v.isText() ? trimBoth(v.text()) : std::string();
    return n.empty() || n == kAllContractors;
  };
  c.workspace->select(t.contractors->number());
  if (!readWithLookup(c, g, contractorLookup(c, "KON", "miasto i ulica"), mayPass).saved()) return std::nullopt;
  const std::string chosen = trimBoth(number.isText() ? number.text() : std::string());
  if (!chosen.empty() && chosen != kAllContractors && t.contractors->seek(rt::Value::character(chosen)))
    c.con.write(1, 21, fieldText(c, *t.contractors, "NAZWA_KON").substr(0, 40));
  return chosen;
}

std::string contractorName(ui::Context& c, const Tables& t, const std::string& number) {
  if (number == kAllContractors || !t.contractors->seek(rt::Value::character(number))) return {};
  return trimRight(fieldText(c, *t.contractors, "NAZWA_KON").substr(0, 40));
}

ui::browse::Options list(std::string layout, rt::Value label) {
  ui::browse::Options o;
  o.table = con::Rect{2, 0, 22, con::kCols - 1};
  o.screenKey = "UPUSTY";
  o.tableLayout = std::move(layout);
  o.comment = std::move(label);
  o.restoreScreen = false;
  return o;
}

void browse(ui::Context& c, db::WorkArea& rows, ui::browse::Options o) {
  rows.goTop();
  if (auto engine = ui::browse::CLASSEDIT(c, rows, std::move(o))) ui::browse::DOEDIT(c, *engine, 2);
}

// One contractor's rows (or the all-contractors rows): a temporary order holding only them.
void oneContractor(ui::Context& c, const Tables& t, const std::string& number) {
  db::WorkArea& rows = *t.discounts;
  const auto order = db::temporaryIndex(
      rows, db::IndexSpec("NR_KON+GRUPA_TOW+INDEKS+DOSTAWCA", "NR_KON==\"" + number + "\""));
  if (!order) throw base::IoFault(rows.table().path(), "cannot order the discounts: " + order.error().toString());
  relate(c, rows, t);
  const std::string note = "Uwaga : Na fakturach upusty pozycyjne dodawane są do upustu ogólnego faktury !"_pl;
  browse(c, rows,
         list("V2", c.rt.evaluate("{|| {' '+PADR(IF(EMPTY(INDEKS),SL_G_TOW->OPIS_G_TOW,TRIM(INDEKS)+' '+"
                                  "TOW->NAZWA_TOW+' '+TOW->OPIS_TOW),77), '" +
                                  note + "'}}")));
  // The printout goes from a copy of the rows, with the same relations.
  const std::string work = c.tables->stationFolder() + "UPUSTY_R";
  ui::QPC(c, ui::Switch::On);
  rows.goTop();
  const auto copied = db::copyTo(rows, c.tables->tablePath(work));
  ui::QPC(c, ui::Switch::Off);
  if (!copied) throw base::IoFault(c.tables->tablePath(work), "cannot copy the discounts: " + copied.error().toString());
  db::WorkArea* copy = openTable(c, work, "E", "UPUSTY_R");
  if (copy == nullptr) return;
  relate(c, *copy, t);
  copy->goTop();
  printList(c, "UPUSTY", "V1", 1, "UPUSTY DLA ODBIORCY : "_pl + number + " -  " + contractorName(c, t, number));
  c.workspace->close(copy->number());
  (void)c.workspace->env().remove(c.tables->tablePath(work));
}

void everyone(ui::Context& c, const Tables& t) {
  db::WorkArea& rows = *t.discounts;
  rows.setOrder(kKeyOrder);
  relate(c, rows, t);
  rows.addRelation(c.workspace->compile("NR_KON"), *t.contractors);
  browse(c, rows, list("V1", c.rt.evaluate("{|| ' '+NR_KON+'  '+LEFT(KON->NAZWA_KON,40)+' '+KON->MIASTO}")));
  c.workspace->select(rows.number());
  rows.goTop();
  printList(c, "UPUSTY", "V2", 1, "UPUSTY DLA ODBIORCÓW"_pl);
}

}  // namespace

void PUPU(ui::Context& c) {
  ui::RoutineScope scope(c, "PUPU");
  ui::Operation op(c, "█▓▓▒▒░░ PRZEGLĄDANIE TABELI UPUSTÓW DLA ODBIORCÓW ░░▒▒▓▓█"_pl);
  const std::optional<Tables> t = openAll(c);
  if (!t) return;
  const std::optional<std::string> number = askContractor(c, *t);
  if (!number) return;
  if (number->empty())
    everyone(c, *t);
  else
    oneContractor(c, *t, *number);
}

}  // namespace master
