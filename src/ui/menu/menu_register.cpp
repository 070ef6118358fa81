// src/ui/menu/menu_register.cpp — adapters from the runtime's calling convention to the menu
// routines. Items come as an array of texts; an element of another type is an empty item.
// USERFUNC answers a list's key-rule call (mode, element, row) for the last key read: 0
// leave, 1 choose, 2 go on, 3 move to the next item beginning with the key; in any mode but
// a key press (3) it answers 2.
#include "ui/menu/menu_register.hpp"

#include "rt/arguments.hpp"
#include "rt/runtime.hpp"
#include "ui/menu/horizmenu.hpp"
#include "ui/menu/menu.hpp"
#include "ui/menu/menu_list.hpp"
#include "ui/menu/ret2.hpp"
#include "ui/menu/verticmenu.hpp"

namespace ui {
namespace {

constexpr int kKeyPressMode = 3;

std::vector<std::string> itemsOf(const rt::Value& v) {
  std::vector<std::string> items;
  if (v.isArray())
    for (const rt::Value& item : *v.array()) items.push_back(item.isText() ? item.text() : std::string());
  return items;
}

int initialOf(const rt::Value& v) { return v.isNumber() ? rt::toInt(v.num()) : 1; }

}  // namespace

void registerMenu(rt::FunctionTable& fns, Context& c) {
  fns.add("MENU", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNumber()) return rt::argumentError(rt, "MENU");
    MENU(c, rt::toInt(a[0].num()));
    return rt::Value();
  });
  fns.add("HORIZMENU", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNumber() || !a[1].isNumber() || !a[3].isArray()) return rt::argumentError(rt, "HORIZMENU");
    const std::string label = a[2].isText() ? a[2].text() : std::string();
    return rt::Value::integer(HORIZMENU(c, rt::toInt(a[0].num()), rt::toInt(a[1].num()), label, itemsOf(a[3]),
                                        initialOf(a[4])));
  });
  fns.add("VERTICMENU", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[1].isArray()) return rt::argumentError(rt, "VERTICMENU");
    const std::string title = a[0].isText() ? a[0].text() : std::string();
    return rt::Value::integer(VERTICMENU(c, title, itemsOf(a[1]), initialOf(a[2])));
  });
  fns.add("USERFUNC", [&c](rt::Runtime&, rt::Args& a) {
    const bool keyPress = a[0].isNumber() && rt::toInt(a[0].num()) == kKeyPressMode;
    const ListAction action = keyPress ? USERFUNC(c.con.lastKey()) : ListAction::Continue;
    return rt::Value::integer(static_cast<int>(action));
  });
  fns.add("RET2", [&c](rt::Runtime&, rt::Args&) {
    RET2(c);
    return rt::Value();
  });
}

}  // namespace ui
