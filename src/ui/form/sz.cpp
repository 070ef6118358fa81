// src/ui/form/sz.cpp — zero-filling the focused field's text.
#include "ui/form/sz.hpp"

#include "rt/number_text.hpp"
#include "ui/form/field_edit.hpp"

namespace ui {
namespace {

void zeroFillFocusedField(Context& c) {
  if (c.form == nullptr || c.form->field == nullptr) return;
  const Variable& var = c.form->field->get().var;
  const rt::Value v = var.get();
  if (!v.isText() || v.text().find_first_not_of(' ') == std::string::npos) return;
  const int width = static_cast<int>(v.text().size());
  var.set(rt::Value::character(rt::strZero(rt::val(v.text()).value, width)));
}

}  // namespace

bool SZ(Context& c) {
  zeroFillFocusedField(c);
  return true;
}

bool SP(Context& c) {
  zeroFillFocusedField(c);
  return true;
}

}  // namespace ui
