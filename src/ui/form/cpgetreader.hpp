// src/ui/form/cpgetreader.hpp — CPGETREADER, the program's reader of every form field: the
// standard reading of one field (field_edit.hpp) with three rules of its own:
//   1. a double click of the left mouse button on the field, while F8 is bound (a lookup
//      is offered), puts F8 into the keyboard buffer, so that the lookup opens;
//   2. in a numeric field every thousands comma of the buffer turns into a blank after each
//      key, until "." or "," has been typed in the field; from then on the buffer stays as
//      typed;
//   3. when the options string _WERSJA has "E" at position 177, a text field whose variable
//      name holds "IND" and whose buffer is not blank is left holding its number in five
//      digits with leading zeros (the goods index form, "123" -> "00123").
// A value the validation refuses keeps the focus, as for every field.
#pragma once

#include "ui/form/field_edit.hpp"

namespace ui {

void CPGETREADER(FieldEdit& field);

}  // namespace ui
