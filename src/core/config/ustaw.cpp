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
#include "store/use.hpp"
#include "ui/form/read_form.hpp"
#include "ui/qke.hpp"

namespace core {
namespace {

using rt::literals::operator""_pl;

constexpr int kTop = 10, kLabelCol = 20;
constexpr int kMaxWidth = 254;  // a character field of the variant string stays one byte wide
const store::Caller kCaller{"USTAW", 0};

std::string notChanged() { return "Nie zmieniono parametru konfiguracyjnego programu !"_pl; }

bool read(ui::Context& c, ui::Get g) {
  std::vector<ui::Get> gets{std::move(g)};
  return ui::readForm(c, gets).saved();
}

bool passwordGiven(ui::Context& c) {
  const rt::Value expected = c.rt.vars().exists("_HASLO") ? c.rt.vars().get("_HASLO") : rt::Value();
  return askPassword(c, expected.isText() ? expected.text() : std::string(), 0);
}

db::WorkArea* openConfig(ui::Context& c) {
  c.workspace->select(0);
  if (!store::USE_(*c.tables, "CONFIG", "E", {}, kCaller)) return nullptr;
  return c.workspace->current();
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
[[noreturn]] void restart(ui::Context& c) {
  store::Tables& t = *c.tables;
  c.workspace->select(0);
  if (store::USE_(t, "STATUS", "F", {}, kCaller)) {
    db::WorkArea& status = *c.workspace->current();
    status.goTop();
    if (!status.eof() && status.fieldIndex("DATA_LIC")) (void)status.replace("DATA_LIC", rt::Value::character("      "));
    status.flush();
  }
  c.con.tone(440, 2);
  c.workspace->closeAll();
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
  store::Tables& t = *c.tables;
  c.con.clearScreen();
  const std::string title = "█▓▓▒▒░░  USTALANIE PARAMETRÓW KONFIGURACYJNYCH PROGRAMU ░░▒▒▓▓█"_pl;
  c.con.write(0, static_cast<int>((80 - title.size()) / 2), title);

  db::WorkArea* config = openConfig(c);
  if (config == nullptr) {
    ui::QKE(c, notChanged());
    return;
  }
  rt::Value number = rt::Value::number(0, 2, 0);
  c.con.write(kTop, kLabelCol, "Numer parametru : ");
  if (!read(c, ui::getOn(kTop, kLabelCol + 18, number, "@Z 99"))) {
    c.workspace->closeAll();
    return;
  }
  const int position = number.isNumber() ? static_cast<int>(std::lround(number.num())) : 0;
  if (position < 1 || position > kMaxWidth) {
    c.workspace->closeAll();
    return;
  }
  const std::string wersja = variantOf(*config);
  const char old = static_cast<std::size_t>(position) <= wersja.size() ? wersja[position - 1] : ' ';
  c.con.write(kTop + 2, kLabelCol, "Aktualna wartość : "_pl + std::string(1, old));
  rt::Value value = rt::Value::character(" ");
  c.con.write(kTop + 4, kLabelCol, "Nowa wartość :    "_pl);
  if (!read(c, ui::getOn(kTop + 4, kLabelCol + 18, value, "@!")) || !passwordGiven(c)) {
    c.workspace->closeAll();
    return;
  }
  const char now = value.isText() && !value.text().empty() ? value.text()[0] : ' ';

  if (variantWidth(*config) < position) {
    c.workspace->closeAll();
    const base::Status widened = store::changeStructure(t, "CONFIG", [position](std::vector<store::FieldRow>& rows) {
      if (store::FieldRow* r = store::findRow(rows, "WERSJA")) r->length = position;
      else rows.push_back({"WERSJA", 'C', position, 0});
    });
    config = widened ? openConfig(c) : nullptr;
    if (config == nullptr) {
      c.workspace->closeAll();
      ui::QKE(c, notChanged());
      return;
    }
  }
  if (now == old) {
    c.workspace->closeAll();
    ui::QKE(c, notChanged());
    return;
  }
  config->goTop();
  if (config->eof()) (void)config->appendBlank();
  if (const base::Status s = config->replace("WERSJA", rt::Value::character(withVariant(variantOf(*config), position, now))); !s) {
    c.workspace->closeAll();
    ui::QKE(c, notChanged());
    return;
  }
  config->flush();
  c.workspace->closeAll();
  restart(c);
}

}  // namespace core
