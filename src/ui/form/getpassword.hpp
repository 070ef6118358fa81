// src/ui/form/getpassword.hpp — GETPASSWORD, the masked reader of password fields: the
// typed text is kept apart from the field, which shows one "*" per typed character.
//   Esc                ends, the variable unchanged
//   a key 32..255      the character is added to the typed text, "*" typed into the field;
//                      typing past the end of the field ends it as if confirmed
//   Backspace          the last typed character is dropped, and one "*"
//   Enter              ends the field
// On leaving, the typed text (not the stars) goes into the variable and the validation runs;
// a refused value keeps the reading going. The field starts blank, whatever the variable
// holds, and is marked secret, so a form never draws the stored text in clear.
#pragma once

#include "ui/form/field_edit.hpp"

namespace ui {

void GETPASSWORD(FieldEdit& field);

}  // namespace ui
