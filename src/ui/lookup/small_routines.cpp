// src/ui/lookup/small_routines.cpp — ADJUSTNAME, ADDFILTER, PRINTCONT.
#include "ui/lookup/small_routines.hpp"

#include "db/workspace.hpp"
#include "ui/lookup/lookup.hpp"

namespace ui::lookup {
namespace {

std::string_view trimmed(std::string_view s) {
  const std::size_t a = s.find_first_not_of(' ');
  if (a == std::string_view::npos) return {};
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

}  // namespace

std::string ADJUSTNAME(std::string_view name, std::string_view extension) {
  if (name.empty() || extension.empty() || name.find('.') != std::string_view::npos) return std::string(name);
  return std::string(trimmed(name)) + "." + std::string(extension);
}

std::string joinedFilter(std::string_view current, std::string_view condition, std::string_view joiner) {
  const std::string_view now = trimmed(current), added = trimmed(condition);
  if (now.empty()) return std::string(added);
  if (added.empty()) return std::string(now);
  return "(" + std::string(now) + ")" + std::string(joiner) + "(" + std::string(added) + ")";
}

void ADDFILTER(db::WorkArea& area, std::string_view condition, std::string_view joiner) {
  const std::string text = joinedFilter(area.filter().text, condition, joiner);
  if (text.empty()) {
    area.clearFilter();
    return;
  }
  db::Expr e = area.workspace().compile(text);
  e.text = text;
  area.setFilter(std::move(e));
}

void PRINTCONT(Context& c, std::string_view text) {
  State& s = stateOf(c);
  if (s.printAtPosition) s.printAtPosition(c, text);
}

}  // namespace ui::lookup
