// src/ui/form/getpassword.hpp — GETPASSWORD, the masked reader of password fields: the
// typed text is kept apart from the field, which shows one "*" per typed character.
//   Esc                ends, the variable unchanged
//   a key 32..255      the character is added to the typed text, "*" typed into the field;
//                      typing past the end of the field ends it as if confirmed
//   Backspace          the last typed character is dropped, and one "*"
//   Enter              ends the field
//   Insert             toggles the forms' insert mode, as in every field
// On leaving, the typed text (not the stars) goes into the variable and the validation runs;
// a refused value keeps the reading going. The field starts blank, whatever the variable
// holds, and is marked secret, so a form never draws the stored text in clear.
//
// readPassword is the one masked entry of the program outside a form: a field of its own,
// read by GETPASSWORD, e.g. the special-password prompt's six characters in white on white:
//   const std::optional<std::string> typed = ui::readPassword(c, {21, 37, 6, "W/W"});
#pragma once

#include <optional>
#include <string>

#include "ui/form/field_edit.hpp"

namespace ui {

void GETPASSWORD(FieldEdit& field);

struct PasswordField {
  int row = 0, col = 0, width = 6;
  std::string colour;  // one colour entry, selected or not; empty: the console's standard colour
};

// The typed text (not padded, any case), or nullopt after Esc. Keys already waiting in the
// keyboard buffer are typed first (a key that opened the entry).
std::optional<std::string> readPassword(Context& c, const PasswordField& field);

}  // namespace ui
