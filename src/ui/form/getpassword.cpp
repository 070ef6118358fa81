// src/ui/form/getpassword.cpp — the masked reader.
#include "ui/form/getpassword.hpp"

#include "con/colour.hpp"
#include "con/key_codes.hpp"
#include "ui/form/read_form.hpp"

namespace ui {
namespace {

namespace key = con::key;

// One key; the typed text follows what the field shows.
void apply(FieldEdit& f, std::string& typed, int k) {
  EditBuffer& b = f.buffer();
  if (k == key::kEsc) {
    f.setExit(Exit::Escape);
  } else if (k == key::kEnter || k == key::kIns) {
    f.applyKey(k);
  } else if (k == key::kBackspace) {
    if (!typed.empty()) typed.pop_back();
    b.backspace();
  } else if (k >= key::kSpace && k <= 255) {
    if (b.typedOut()) return;  // the field is full; it has already ended
    if (!b.type('*', TypeMode::Overwrite)) return;
    typed += static_cast<char>(k);
    if (b.typedOut()) f.setExit(Exit::Enter);
  }
}

}  // namespace

void GETPASSWORD(FieldEdit& f) {
  f.get().secret = true;
  f.buffer().clear();
  std::string typed;
  f.display();
  for (;;) {
    while (f.exit() == Exit::None) {
      apply(f, typed, f.readKey());
      f.display();
    }
    if (f.exit() == Exit::Escape) return;
    if (f.leaveWith(rt::Value::character(typed))) return;
  }
}

std::optional<std::string> readPassword(Context& c, const PasswordField& field) {
  rt::Value typed = rt::Value::character(std::string(static_cast<std::size_t>(field.width), ' '));
  Get g = getOn(field.row, field.col, typed, {});
  g.width = field.width;
  g.reader = GETPASSWORD;
  const std::string colour = field.colour.empty() ? con::formatColourEntry(c.con.attr(con::Slot::Standard)) : field.colour;
  g.colour = colour + "," + colour;
  if (!readOne(c, g).saved()) return std::nullopt;
  return typed.text();
}

}  // namespace ui
