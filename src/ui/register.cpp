// src/ui/register.cpp — adapters from the runtime's calling convention (values in, value
// out) to the typed routines of the screen framework. An argument of the wrong type raises
// the runtime's argument error naming the routine, as a built-in function does.
#include "ui/register.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "rt/arguments.hpp"
#include "rt/runtime.hpp"
#include "ui/adjusttab.hpp"
#include "ui/browse/register_browse.hpp"
#include "ui/czytajtab.hpp"
#include "ui/cien.hpp"
#include "ui/context.hpp"
#include "ui/cursoron.hpp"
#include "ui/form/readers.hpp"
#include "ui/help/help_register.hpp"
#include "ui/key.hpp"
#include "ui/liczba.hpp"
#include "ui/lookup/register_lookup.hpp"
#include "ui/menu/menu_register.hpp"
#include "ui/pasek.hpp"
#include "ui/polskie.hpp"
#include "ui/przygotuj_ekran.hpp"
#include "ui/push.hpp"
#include "ui/qesc.hpp"
#include "ui/qk.hpp"
#include "ui/qke.hpp"
#include "ui/qpc.hpp"
#include "ui/qtn.hpp"
#include "ui/taknie.hpp"
#include "ui/trans0.hpp"
#include "ui/ustaw_kolor.hpp"
#include "ui/zapisztab.hpp"

namespace ui {
namespace {

using rt::argumentError;
using rt::toInt;

// Optional arguments: NIL (or a value of another type) takes the default.
std::string textOr(const rt::Value& v, std::string_view fallback) {
  return v.isText() ? v.text() : std::string(fallback);
}
int intOr(const rt::Value& v, int fallback) { return v.isNumber() ? toInt(v.num()) : fallback; }
bool flagOr(const rt::Value& v, bool fallback) { return v.isLogical() ? v.logical() : fallback; }
std::optional<std::string> optionalText(const rt::Value& v) {
  return v.isText() ? std::optional<std::string>(v.text()) : std::nullopt;
}

rt::Value none() { return rt::Value(); }

}  // namespace

void registerUi(rt::FunctionTable& fns) {
  fns.add("TAKNIE", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "TAKNIE");
    return rt::Value::character(TAKNIE(a[0].text()));
  });
  fns.add("LICZBA", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNumber()) return argumentError(rt, "LICZBA");
    return rt::Value::character(LICZBA(a[0].numberParts()));
  });
  fns.add("TRANS0", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNumber() || !a[1].isNumber()) return argumentError(rt, "TRANS0");
    return rt::Value::character(TRANS0(a[0].num(), toInt(a[1].num())));
  });
  fns.add("ADJUSTTAB", [](rt::Runtime&, rt::Args& a) { return rt::Value::character(ADJUSTTAB(a[0])); });
}

void registerUi(rt::FunctionTable& fns, sys::Env& env, const sys::PathResolver& paths) {
  registerUi(fns);
  fns.add("ZAPISZTAB", [&env, &paths](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "ZAPISZTAB");
    return rt::Value::logical(ZAPISZTAB(env, paths, a[0].text(), a[1]));
  });
  fns.add("CZYTAJTAB", [&env, &paths](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "CZYTAJTAB");
    return CZYTAJTAB(rt, env, paths, a[0].text());
  });
}

