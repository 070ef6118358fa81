// src/access/zmiana_hasla.cpp — the change of one's own password (rules Z1..Z4 in the header).
#include "access/zmiana_hasla.hpp"

#include <optional>
#include <string>

#include "access/operator_lookup.hpp"
#include "access/operators_table.hpp"
#include "access/scramble.hpp"
#include "access/stamp.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "ui/form/getpassword.hpp"
#include "ui/modal_box.hpp"
#include "ui/operation.hpp"
#include "ui/qke.hpp"

namespace operators {
namespace {

using rt::literals::operator""_pl;

constexpr int kOldRow = 10, kNewRow = 12, kPromptCol = 10;

std::optional<std::string> ask(ui::Context& c, int row, const std::string& prompt) {
  c.con.clearRow(row, 0);
  c.con.write(row, kPromptCol, prompt);
  const con::CursorShape shape = c.con.setCursorShape(con::CursorShape::Normal);
  auto typed = ui::readPassword(c, {row, kPromptCol + ui::width(prompt), 6, {}});
  c.con.setCursorShape(shape);
  return typed;
}

// Asks until a password nobody has is typed; nullopt on Esc.
std::optional<std::string> askNew(ui::Context& c, db::WorkArea& table) {
  for (;;) {
    const auto typed = ask(c, kNewRow, "Podaj nowe hasło : "_pl);
    if (!typed) return std::nullopt;
    const std::string password = normalisePassword(*typed);
    if (password == std::string(6, ' ')) continue;
    if (recordWithPassword(table, scramble(password), 0) == 0) return password;
    ui::QKE(c, "Błąd CRC. Wprowadź inne haslo."_pl);
  }
}

void change(ui::Context& c, const AccessSeams& seams, db::WorkArea& table) {
  const std::uint32_t own = recordOfOperator(table, c.text("_OPERATOR"));
  if (own == 0) {
    ui::QKE(c, "Brak operatora w słowniku operatorów !"_pl);
    return;
  }
  table.goTo(own);
  const auto old = ask(c, kOldRow, "Podaj dotychczasowe hasło operatora : "_pl);
  if (!old) return;
  std::string stored = table.value(*table.fieldIndex("HASLO")).text();
  stored.resize(6, ' ');
  if (scramble(normalisePassword(*old)) != stored) {
    ui::QKE(c, "Niewłaściwe hasło !"_pl);
    c.workspace->closeAll();
    c.con.clearScreen();
    releaseFlag(seams);
    endProgram(seams, static_cast<int>(c.number("_NR_OPE")));
  }
  const auto fresh = askNew(c, table);
  if (!fresh) return;
  table.goTo(own);
  if (!table.lockRecord(own)) {
    ui::QKE(c, "Rekord operatora jest zajęty, hasło nie zostało zmienione."_pl);
    return;
  }
  if (!table.replace("HASLO", rt::Value::character(scramble(*fresh))) || !writeStamp(table)) {
    table.unlockRecord(own);
    ui::QKE(c, "Nie udało się zapisać hasła."_pl);
    return;
  }
  table.commit();
  table.unlockRecord(own);
}

}  // namespace

void ZMIANA_HASLA(ui::Context& c, const AccessSeams& seams) {
  ui::RoutineScope scope(c, "ZMIANA_HASLA");
  const std::string saved = c.con.save();
  const con::Cursor cursor = c.con.cursor();
  {
    ui::Operation op(c, "ZMIANA HASŁA OPERATORA"_pl);
    int previous = 0;
    if (db::WorkArea* table = openOperators(c, xbase::Share::Shared, PasswordOrder::No, previous))
      change(c, seams, *table);
    else
      ui::QKE(c, "Brak dostępu do słownika operatorów SL_OPE !"_pl);
  }
  c.con.restore(con::Rect::whole(), saved);
  c.con.moveCursor(cursor.row, cursor.col);
}

}  // namespace operators
