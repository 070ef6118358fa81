// src/core/config/grupa_ok.cpp — GRUPA_OK.
#include "core/config/grupa_ok.hpp"

#include <algorithm>
#include <string>

#include "rt/codepage.hpp"
#include "ui/qke.hpp"

namespace core {

using rt::literals::operator""_pl;

namespace {

// A run of digits as a number; an empty run is 0. Long runs saturate (they are above any
// limit anyway).
int numberOf(std::string_view digits) {
  long v = 0;
  for (char ch : digits) v = std::min(v * 10 + (ch - '0'), 1'000'000L);
  return static_cast<int>(v);
}

}  // namespace

std::optional<std::vector<int>> parseGroupSelection(std::string_view text, int highest) {
  const int limit = highest > 99 ? 999 : 99;
  std::string s;
  for (char ch : text)
    if (ch != ' ') s += ch;
  if (s.find_first_not_of("0123456789,-") != std::string::npos) return std::nullopt;
  std::vector<int> chosen;
  const auto addRange = [&](int from, int to, bool evenIfChosen) {
    for (int n = from; n <= to; ++n)
      if (evenIfChosen || std::find(chosen.begin(), chosen.end(), n) == chosen.end()) chosen.push_back(n);
  };
  std::size_t start = 0;
  while (start <= s.size()) {
    const std::size_t end = std::min(s.find(',', start), s.size());
    const std::string_view part = std::string_view(s).substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;  // "1,,2" and a trailing comma choose nothing more
    const auto minuses = std::count(part.begin(), part.end(), '-');
    if (minuses > 1) return std::nullopt;
    if (minuses == 0) {
      const int n = numberOf(part);
      if (n > limit) return std::nullopt;
      addRange(n, n, false);
      continue;
    }
    const std::size_t dash = part.find('-');
    const std::string_view a = part.substr(0, dash), b = part.substr(dash + 1);
    if (a.empty() && b.empty()) {
      addRange(1, highest, true);
    } else if (a.empty()) {
      if (numberOf(b) > limit) return std::nullopt;
      addRange(1, numberOf(b), true);
    } else if (b.empty()) {
      addRange(numberOf(a), highest, false);
    } else {
      if (numberOf(b) > limit) return std::nullopt;
      addRange(numberOf(a), numberOf(b), false);
    }
  }
  return chosen;
}

bool GRUPA_OK(ui::Context& c, std::string_view text, int highest, std::vector<int>& chosen) {
  auto parsed = parseGroupSelection(text, highest);
  if (parsed) {
    chosen = std::move(*parsed);
    return true;
  }
  chosen.clear();
  c.con.tone(220, 1);
  // Two digits at least; a larger highest number is shown whole rather than as asterisks.
  std::string top = std::to_string(highest);
  if (top.size() < 2) top.insert(0, 2 - top.size(), ' ');
  ui::QkeOptions box;
  box.second = "grup oddzielone przecinkami. Przykłady: 7  2,3-5  1,2,6. Maksym. grupa : "_pl + top;
  ui::QKE(c, "Błędna selekcja !  Należy zostawić puste pole lub wpisać grupy i przedziały"_pl, box);
  return false;
}

}  // namespace core
