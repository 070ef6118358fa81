// src/ui/browse/column.hpp — one column of a list screen: the description record of the
// EDIT table as read (EditRecord) and the column the engine draws and edits (Column).
// Not here: reading the EDIT table and choosing a layout's records (edit_table.cpp).
//
// Texts of NAG1, NAG2, FORMAT and KOMENTARZ: a leading "&" makes the rest an expression
// evaluated once when the column is built; a text in quotes is the text inside them; any
// other text is taken literally. POLE with a leading "&" is evaluated to obtain the
// expression text. Headings split into lines at ";"; a leading "^" or "~" is dropped.
// The column width is the larger of the widest heading line and the picture's width.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rt/expression.hpp"
#include "rt/runtime.hpp"

namespace ui::browse {

struct EditRecord {
  std::string nag1, nag2, pole, format, stopka, warunek, slownik, wejscie, powrot, komentarz;
  int kolejnosc = 0;
};

struct Column {
  std::vector<std::string> heading;  // lines of the table view heading
  std::string label;                 // row label of the card view
  std::string expression;            // the value expression; empty shows an empty text
  rt::ExprRef value;                 // compiled; null for an empty expression
  std::string picture;
  std::string footing;               // STOPKA expression; empty: none
  int kolejnosc = 0;
  std::string warunek, slownik, wejscie, powrot;
  std::string komentarz;
  int width = 0;
};

// The text of a NAG1/NAG2/FORMAT/KOMENTARZ entry under the "&" rules.
std::string descriptionText(rt::Runtime& rt, std::string_view raw);

// The heading lines of a NAG1 text: split at ";", a leading "^" or "~" removed.
std::vector<std::string> headingLines(std::string_view heading);

// True when an operator who may not see purchase prices must not see the column.
bool hiddenWithoutPurchasePrices(std::string_view screenKey, const EditRecord& r);

// Builds a column, evaluating its "&" texts now. `sample` is the column's value on the
// current record, used for the width when the picture does not fix one.
Column buildColumn(rt::Runtime& rt, const EditRecord& r);
void measureColumn(rt::Runtime& rt, Column& col, const rt::Value& sample);

// The display text of a value under a column's picture.
std::string displayText(rt::Runtime& rt, const Column& col, const rt::Value& v);

}  // namespace ui::browse
