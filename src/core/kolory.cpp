// src/core/kolory.cpp — the row colour choosers.
#include "core/kolory.hpp"

#include <cstdlib>
#include <string>

#include "core/current_record.hpp"

namespace core {
namespace {

constexpr int kNormal = 1;

std::optional<double> numberOf(db::WorkArea* area, std::string_view field) {
  const std::optional<rt::Value> v = fieldOf(area, field);
  if (!v || !v->isNumber()) return std::nullopt;
  return v->num();
}

std::optional<std::string> textOf(db::WorkArea* area, std::string_view field) {
  const std::optional<rt::Value> v = fieldOf(area, field);
  if (!v || !v->isText()) return std::nullopt;
  return v->text();
}

bool startsWith(const std::optional<std::string>& text, std::string_view prefix) {
  return text && text->compare(0, prefix.size(), prefix) == 0;
}

// The value of the digits a text starts with, after leading blanks ("12 " -> 12, "PH" -> 0).
double valueOf(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

int stageColour(db::WorkArea* area) {
  const std::optional<std::string> stage = textOf(area, "ETAP");
  if (!stage) return kNormal;
  if (valueOf(*stage) > 0) return 11;
  if (startsWith(stage, "M")) return 9;
  if (startsWith(stage, "G")) return 12;
  return kNormal;
}

}  // namespace

int rowColour(ui::Context& c) {
  db::WorkArea* a = selectedArea(c);
  if (auto v = numberOf(a, "STAN_PH"); v && *v > 0) return 12;
  if (auto v = numberOf(a, "STAN"); v && *v == 0) return 9;
  const auto debit = numberOf(a, "WN_ODB"), credit = numberOf(a, "MA_ODB");
  if (debit && credit && *debit - *credit > 0) return 10;
  const std::optional<std::string> service = textOf(a, "USLUGA");
  if (startsWith(service, "+")) return 10;
  if (startsWith(service, "!")) return 11;
  return kNormal;
}

int rowColourByBalance(ui::Context& c) {
  db::WorkArea* a = selectedArea(c);
  const std::optional<double> debit = numberOf(a, "WN");
  if (!debit) return kNormal;
  const std::optional<rt::Value> due = fieldOf(a, "DATA_PLA");
  const bool overdue = due && due->isDate() && due->date() < c.rt.now().date;
  if (*debit > 0 && overdue) return 9;
  if (*debit < 0) return 12;
  return kNormal;
}

int rowColourByStage(ui::Context& c) { return stageColour(selectedArea(c)); }

int rowColourByOrderStage(ui::Context& c) { return stageColour(areaNamed(c, "EWIZAM")); }

int rowColourByDelivery(ui::Context& c) {
  db::WorkArea* a = selectedArea(c);
  const std::optional<double> ordered = numberOf(a, "ILO_ZAM"), delivered = numberOf(a, "ILO_FAK");
  if (ordered && delivered && *ordered != *delivered) return 9;
  return kNormal;
}

rt::Value colourPair(int n) {
  rt::Value pair = rt::Value::newArray(2);
  (*pair.array())[0] = rt::Value::integer(n);
  (*pair.array())[1] = rt::Value::integer(2);
  return pair;
}

}  // namespace core
