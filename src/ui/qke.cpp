// src/ui/qke.cpp — the acknowledged message boxes. Width w is the widest of the texts
// (padded with a blank each side) and the footer; the frame stands one column outside the
// text on each side and one row above it; the footer is centred on the bottom edge.
#include "ui/qke.hpp"

#include <algorithm>

#include "con/key_codes.hpp"
#include "ui/modal_box.hpp"

namespace ui {
namespace {

constexpr std::size_t kMaxLines = 23;

std::string footerFor(std::string_view footer, Esc esc) {
  return esc == Esc::Allowed ? std::string("ENTER/ESC") : std::string(footer);
}

// Waits for Enter, or Enter / Esc when Esc is allowed; sets _KY in the latter case.
void awaitAcknowledgement(Context& c, Esc esc) {
  for (;;) {
    const int k = c.con.inkey(con::KeyWait::forever());
    if (k == con::key::kEnter || (esc == Esc::Allowed && k == con::key::kEsc)) {
      if (esc == Esc::Allowed) c.setPublic("_KY", rt::Value::integer(k));
      return;
    }
  }
}

}  // namespace

void QKE(Context& c, std::string_view text, const QkeOptions& o) {
  const std::string footer = footerFor(o.footer, o.esc);
  const std::string first = padded(text);
  const bool two = !o.second.empty();
  const std::string second = two ? padded(o.second) : std::string();
  const int w = std::max({width(first), width(footer), width(second)});
  const int left = centredLeft(w);
  const int r = o.row;
  const int bottom = two ? r + 2 : r + 1;
  ModalBox box(c.con, {r - 1, left - 1, bottom, left + w}, o.colour);
  c.con.write(bottom, footerColumn(left, w, width(footer)), footer);
  c.con.write(r, left, padRight(first, w));
  if (two) c.con.write(r + 1, left, padRight(second, w));
  awaitAcknowledgement(c, o.esc);
}

void QKE_ARR(Context& c, const std::vector<std::string>& all, std::string_view colour, std::string_view footerText,
             Esc esc) {
  const std::vector<std::string> lines(all.begin(), all.begin() + std::min(all.size(), kMaxLines));
  const std::string footer = footerFor(footerText, esc);
  int w = width(footer);
  for (const std::string& l : lines) w = std::max(w, width(l));
  const int n = static_cast<int>(lines.size());
  const int h = n / 2;
  const int left = centredLeft(w);
  const int top = kMiddleRow - h - 1;
  const int bottom = kMiddleRow + (n - h);
  ModalBox box(c.con, {top, left - 1, bottom, left + w}, colour);
  c.con.write(bottom, footerColumn(left, w, width(footer)), footer);
  for (int i = 1; i <= n; ++i) c.con.write(top + i, left, padRight(lines[static_cast<std::size_t>(i - 1)], w));
  awaitAcknowledgement(c, esc);
}

}  // namespace ui
