// src/ui/form/cpgetreader.cpp — the program's field reader.
#include "ui/form/cpgetreader.hpp"

#include <algorithm>

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "rt/number_text.hpp"
#include "ui/trans0.hpp"

namespace ui {
namespace {

namespace key = con::key;

constexpr int kF8 = key::function(8);
constexpr std::size_t kIndexOption = 176;  // position 177 of _WERSJA
constexpr int kIndexDigits = 5;

bool onField(FieldEdit& f, const con::KeyEvent& e) {
  const Get& g = f.get();
  return e.row == g.row && e.col >= g.col && e.col < g.col + shownWidth(g, f.buffer());
}

bool isBlank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

// Rule 3: the goods index in five digits.
void indexForm(FieldEdit& f) {
  EditBuffer& b = f.buffer();
  const std::string options = f.context().text("_WERSJA");
  if (options.size() <= kIndexOption || options[kIndexOption] != 'E') return;
  if (b.kind() != FieldKind::Character || isBlank(b.text()) || b.size() < kIndexDigits) return;
  if (rt::upperCp852(f.get().var.name()).find("IND") == std::string::npos) return;
  b.setText(TRANS0(rt::val(b.text()).value, kIndexDigits));
}

}  // namespace

void CPGETREADER(FieldEdit& f) {
  EditBuffer& b = f.buffer();
  con::Console& con = f.context().con;
  bool pointTyped = false;
  f.display();
  for (;;) {
    while (f.exit() == Exit::None) {
      const int k = f.readKey();
      if (k == key::kMouseLeftDouble) {
        if (con.bindings().isBound(kF8) && onField(f, con.lastKeyEvent())) con.pushKey(kF8);
        continue;
      }
      if (b.kind() == FieldKind::Numeric && (k == '.' || k == ',')) pointTyped = true;
      f.applyKey(k);
      if (b.kind() == FieldKind::Numeric && !pointTyped) {
        b.blankCommas();
        f.display();
      }
    }
    if (f.exit() == Exit::Escape) return;
    indexForm(f);
    if (f.leave()) return;
  }
}

}  // namespace ui
