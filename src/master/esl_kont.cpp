// src/master/esl_kont.cpp — the representatives' accounts dictionary.
#include "master/esl_kont.hpp"

#include "db/workspace.hpp"
#include "master/internal/fields.hpp"
#include "master/internal/seams.hpp"
#include "rt/codepage.hpp"
#include "ui/browse/classedit.hpp"
#include "ui/operation.hpp"

namespace master {
namespace {

using rt::literals::operator""_pl;

// Step 3: rows without an e-mail address go; one that another station holds stays.
void dropWithoutMail(ui::Context& c, db::WorkArea& accounts) {
  accounts.setOrder(0);
  const std::size_t mail = fieldAt(c, accounts, "MAIL");
  for (accounts.goTop(); !accounts.eof(); accounts.skip(1)) {
    if (!trimBoth(accounts.value(mail).text()).empty()) continue;
    if (!accounts.lockRecord()) continue;
    if (const base::Status s = accounts.deleteRecord(); !s) throw base::IoFault(accounts.table().path(), s.toString());
    accounts.commit();
    accounts.unlockRecord(accounts.recno());
  }
  accounts.setOrder(1);
}

}  // namespace

void ESL_KONT(ui::Context& c) {
  ui::RoutineScope scope(c, "ESL_KONT");
  ui::Operation op(c, "EDYCJA SŁOWNIKA KONT PRZEDSTAWICIELI HANDLOWYCH"_pl);
  db::WorkArea* accounts = openTable(c, "SL_KONT", "S", {}, catalogueIndexes("SL_KONT"));
  if (accounts == nullptr) return;
  ui::browse::Options o;
  o.table = con::Rect{1, -1, 23, -1};
  o.screenKey = "SL_KONT";
  o.tableLayout = "V1";
  o.editAllowed = rt::Value::logical(true);
  o.appendAllowed = rt::Value::logical(true);
  o.deleteAllowed = c.rt.evaluate("{|| HA(_HASLO,.F.,0)}");
  o.orders = {{"konto", 1}};
  o.lockMode = 1;
  o.restoreScreen = false;
  o.commentLines = 1;
  c.setPublic("_ZAZNACZONE", rt::Value::newArray());
  if (auto engine = ui::browse::CLASSEDIT(c, *accounts, std::move(o))) ui::browse::DOEDIT(c, *engine, 1);
  dropWithoutMail(c, *accounts);
  printMarked(c, *accounts, "SL_KONT", "V1", 4, "SŁOWNIK KONT PRZEDSTAWICIELI HANDLOWYCH"_pl);
}

}  // namespace master
