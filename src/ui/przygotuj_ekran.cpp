// src/ui/przygotuj_ekran.cpp — the menu background, row by row. With L levels and R option
// rows (fill "░"; shadow cells are "░" in dark grey, d = 2(k-1) for level k):
//   0-2          header box across the screen, the header line centred in row 1
//   3            fill
//   4            "░░╔" 38x"═" "╗", 8 fill, operator "░░" station "░░" date, fill "hh:mm:ss" at
//                69, "░░" at 78; the running clock then keeps column 70 up to date
//   5            "░░║ " ... " ║" at 40, 2 shadow, fill
//   6+d          (level k) d+2 fill, "║ ╔" 38x"═" "╗", fill
//   7+d          (level k) d+2 fill, "╚═║ " ... " ║" at d+42, 2 shadow, fill
//   6+2L..6+R+2L the innermost body (one row more on the main menu): 2+2L fill, "║ " ...
//                " ║" at 40+2L, 2 shadow, fill
//   E = 7+R+2L   (+1 on the main menu) 2+2L fill, "╚" 38x"═" "╝", 2 shadow, fill
//   E+1          4+2L fill, 40 shadow, fill; fill on every further row up to 22
//   23           fill ending in the company name and "░░"; 24 fill
// Level k's title, centred in 36 columns, stands at row 5+d, column 4+d; the first row of the
// innermost window is blanked for its menu.
#include "ui/przygotuj_ekran.hpp"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "con/box.hpp"
#include "con/clock_display.hpp"
#include "rt/codepage.hpp"
#include "ui/halo.hpp"
#include "ui/modal_box.hpp"

namespace ui {
namespace {

using rt::literals::operator""_pl;

constexpr char kFill = '\xB0';       // ░
constexpr char kDoubleH = '\xCD';    // ═
constexpr int kLastBackgroundRow = 22;
constexpr int kWindowWidth = 38;     // the "═" of a window's edge

// One background row: characters and attributes built left to right from a column cursor.
class Row {
 public:
  Row(int row, con::Attr base, con::Attr shadow, char initial = ' ')
      : row_(row), base_(base), shadowAttr_(shadow) {
    chars_.fill(initial);
    attrs_.fill(base);
  }
  Row& at(int col) { col_ = col; return *this; }
  Row& fill(int n) { return repeat(kFill, n); }
  Row& repeat(char ch, int n) {
    for (int i = 0; i < n; ++i) put(ch, base_);
    return *this;
  }
  Row& text(std::string_view s) {
    for (char ch : s) put(ch, base_);
    return *this;
  }
  Row& shadow(int n) {
    for (int i = 0; i < n; ++i) put(kFill, shadowAttr_);
    return *this;
  }
  Row& fillToEnd() { return fill(std::max(0, 80 - col_)); }
  void draw(con::Console& con) const {
    int start = 0;
    for (int col = 1; col <= 80; ++col) {
      if (col < 80 && attrs_[static_cast<std::size_t>(col)] == attrs_[static_cast<std::size_t>(start)]) continue;
      con.writeCells(row_, start, std::string_view(chars_.data() + start, static_cast<std::size_t>(col - start)),
                     attrs_[static_cast<std::size_t>(start)]);
      start = col;
    }
  }

