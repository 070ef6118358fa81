// src/ui/form/read_form.hpp — reading a form: the fields one after another, each read by
// its own reader (CPGETREADER unless it names another), and reading one field in place
// (the table browser's cell editing).
//
// Moving between fields:
//   Enter               the next field; after the last one the form ends, saved
//   Down, Tab           the next field; on the last one the focus stays (see exitAtEdges)
//   Up, Shift+Tab       the previous field; on the first one the focus stays (see exitAtEdges)
//   PgUp, PgDn, Ctrl+W  the form ends, saved
//   Ctrl+Home           the first field
//   Esc                 the form ends; every variable the form changed gets back the value it
//                       had before, so the caller sees the old values
//   a full field        like Enter, unless the confirm setting is on
// A field that is display-only, or whose entry condition is false, is skipped in the
// direction of travel; skipping up past the first field turns down again, skipping down
// past the last one ends the form, saved.
#pragma once

#include <vector>

#include "ui/context.hpp"
#include "ui/form/get.hpp"

namespace ui {

struct ReadOptions {
  // Up/Down (Tab/Shift+Tab) beyond the first or last field end the reading, saved, instead
  // of keeping the focus (the classic READEXIT setting). Cell editing wants it on.
  bool exitAtEdges = false;
};

enum class FormEnd { Saved, Escaped };

struct ReadResult {
  FormEnd end = FormEnd::Saved;
  int lastKey = 0;       // the key that ended the reading (0: no field could take focus)
  bool updated = false;  // some variable was given a new value (and kept it)
  bool saved() const { return end == FormEnd::Saved; }
};

// Draws every field, then reads them as above.
ReadResult readForm(Context& c, std::vector<Get>& gets, const ReadOptions& options = {});

// One field at its own row, column and width: the form rules for a form of one field.
// Stable for the table browser: it builds a Get over the cell (Variable with its own getter
// and setter, width = the column's width) and moves on after Up/Down/Enter as lastKey says.
ReadResult readOne(Context& c, Get& get, const ReadOptions& options = {});

}  // namespace ui
