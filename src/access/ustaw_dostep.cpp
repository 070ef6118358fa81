// src/access/ustaw_dostep.cpp — the access thresholds screen.
#include "access/ustaw_dostep.hpp"

#include <optional>
#include <string>

#include "access/scramble.hpp"
#include "access/stamp_watch.hpp"
#include "base/check.hpp"
#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "store/use.hpp"
#include "ui/browse/classedit.hpp"
#include "ui/form/getpassword.hpp"
#include "ui/modal_box.hpp"
#include "ui/operation.hpp"
#include "ui/qke.hpp"
#include "ui/qtn.hpp"

namespace operators {
namespace {

using rt::literals::operator""_pl;

constexpr int kPasswordRow = 12, kPromptCol = 28;

std::string listedEntries() {
  return "subs(ltrim(str(OPCJA)),1,1)<>\"9\" .AND.(empty(UWAGI).OR.\"" + std::string(kListedVariant) + "\"$UWAGI)";
}

// Opens `name` in a new area; nullptr when the wait was cancelled.
void browse(ui::Context& c, db::WorkArea& menu) {
  if (auto made = db::temporaryIndex(menu, db::IndexSpec("padr(alltrim(str(OPCJA)),4)", listedEntries())); !made)
    throw base::IoFault(menu.table().path(), "cannot order the menu: " + made.error().toString());
  ui::browse::Options o;
  o.table = con::Rect{1, -1, 23, -1};
  o.screenKey = "MENU";
  o.tableLayout = "V1";
  o.editAllowed = rt::Value::logical(true);
  o.lockMode = 2;
  o.orders = {{"Nr opcji", menu.orderNumber()}};
  o.restoreScreen = false;
  menu.goTop();
  if (auto engine = ui::browse::CLASSEDIT(c, menu, std::move(o))) ui::browse::DOEDIT(c, *engine);
}

void thresholds(ui::Context& c, const AccessSeams& seams, db::WorkArea& menu) {
  StampWatch watch(menu);
  browse(c, menu);
  watch.renewChanged();
  if (seams.printList) {
    while (seams.printList("MENU", "V1", "PROGI DOSTĘPU DO OPCJI"_pl)) {
    }
  }
}

std::optional<std::string> askPassword(ui::Context& c) {
  const std::string prompt = "Hasło "_pl;
  c.con.clearRow(kPasswordRow, 0);
  c.con.write(kPasswordRow, kPromptCol, prompt);
  const auto typed = ui::readPassword(c, {kPasswordRow, kPromptCol + ui::width(prompt), 6, {}});
  if (!typed) return std::nullopt;
  const std::string password = normalisePassword(*typed);
  if (password == std::string(6, ' ')) return std::nullopt;
  return password;
}

// Step 5, with CONFIG open.
void changeSpecialPassword(ui::Context& c, db::WorkArea& config) {
  const std::optional<std::string> first = askPassword(c);
  if (!first) return;
  c.con.clearRow(kPasswordRow - 1, 0);
  c.con.write(kPasswordRow - 1, kPromptCol, "Powtórz hasło "_pl);
  const std::optional<std::string> second = askPassword(c);
  if (!second || *first != *second) return;
  if (!ui::QTN(c, "Akceptujesz nowe hasło ?"_pl)) return;
  config.goTop();
  if (config.eof() || !config.lockRecord()) {
    ui::QKE(c, "Konfiguracja jest zajęta, hasło nie zostało zmienione."_pl);
    return;
  }
  const bool stored = config.replace("HASLO", rt::Value::character(*first)).isOk();
  if (stored) config.commit();
  config.unlockRecord(config.recno());
  if (!stored) return ui::QKE(c, "Nie udało się zapisać hasła."_pl);
  c.setPublic("_HASLO", rt::Value::character(*first));
}

}  // namespace

void USTAW_DOSTEP(ui::Context& c, const AccessSeams& seams) {
  ZEL_CHECK(c.workspace != nullptr && c.tables != nullptr);
  ui::RoutineScope scope(c, "USTAW_DOSTEP");
  ui::Operation op(c, "USTAWIANIE DOSTĘPU DO OPCJI MENU"_pl);
  if (op.use("SL_OPE", "R") == nullptr) return;
  db::WorkArea* menu = op.use("MENU", "E");
  if (menu == nullptr) return;
  thresholds(c, seams, *menu);
  op.closeTables();
  ui::QKE(c, "Uaktywnienie zmienionych progów wymaga restartu programu !"_pl);
  if (c.number("_PRIORYTET") < 9 || !ui::QTN(c, "Zmiana hasła w opcjach specjalnych ?"_pl)) return;
  if (db::WorkArea* config = op.use("CONFIG", "S")) changeSpecialPassword(c, *config);
}

}  // namespace operators
