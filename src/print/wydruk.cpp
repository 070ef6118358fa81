// src/print/wydruk.cpp — the list printout.
#include "print/wydruk.hpp"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "con/key_codes.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "ui/browse/column.hpp"
#include "ui/browse/edit_table.hpp"
#include "ui/qke.hpp"
#include "ui/qtn.hpp"

namespace print {
namespace {

using rt::literals::operator""_pl;
using ui::browse::Column;

constexpr int kKeyCheckEvery = 256;

std::string fitted(std::string s, int width) {
  s.resize(static_cast<std::size_t>(std::max(width, 0)), ' ');
  return s;
}

class ListLayout {
 public:
  ListLayout(ui::Context& c, const ListPrint& list, Printer& p, std::vector<Column> columns)
      : c_(c), list_(list), p_(p), cols_(std::move(columns)), full_(p.setup().frames == 1) {
    for (const Column& col : cols_) {
      headingLines_ = std::max(headingLines_, static_cast<int>(col.heading.size()));
      footings_ = footings_ || !col.footing.empty();
    }
  }

  void run(db::WorkArea* area) {
    c_.setPublic("_LPORZ", rt::Value::number(0));
    heading();
    if (area == nullptr) return ending();
    long rows = 0;
    for (area->goTop(); !area->eof() && !p_.stopRequested(); area->skip()) {
      if (p_.linesLeft() < 2) pageBreak();
      row();
      if (list_.eachLine) list_.eachLine(p_);
      if (++rows % kKeyCheckEvery == 0) checkEsc();
    }
    if (!p_.stopRequested()) ending();
  }

 private:
  // "|" or " " between columns (and around them with full frames).
  std::string line(const std::vector<std::string>& cells, char separator) const {
    std::string s;
    if (full_) s += separator;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i > 0) s += separator;
      s += fitted(cells[i], cols_[i].width);
    }
    if (full_) s += separator;
    return s;
  }

  std::string rule() const {
    std::vector<std::string> dashes;
    for (const Column& col : cols_) dashes.emplace_back(static_cast<std::size_t>(col.width), '-');
    std::string s = line(dashes, full_ ? '+' : ' ');
    if (!full_) std::replace(s.begin(), s.end(), ' ', '-');
    return s;
  }

  void writeLine(const std::string& s) {
    p_.write(s);
    p_.newLine();
  }

  void titleLines() {
    std::string title = list_.title;
    if (p_.page() > 1) title += " (cd.)";
    char page[24];
    std::snprintf(page, sizeof page, "Strona %3d", p_.page());
    p_.attribute(Attribute::Bold, true);
    p_.write(title);
    p_.attribute(Attribute::Bold, false);
    p_.at(p_.prow(), std::max(p_.pcol() + 1, p_.rightMargin() - static_cast<int>(std::strlen(page)) + 1), page);
    p_.newLine();
    const rt::LocalTime now = c_.rt.now();
    char when[48];
    const rt::Ymd d = now.date.ymd();
    std::snprintf(when, sizeof when, "Data wydruku: %02d.%02d.%04d %02d:%02d", d.day % 100, d.month % 100,
                  d.year % 10000, now.hour % 100, now.minute % 100);
    p_.write(when);
    if (p_.printoutNumber() > 0) {
      const std::string number = "Wydruk nr " + std::to_string(p_.printoutNumber());
      p_.at(p_.prow(), std::max(p_.pcol() + 1, p_.rightMargin() - static_cast<int>(number.size()) + 1), number);
    }
    p_.newLine();
  }

  void heading() {
    titleLines();
    if (list_.pageHeader) {
      list_.pageHeader(p_);
      if (p_.pcol() > 0) p_.newLine();
    }
    p_.newLine();
    writeLine(rule());
    for (int i = 0; i < headingLines_; ++i) {
      std::vector<std::string> cells;
      for (const Column& col : cols_)
        cells.push_back(static_cast<std::size_t>(i) < col.heading.size() ? col.heading[static_cast<std::size_t>(i)] : "");
      const bool underline = p_.setup().underlines && i == headingLines_ - 1;
      if (underline) p_.attribute(Attribute::Underline, true);
      p_.write(line(cells, full_ ? '|' : ' '));
      if (underline) p_.attribute(Attribute::Underline, false);
      p_.newLine();
    }
    if (!p_.setup().underlines) writeLine(rule());
  }

