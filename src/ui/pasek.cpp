// src/ui/pasek.cpp — the progress bar. Its cells are written in the standard colour and
// the cursor does not move.
#include "ui/pasek.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include "ui/qpc.hpp"

namespace ui {
namespace {

constexpr int kBarRow = 24;

void fillRow(Context& c, unsigned char ch, int count) {
  c.con.writeCells(kBarRow, 0, std::string(static_cast<std::size_t>(std::clamp(count, 0, 80)), static_cast<char>(ch)),
                   c.con.attr(con::Slot::Standard));
}

unsigned char firstOr(std::string_view s, unsigned char fallback) {
  return s.empty() ? fallback : static_cast<unsigned char>(s.front());
}

// Half a second, without losing a key typed meanwhile.
void pause(Context& c) {
  if (!c.con.typeAheadEmpty()) return;
  if (const int k = c.con.inkey(con::KeyWait::seconds(0.5)); k != 0) c.con.pushKey(k);
}

void start(Context& c, unsigned char fill) {
  QPC(c, Switch::On);
  fillRow(c, fill, 80);
}

void finish(Context& c, unsigned char bar) {
  fillRow(c, bar, 80);
  pause(c);
  QPC(c, Switch::Off);
  fillRow(c, ' ', 80);
  c.setPublic("_TOTAL", rt::Value::number(0));
}

void advance(Context& c, double step, unsigned char bar) {
  ++c.progressSteps;
  const double total = c.number("_TOTAL");
  if (total == 0) return fillRow(c, bar, 80);
  const long every = std::max(1L, std::lround(step));
  if (c.progressSteps % every == 0 && c.progressSteps < total)
    fillRow(c, bar, static_cast<int>(std::floor(80.0 * c.progressSteps / total)));
}

}  // namespace

bool PASEK(Context& c, std::optional<double> step, std::string_view fill, std::string_view bar) {
  const unsigned char fillCh = firstOr(fill, kProgressFill);
  const unsigned char barCh = firstOr(bar, kProgressBar);
  if (step) {
    advance(c, *step, barCh);
  } else {
    if (c.progressSteps == 0)
      start(c, fillCh);
    else
      finish(c, barCh);
    c.progressSteps = 0;
  }
  return true;
}

}  // namespace ui
