// src/access/haslo_ope.cpp — the password cell of the operators dictionary.
#include "access/haslo_ope.hpp"

#include "access/operator_lookup.hpp"
#include "access/scramble.hpp"
#include "access/stamp.hpp"
#include "rt/codepage.hpp"
#include "ui/form/getpassword.hpp"
#include "ui/qke.hpp"
#include "ui/table_checks.hpp"

namespace operators {
namespace {

using rt::literals::operator""_pl;

}  // namespace

bool storeOperatorPassword(ui::Context& c, db::WorkArea& table, std::string_view typed) {
  const std::string password = normalisePassword(typed);
  if (password == std::string(6, ' ')) return false;
  const std::string scrambled = scramble(password);
  const std::uint32_t own = table.recno();
  if (recordWithPassword(table, scrambled, own) != 0) {
    ui::QKE(c, "Błąd CRC. Wprowadź inne haslo."_pl);
    return false;
  }
  if (!table.lockRecord(own)) {
    ui::QKE(c, "Rekord operatora jest zajęty, hasło nie zostało zmienione."_pl);
    return false;
  }
  const bool stored = table.replace("HASLO", rt::Value::character(scrambled)).isOk() && writeStamp(table).isOk();
  if (stored) table.commit();
  table.unlockRecord(own);
  if (!stored) ui::QKE(c, "Nie udało się zapisać hasła."_pl);
  return stored;
}

bool HASLO_OPE(ui::Context& c) {
  db::WorkArea* table = ui::currentTable(c, "HASLO_OPE");
  if (table == nullptr) return false;
  const con::Cursor at = c.con.cursor();
  const auto typed = ui::readPassword(c, {at.row, at.col, 6, {}});
  if (!typed) return false;
  return storeOperatorPassword(c, *table, *typed);
}

}  // namespace operators