 private:
  void put(char ch, con::Attr attr) {
    if (col_ >= 0 && col_ < 80) {
      chars_[static_cast<std::size_t>(col_)] = ch;
      attrs_[static_cast<std::size_t>(col_)] = attr;
    }
    ++col_;
  }
  int row_;
  con::Attr base_, shadowAttr_;
  int col_ = 0;
  std::array<char, 80> chars_{};
  std::array<con::Attr, 80> attrs_{};
};

struct Painter {
  Context& c;
  con::Attr base;
  con::Attr shadow;
  Row row(int r, char initial = ' ') const { return Row(r, base, shadow, initial); }
};

std::string centred(std::string_view text, int w) {
  const std::string t = trimmed(text).substr(0, static_cast<std::size_t>(w));
  const int lead = (w - width(t)) / 2;
  return padRight(std::string(static_cast<std::size_t>(lead), ' ') + t, w);
}

std::string edge(char left, char right) { return left + std::string(kWindowWidth, kDoubleH) + right; }

void drawHeader(const Painter& p) {
  p.c.con.box({0, 0, 2, 79}, con::kDoubleFrame);
  p.c.con.writeCells(1, 1, centred("ZELMORAN  -  zamówienia i kontakty z klientami"_pl, 78), p.base);
  p.row(3).fillToEnd().draw(p.c.con);
}

void drawStatusRow(const Painter& p) {
  const sys::CivilTime now = p.c.con.time().now();
  char date[16];
  std::snprintf(date, sizeof date, "%02d.%02d.%04d", now.day, now.month, now.year);
  p.row(4, kFill)
      .fill(2).text(edge('\xC9', '\xBB')).fill(8)
      .text(p.c.text("_OPERATOR")).fill(2).text(p.c.text("NUMER_STAN")).fill(2).text(date)
      .at(78).fill(2)
      .at(69).fill(1).text(con::clockText(now))
      .draw(p.c.con);
  const std::string colours = p.c.text("_EKRA_BLO");
  const con::Attr clockAttr =
      colours.empty() ? p.base : con::parseColourEntry(std::string_view(colours).substr(0, colours.find(',')));
  p.c.con.startClock(4, 70, clockAttr);
}

// A body row of a window whose left edge is at `left`: "║ " there, " ║" 38 columns on.
void drawBodyRow(const Painter& p, int r, int left) {
  p.row(r).fill(left).text("\xBA ").at(left + kWindowWidth).text(" \xBA").shadow(2).fillToEnd().draw(p.c.con);
}

void drawNestedWindows(const Painter& p, int levels) {
  for (int k = 1; k <= levels; ++k) {
    const int d = 2 * (k - 1);
    p.row(6 + d).fill(d + 2).text("\xBA ").text(edge('\xC9', '\xBB')).fillToEnd().draw(p.c.con);
    p.row(7 + d).fill(d + 2).text("\xC8\xCD\xBA ").at(d + 42).text(" \xBA").shadow(2).fillToEnd().draw(p.c.con);
  }
}

void drawLogo(const Painter& p) {
  const std::string lines[] = {
      edge('\xC9', '\xBB').substr(0, 19) + "\xBB",
      "\xBA" + centred("Z E L M O R A N", 18) + "\xBA",
      "\xBA" + centred("zamówienia  i  CRM"_pl, 18) + "\xBA",
      "\xC8" + std::string(18, kDoubleH) + "\xBC",
  };
  for (int i = 0; i < 4; ++i) p.c.con.writeCells(6 + i, 56, lines[i], p.base);
}

void drawClosing(const Painter& p, int levels, int closingRow) {
  if (closingRow > kLastBackgroundRow) return;
  const int left = 2 + 2 * levels;
  p.row(closingRow).fill(left).text(edge('\xC8', '\xBC')).shadow(2).fillToEnd().draw(p.c.con);
  if (closingRow + 1 <= kLastBackgroundRow)
    p.row(closingRow + 1).fill(left + 2).shadow(40).fillToEnd().draw(p.c.con);
  for (int r = closingRow + 2; r <= kLastBackgroundRow; ++r) p.row(r).fillToEnd().draw(p.c.con);
}

void drawFooter(const Painter& p) {
  std::string company = trimmed(p.c.text("_FIRMA")) + "\xB0\xB0";
  if (company.size() > 80) company.resize(80);
  p.row(23).fill(80 - width(company)).text(company).draw(p.c.con);
  p.row(24).fillToEnd().draw(p.c.con);
}

void drawTitles(const Painter& p, int levels) {
  for (int k = 1; k <= levels; ++k) {
    const std::size_t i = static_cast<std::size_t>(k - 1);
    const std::string title = i < p.c.titles.size() ? p.c.titles[i].text : std::string();
    p.c.con.writeCells(5 + 2 * (k - 1), 4 + 2 * (k - 1), centred(title, 36), p.base);
  }
  if (levels >= 1) p.c.con.writeCells(6 + 2 * levels, 3 + 2 * levels, std::string(37, ' '), p.base);
}

}  // namespace

void PRZYGOTUJ_EKRAN(Context& c, int levels, int rows) {
  levels = std::max(levels, 0);
  rows = std::max(rows, 0);
  const bool mainMenu = levels == 0;
  const Painter p{c, c.con.attr(con::Slot::Standard),
                  static_cast<con::Attr>(c.display == Display::Colour ? 0x08 : 0x20)};
  c.con.beginUpdate();
  drawHeader(p);
  drawStatusRow(p);
  drawBodyRow(p, 5, 2);
  drawNestedWindows(p, levels);
  const int innerLeft = 2 + 2 * levels;
  const int lastBody = 6 + rows + 2 * levels + (mainMenu ? 1 : 0);
  for (int r = 6 + 2 * levels; r <= lastBody && r <= kLastBackgroundRow; ++r) drawBodyRow(p, r, innerLeft);
  drawClosing(p, levels, lastBody + 1);
  if (mainMenu) {
    drawLogo(p);
    showMainScreenMessages(c);
  }
  drawFooter(p);
  drawTitles(p, levels);
  c.con.endUpdate();
}

}  // namespace ui