  void pageBreak() {
    writeLine(rule());
    const std::string more = " - cd.";
    p_.at(p_.prow(), std::max(0, static_cast<int>(rule().size()) - static_cast<int>(more.size())), more);
    p_.formFeed();
    heading();
  }

  void row() {
    cells_.clear();
    for (const Column& col : cols_) {
      const rt::Value v = col.value ? c_.rt.eval(*col.value) : rt::Value::character("");
      cells_.push_back(ui::browse::displayText(c_.rt, col, v));
    }
    writeLine(line(cells_, full_ ? '|' : ' '));
  }

  void ending() {
    if (p_.linesLeft() < 3 + (footings_ ? 1 : 0)) pageBreak();
    writeLine(rule());
    if (footings_) {
      std::vector<std::string> cells;
      for (const Column& col : cols_)
        cells.push_back(col.footing.empty() ? "" : ui::browse::displayText(c_.rt, col, c_.rt.evaluate(col.footing)));
      writeLine(line(cells, full_ ? '|' : ' '));
    }
    if (list_.footer) {
      list_.footer(p_);
      if (p_.pcol() > 0) p_.newLine();
    }
    const std::string end = "- koniec -";
    p_.at(p_.prow(), std::max(0, (static_cast<int>(rule().size()) - static_cast<int>(end.size())) / 2), end);
    p_.newLine();
  }

  void checkEsc() {
    if (c_.con.inkey(con::KeyWait::none()) != con::key::kEsc) return;
    if (ui::QTN(c_, "Przerwać wydruk ?"_pl)) p_.requestStop();
  }

  ui::Context& c_;
  const ListPrint& list_;
  Printer& p_;
  std::vector<Column> cols_;
  bool full_;
  int headingLines_ = 0;
  bool footings_ = false;
  std::vector<std::string> cells_;
};

std::optional<std::vector<Column>> columnsOf(ui::Context& c, const ListPrint& list) {
  auto layouts = ui::browse::readLayouts(c, list.screen, {list.layout.empty() ? "V0" : list.layout});
  if (!layouts || layouts->empty()) return std::nullopt;
  std::vector<Column> cols;
  for (const ui::browse::EditRecord& r : layouts->front()) {
    Column col = ui::browse::buildColumn(c.rt, r);
    const rt::Value sample = col.value ? c.rt.eval(*col.value) : rt::Value::character("");
    ui::browse::measureColumn(c.rt, col, sample);
    cols.push_back(std::move(col));
  }
  return cols;
}

}  // namespace

bool printList(ui::Context& c, const ListPrint& list, Printer& p) {
  db::WorkArea* area = c.workspace != nullptr ? c.workspace->current() : nullptr;
  const std::uint32_t start = area != nullptr ? area->recno() : 0;
  if (area != nullptr) area->goTop();  // the first record sizes the columns
  auto cols = columnsOf(c, list);
  if (cols) ListLayout(c, list, p, std::move(*cols)).run(area);
  if (area != nullptr) area->goTo(start);
  return cols.has_value();
}

PrintResult WYDRUK(ui::Context& c, const ListPrint& list) {
  ui::RoutineScope routine(c, "WYDRUK");
  if (!ui::browse::readLayouts(c, list.screen, {list.layout.empty() ? "V0" : list.layout})) {
    ui::QKE(c, "Błąd wewnętrzny - brak BAZY w kartotece EDIT"_pl);
    c.setPublic("_NIEKONCZ", rt::Value::logical(false));
    return {false, true};
  }
  return DRUKUJ(c, list.report, list.title, [&](Printer& p) {
    if (!printList(c, list, p)) p.requestStop();
  });
}

}  // namespace print
