// src/core/config/ustaw_druk.cpp — USTAW_DRUK.
#include "core/config/ustaw_druk.hpp"

#include <array>
#include <string_view>
#include <vector>

#include "base/check.hpp"
#include "base/fault.hpp"
#include "core/station_print_settings.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "store/use.hpp"
#include "ui/form/read_form.hpp"
#include "ui/operation.hpp"
#include "ui/qke.hpp"

namespace core {

using rt::literals::operator""_pl;

namespace {

constexpr int kTop = 9;
constexpr int kLabelCol = 20;
constexpr int kFieldCol = kLabelCol + 16;

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

bool isAnyOf(std::string_view s, std::initializer_list<std::string_view> choices) {
  for (std::string_view c : choices)
    if (s == c) return true;
  return false;
}

bool conversionValid(std::string_view from, std::string_view to) {
  if (from.empty() && to.empty()) return true;
  if (!isAnyOf(from, {"MAZ", "LAT"})) return false;
  return isAnyOf(to, {"MAZ", "LAT", "STD", ""}) && to != from;
}

bool controlCodesValid(std::string_view codes) {
  if (codes.empty()) return true;
  if (codes.find_first_not_of("0123456789/,") != std::string_view::npos) return false;
  const auto separator = [](char ch) { return ch == ',' || ch == '/'; };
  return !separator(codes.front()) && !separator(codes.back());
}

rt::Value padded(const std::string& s, std::size_t width) {
  std::string t = s.substr(0, width);
  t.resize(width, ' ');
  return rt::Value::character(std::move(t));
}

// D4.
void writeSettings(ui::Context& c, ui::Operation& op, const PrintSettings& s) {
  store::Tables& t = *c.tables;
  const std::string name = t.stationFolder() + "PARADRUK";
  copyPrintSettings(t);
  if (!t.ws.env().exists(t.tablePath(name))) {
    ui::QKE(c, "Brak pliku "_pl + name + ".DBF");
    return;
  }
  db::WorkArea* opened = op.use(name, "E!");
  if (opened == nullptr) return;
  db::WorkArea& area = *opened;
  const std::array<std::pair<const char*, rt::Value>, 4> values = {{
      {"TRYB", rt::Value::character(s.mode)},
      {"PORT", rt::Value::character(s.port)},
      {"KONWERSJA", rt::Value::character(s.from + s.to)},
      {"KODY", rt::Value::character(s.codes)},
  }};
  base::Status status;
  for (std::uint32_t r = 1; status && r <= area.lastRec(); ++r) {
    area.goTo(r);
    for (const auto& [field, value] : values) {
      if (!area.fieldIndex(field)) continue;
      status = area.replace(field, value);
      if (!status) break;
    }
  }
  if (status) area.commit();
  op.closeTables();
  if (!status) throw base::IoFault(t.tablePath(name), status.toString());
}

}  // namespace

bool printSettingsValid(const PrintSettings& s) {
  const std::string mode = trimmed(s.mode), port = trimmed(s.port);
  if (!isAnyOf(mode, {"ESC/P", "IBM", "HPPCL"})) return false;
  if (port.size() != 4 || port.compare(0, 3, "LPT") != 0 || port[3] < '1' || port[3] > '9') return false;
  return conversionValid(trimmed(s.from), trimmed(s.to)) && controlCodesValid(trimmed(s.codes));
}

bool USTAW_DRUK(ui::Context& c) {
  ZEL_CHECK(c.tables != nullptr);
  ui::RoutineScope scope(c, "USTAW_DRUK");
  const std::string saved = c.con.save();
  const con::Cursor cursor = c.con.cursor();
  ui::Operation op(c, "USTAWIANIE GLOBALNYCH PARAMETRÓW WYDRUKÓW"_pl);
  rt::Value mode = padded("", 5), port = padded("", 4), from = padded("", 3), to = padded("", 3), codes = padded("", 30);
  for (;;) {
    c.con.clearFrom(1, 0);
    c.con.write(kTop, kLabelCol, "Tryb drukarki:  ");
    c.con.write(kTop + 1, kLabelCol, "Port drukarki:  ");
    c.con.write(kTop + 2, kLabelCol, "Konwersja:      ");
    c.con.write(kTop + 2, kFieldCol + 3, "->");
    c.con.write(kTop + 3, kLabelCol, "Kody sterujące: "_pl);
    std::vector<ui::Get> gets{ui::getOn(kTop, kFieldCol, mode, "@!"), ui::getOn(kTop + 1, kFieldCol, port, "@!"),
                              ui::getOn(kTop + 2, kFieldCol, from, "@!"), ui::getOn(kTop + 2, kFieldCol + 5, to, "@!"),
                              ui::getOn(kTop + 3, kFieldCol, codes, "")};
    if (!ui::readForm(c, gets).saved()) break;
    const PrintSettings s{mode.text(), port.text(), from.text(), to.text(), codes.text()};
    if (printSettingsValid(s)) {
      writeSettings(c, op, s);
      break;
    }
    ui::QKE(c, "PODANO BŁĘDNE PARAMETRY !"_pl);
  }
  c.con.restore(con::Rect::whole(), saved);
  c.con.moveCursor(cursor.row, cursor.col);
  return true;
}

}  // namespace core
