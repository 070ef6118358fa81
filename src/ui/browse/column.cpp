// src/ui/browse/column.cpp — building a column from its description record.
#include "ui/browse/column.hpp"

#include <algorithm>

#include "rt/transform.hpp"

namespace ui::browse {
namespace {

std::string valueText(const rt::Value& v) { return v.isText() ? v.text() : std::string(); }

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

}  // namespace

std::string descriptionText(rt::Runtime& rt, std::string_view raw) {
  if (raw.empty()) return {};
  if (raw.front() == '&') return valueText(rt.evaluate(raw.substr(1)));
  if (raw.size() >= 2 && (raw.front() == '"' || raw.front() == '\'') && raw.back() == raw.front())
    return std::string(raw.substr(1, raw.size() - 2));
  return std::string(raw);
}

std::vector<std::string> headingLines(std::string_view heading) {
  if (!heading.empty() && (heading.front() == '^' || heading.front() == '~')) heading.remove_prefix(1);
  std::vector<std::string> lines;
  for (;;) {
    const std::size_t semi = heading.find(';');
    lines.emplace_back(heading.substr(0, semi));
    if (semi == std::string_view::npos) break;
    heading.remove_prefix(semi + 1);
  }
  return lines;
}

bool hiddenWithoutPurchasePrices(std::string_view screenKey, const EditRecord& r) {
  const std::string_view pole = r.pole;
  if (contains(pole, "CENA_ZAK") || contains(pole, "WART_ZAK")) return true;
  if (contains(pole, "MARZA") && !contains(r.warunek, "MAR_CENS")) return true;
  if (screenKey == "DOKP" && contains(pole, "CENA_WAL")) return true;
  if (screenKey == "TOW" && contains(pole, "CENA_WAL ")) return true;
  return false;
}

Column buildColumn(rt::Runtime& rt, const EditRecord& r) {
  Column c;
  c.heading = headingLines(descriptionText(rt, r.nag1));
  const std::string label = descriptionText(rt, r.nag2);
  c.label = label.empty() ? descriptionText(rt, r.nag1) : label;
  if (!c.label.empty() && (c.label.front() == '^' || c.label.front() == '~')) c.label.erase(0, 1);
  std::replace(c.label.begin(), c.label.end(), ';', ' ');
  c.expression = !r.pole.empty() && r.pole.front() == '&' ? valueText(rt.evaluate(r.pole.substr(1))) : r.pole;
  if (!c.expression.empty()) c.value = rt.compile(c.expression);
  c.picture = descriptionText(rt, r.format);
  c.footing = r.stopka;
  c.kolejnosc = r.kolejnosc;
  c.warunek = r.warunek;
  c.slownik = r.slownik;
  c.wejscie = r.wejscie;
  c.powrot = r.powrot;
  c.komentarz = descriptionText(rt, r.komentarz);
  return c;
}

void measureColumn(rt::Runtime& rt, Column& col, const rt::Value& sample) {
  int width = 0;
  for (const std::string& line : col.heading) width = std::max(width, static_cast<int>(line.size()));
  const rt::Picture p = rt::parsePicture(col.picture);
  int pictureWidth = 0;
  if (p.scrollWidth > 0)
    pictureWidth = p.scrollWidth;
  else if (!p.tmpl.empty())
    pictureWidth = static_cast<int>(p.tmpl.size());
  else
    pictureWidth = static_cast<int>(displayText(rt, col, sample).size());
  col.width = std::clamp(std::max(width, pictureWidth), 1, 76);
}

std::string displayText(rt::Runtime& rt, const Column& col, const rt::Value& v) {
  if (v.isNil()) return {};
  if (v.type() == rt::Type::Memo) return "<memo>";
  return rt::transform(v, col.picture, rt.settings()).value_or(std::string());
}

}  // namespace ui::browse
