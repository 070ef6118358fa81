// src/master/internal/info_window.cpp — the frame of the information windows.
#include "master/internal/info_window.hpp"

#include "con/key_codes.hpp"
#include "db/workspace.hpp"
#include "ui/call.hpp"

namespace master {
namespace {

con::HotKeyHandler byName(ui::Context& c, const char* routine) {
  return [&c, routine](const con::HotKeyCall& call) {
    ui::call(c, routine, {rt::Value::character(call.procedure), rt::Value::number(call.line),
                          rt::Value::character(call.variable)});
  };
}

}  // namespace

InfoWindow::InfoWindow(ui::Context& c, con::Rect saved)
    : c_(c),
      area_(saved),
      screen_(c.con.save(saved)),
      cursor_(c.con.cursor()),
      colour_(c.con.colour()),
      goods_(c.con.bindings().unbind(con::key::kAltI)),
      contractors_(c.con.bindings().unbind(con::key::kAltK)),
      tables_(c) {}

InfoWindow::~InfoWindow() {
  c_.con.restore(area_, screen_);
  c_.con.setColour(colour_);
  c_.con.setCursorShape(cursor_.shape);
  c_.con.moveCursor(cursor_.row, cursor_.col);
  c_.con.bindings().bind(con::key::kAltI, goods_ ? goods_ : byName(c_, "TOW_INFO"));
  c_.con.bindings().bind(con::key::kAltK, contractors_ ? contractors_ : byName(c_, "KON_INFO"));
}

std::optional<rt::Value> currentFieldValue(ui::Context& c, std::string_view field) {
  if (c.workspace == nullptr) return std::nullopt;
  db::WorkArea* a = c.workspace->current();
  if (a == nullptr) return std::nullopt;
  const std::optional<std::size_t> i = a->fieldIndex(field);
  if (!i) return std::nullopt;
  return a->value(*i);
}

con::Attr highlight(const ui::Context& c) { return c.con.attr(con::Slot::Enhanced); }

}  // namespace master
