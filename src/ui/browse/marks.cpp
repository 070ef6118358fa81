// src/ui/browse/marks.cpp — marked rows and the running total. The marks are the record
// numbers in the public _ZAZNACZONE (so the caller can act on them after the browse), at
// most 1001 of them. Marking adds the current column's value to the total and unmarking
// takes it off again; the total stands right-aligned on row 0.
#include <algorithm>
#include <cmath>

#include "rt/number_text.hpp"
#include "rt/transform.hpp"
#include "ui/browse/engine.hpp"

namespace ui::browse {
namespace {

constexpr std::size_t kMaxMarks = 1001;
constexpr std::string_view kTotalPicture = "@E 999,999,999,999.99";

struct Amount {
  double value = 0;
  int decimals = 0;
};

// A number counts as it is; a text in a European picture has its thousands dots dropped
// and its decimal comma read as a point.
Amount amountOf(const rt::Value& v, const std::string& picture) {
  if (v.isNumber()) return {v.num(), v.numberParts().decimals};
  if (!v.isText()) return {};
  std::string text = v.text();
  if (rt::parsePicture(picture).european || picture.find('E') != std::string::npos) {
    text.erase(std::remove(text.begin(), text.end(), '.'), text.end());
    std::replace(text.begin(), text.end(), ',', '.');
  }
  text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
  const rt::Number n = rt::val(text);
  return {n.value, n.decimals};
}

}  // namespace

bool Engine::marked(std::uint32_t recno) const {
  const rt::Value v = c_.rt.vars().get("_ZAZNACZONE");
  if (!v.isArray()) return false;
  return std::any_of(v.array()->begin(), v.array()->end(),
                     [recno](const rt::Value& e) { return e.isNumber() && e.num() == recno; });
}

void Engine::toggleMark() {
  if (area_.eof()) return;
  rt::Value list = c_.rt.vars().get("_ZAZNACZONE");
  if (!list.isArray()) {
    list = rt::Value::newArray();
    c_.setPublic("_ZAZNACZONE", list);
  }
  rt::Array& marks = *list.array();
  const std::vector<Column>& cols = currentColumns();
  const int current = view_ == ViewKind::Table ? column_ : cardField_;
  Amount amount;
  if (current >= 0 && current < static_cast<int>(cols.size()))
    amount = amountOf(evalColumn(cols[static_cast<std::size_t>(current)]), cols[static_cast<std::size_t>(current)].picture);
  const double recno = area_.recno();
  const auto here = std::find_if(marks.begin(), marks.end(), [recno](const rt::Value& e) { return e.isNumber() && e.num() == recno; });
  if (here != marks.end()) {
    marks.erase(here);
    total_ -= amount.value;
  } else if (marks.size() < kMaxMarks) {
    marks.push_back(rt::Value::integer(recno));
    total_ += amount.value;
    totalDecimals_ = std::max(totalDecimals_, amount.decimals);
  }
  area_.skip(1);
  if (area_.eof())
    area_.skip(-1);
  else if (view_ == ViewKind::Table)
    rowPos_ = std::min(rowPos_ + 1, dataHeight() - 1);
}

void Engine::clearMarks() {
  const rt::Value list = c_.rt.vars().get("_ZAZNACZONE");
  if (list.isArray()) list.array()->clear();
  total_ = 0;
  totalDecimals_ = 2;
  c_.con.restore({0, 0, 0, con::kCols - 1}, savedScreen_.substr(0, con::kCols * 2));
}

void Engine::drawTotal() {
  const rt::Value list = c_.rt.vars().get("_ZAZNACZONE");
  if (!list.isArray() || list.array()->empty()) return;
  std::string picture(kTotalPicture);
  picture.append(static_cast<std::size_t>(std::max(0, totalDecimals_ - 2)), '9');
  const double rounded = std::round(total_ * std::pow(10.0, totalDecimals_)) / std::pow(10.0, totalDecimals_);
  const std::string text =
      rt::transform(rt::Value::number(rounded, 15, totalDecimals_), picture, c_.rt.settings()).value_or(std::string());
  const int col = con::kCols - static_cast<int>(text.size());
  c_.con.restore({0, 0, 0, con::kCols - 1}, savedScreen_.substr(0, con::kCols * 2));
  c_.con.writeCells(0, std::max(0, col), text, colourAttr(1));
}

}  // namespace ui::browse