void registerScreen(rt::FunctionTable& fns, Context& c) {
  registerForms(fns, c);
  browse::registerBrowse(fns, c);
  lookup::registerLookup(fns, c);
  fns.add("QKE", [&c](rt::Runtime&, rt::Args& a) {
    QkeOptions o;
    o.second = textOr(a[1], "");
    o.colour = textOr(a[2], "N/W");
    o.footer = textOr(a[3], "ENTER");
    o.esc = flagOr(a[4], false) ? Esc::Allowed : Esc::Refused;
    o.row = intOr(a[5], 12);
    QKE(c, textOr(a[0], ""), o);
    return none();
  });
  fns.add("QKE_ARR", [&c](rt::Runtime&, rt::Args& a) {
    std::vector<std::string> lines;
    if (a[0].isArray())
      for (const rt::Value& v : *a[0].array()) lines.push_back(v.isText() ? v.text() : std::string());
    QKE_ARR(c, lines, textOr(a[1], "N/W"), textOr(a[2], "ENTER"), flagOr(a[3], false) ? Esc::Allowed : Esc::Refused);
    return none();
  });
  fns.add("QK", [&c](rt::Runtime&, rt::Args& a) {
    QK(c, textOr(a[0], ""), textOr(a[1], "N/W"), a[2].isNumber() ? a[2].num() : 2.0);
    return none();
  });
  fns.add("QESC", [&c](rt::Runtime&, rt::Args& a) {
    const std::optional<std::string> text = optionalText(a[0]);
    QESC(c, text ? std::optional<std::string_view>(*text) : std::nullopt, textOr(a[1], "N/W"),
         textOr(a[2], " ESC - Zaniechaj "));
    return none();
  });
  fns.add("QTN", [&c](rt::Runtime&, rt::Args& a) { return rt::Value::logical(QTN(c, textOr(a[0], ""))); });
  fns.add("QTN_2W", [&c](rt::Runtime&, rt::Args& a) {
    return rt::Value::logical(QTN_2W(c, textOr(a[0], ""), textOr(a[1], "")));
  });
  fns.add("QPC", [&c](rt::Runtime&, rt::Args& a) {
    const std::optional<std::string> text = optionalText(a[1]);
    QPC(c, intOr(a[0], 0) == 1 ? Switch::On : Switch::Off,
        text ? std::optional<std::string_view>(*text) : std::nullopt);
    return none();
  });
  fns.add("KEY", [&c](rt::Runtime&, rt::Args& a) { return rt::Value::logical(KEY(c, textOr(a[0], " "))); });
  fns.add("CLEARBUFFER", [&c](rt::Runtime&, rt::Args&) {
    CLEARBUFFER(c);
    return none();
  });
  fns.add("CURSORON", [&c](rt::Runtime&, rt::Args& a) {
    const auto previous = CURSORON(c, flagOr(a[0], false) ? CursorSize::Large : CursorSize::Normal);
    return rt::Value::integer(static_cast<int>(previous));
  });
  fns.add("INSTOGGLE", [&c](rt::Runtime&, rt::Args&) {
    INSTOGGLE(c);
    return none();
  });
  fns.add("POLSKIE", [&c](rt::Runtime&, rt::Args& a) {
    return rt::Value::logical(POLSKIE(c, a[0].isLogical() ? std::optional<bool>(a[0].logical()) : std::nullopt));
  });
  fns.add("POLKEY", [&c](rt::Runtime&, rt::Args&) {
    POLKEY(c);
    return none();
  });
  fns.add("ATRYB", [&c](rt::Runtime& rt, rt::Args& a) {
    for (int i = 0; i < 5; ++i)
      if (!a[static_cast<std::size_t>(i)].isNumber()) return argumentError(rt, "ATRYB");
    ATRYB(c, intOr(a[0], 0), intOr(a[1], 0), intOr(a[2], 0), intOr(a[3], 0),
          static_cast<con::Attr>(intOr(a[4], 0) & 0xFF));
    return none();
  });
  fns.add("CIEN", [&c](rt::Runtime& rt, rt::Args& a) {
    for (int i = 0; i < 4; ++i)
      if (!a[static_cast<std::size_t>(i)].isNumber()) return argumentError(rt, "CIEN");
    CIEN(c, intOr(a[0], 0), intOr(a[1], 0), intOr(a[2], 0), intOr(a[3], 0));
    return none();
  });
  fns.add("RET", [&c](rt::Runtime&, rt::Args&) {
    RET(c);
    return none();
  });
  fns.add("PUSH", [&c](rt::Runtime&, rt::Args& a) {
    PUSH(c, textOr(a[0], ""), a[1]);
    return none();
  });
  fns.add("PASEK", [&c](rt::Runtime&, rt::Args& a) {
    const std::optional<double> step = a[0].isNumber() ? std::optional<double>(a[0].num()) : std::nullopt;
    return rt::Value::logical(PASEK(c, step, textOr(a[1], ""), textOr(a[2], "")));
  });
  fns.add("USTAW_KOLOR", [&c](rt::Runtime&, rt::Args&) {
    USTAW_KOLOR(c);
    return none();
  });
  fns.add("PRZYGOTUJ_EKRAN", [&c](rt::Runtime&, rt::Args& a) {
    PRZYGOTUJ_EKRAN(c, intOr(a[0], 0), intOr(a[1], 0));
    return none();
  });
  registerTableChecks(fns, c);
  registerMenu(fns, c);
  registerHelp(fns, c);
}

}  // namespace ui
