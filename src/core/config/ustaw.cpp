// src/core/config/ustaw.cpp — one character of the variant string; see ustaw.hpp.
#include "core/config/ustaw.hpp"

#include <cmath>
#include <vector>

#include "base/check.hpp"
#include "core/haslo.hpp"
#include "core/program_vars.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "store/tables.hpp"
#include "store/upgrade/restructure.hpp"
#include "ui/form/read_form.hpp"
#include "ui/operation.hpp"
#include "ui/qke.hpp"

namespace core {
namespace {

using rt::literals::operator""_pl;

constexpr int kTop = 10, kLabelCol = 20;
constexpr int kMaxWidth = 254;  // a character field of the variant string stays one byte wide

std::string notChanged() { return "Nie zmieniono parametru konfiguracyjnego programu !"_pl; }

bool read(ui::Context& c, ui::Get g) {
  std::vector<ui::Get> gets{std::move(g)};
  return ui::readForm(c, gets).saved();
}

bool passwordGiven(ui::Context& c) {
  const rt::Value expected = c.rt.vars().exists("_HASLO") ? c.rt.vars().get("_HASLO") : rt::Value();
  return askPassword(c, expected.isText() ? expected.text() : std::string(), 0);
}

std::string variantOf(db::WorkArea& config) {
  config.goTop();
  const auto i = config.fieldIndex("WERSJA");
  if (config.eof() || !i) return {};
  const rt::Value v = config.value(*i);
  return v.isText() ? v.text() : std::string();
}

int variantWidth(db::WorkArea& config) {
  const auto i = config.fieldIndex("WERSJA");
  return i ? config.field(*i).length : 0;
}

// W5 after the character is in: STATUS's stamp blanked, the messages, FLAGA, the end.
[[noreturn]] void restart(ui::Context& c, ui::Operation& op) {
  store::Tables& t = *c.tables;
  if (db::WorkArea* status = op.use("STATUS", "F")) {
    status->goTop();
    if (!status->eof() && status->fieldIndex("DATA_LIC")) (void)status->replace("DATA_LIC", rt::Value::character("      "));
    status->flush();
  }
  c.con.tone(440, 2);
  op.closeTables();
  ui::QKE(c, "Zmieniono parametr konfiguracyjny programu."_pl, {"        Uruchom program ponownie !         "});
  (void)c.workspace->env().remove(c.paths.resolve(SC_(c.rt) + "FLAGA"));
  t.endProgram();
}

}  // namespace

std::string withVariant(std::string wersja, int position, char value) {
  ZEL_CHECK(position >= 1);
  if (wersja.size() < static_cast<std::size_t>(position)) wersja.resize(position, ' ');
  wersja[position - 1] = value;
  return wersja;
}

void USTAW(ui::Context& c) {
  ZEL_CHECK(c.tables != nullptr && c.workspace != nullptr);
  ui::RoutineScope scope(c, "USTAW");
  ui::Operation op(c, "█▓▓▒▒░░  USTALANIE PARAMETRÓW KONFIGURACYJNYCH PROGRAMU ░░▒▒▓▓█"_pl);
  db::WorkArea* config = op.use("CONFIG", "E");
  if (config == nullptr) return ui::QKE(c, notChanged());
  rt::Value number = rt::Value::number(0, 2, 0);
  c.con.write(kTop, kLabelCol, "Numer parametru : ");
  if (!read(c, ui::getOn(kTop, kLabelCol + 18, number, "@Z 99"))) return;
  const int position = number.isNumber() ? static_cast<int>(std::lround(number.num())) : 0;
  if (position < 1 || position > kMaxWidth) return;
  const std::string wersja = variantOf(*config);
  const char old = static_cast<std::size_t>(position) <= wersja.size() ? wersja[position - 1] : ' ';
  c.con.write(kTop + 2, kLabelCol, "Aktualna wartość : "_pl + std::string(1, old));
  rt::Value value = rt::Value::character(" ");
  c.con.write(kTop + 4, kLabelCol, "Nowa wartość :    "_pl);
  if (!read(c, ui::getOn(kTop + 4, kLabelCol + 18, value, "@!")) || !passwordGiven(c)) return;
  const char now = value.isText() && !value.text().empty() ? value.text()[0] : ' ';

  if (variantWidth(*config) < position) {
    op.closeTables();
    const base::Status widened = store::changeStructure(*c.tables, "CONFIG", [position](std::vector<store::FieldRow>& rows) {
      if (store::FieldRow* r = store::findRow(rows, "WERSJA")) r->length = position;
      else rows.push_back({"WERSJA", 'C', position, 0});
    });
    config = widened ? op.use("CONFIG", "E") : nullptr;
    if (config == nullptr) return ui::QKE(c, notChanged());
  }
  if (now == old) {
    op.closeTables();
    return ui::QKE(c, notChanged());
  }
  config->goTop();
  if (config->eof()) (void)config->appendBlank();
  if (const base::Status s = config->replace("WERSJA", rt::Value::character(withVariant(variantOf(*config), position, now))); !s) {
    op.closeTables();
    return ui::QKE(c, notChanged());
  }
  config->flush();
  op.closeTables();
  restart(c, op);
}

}  // namespace core
