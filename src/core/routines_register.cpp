// src/core/routines_register.cpp — adapters from the runtime's calling convention to the
// core routines that work on the station's tables and screen. An argument of the wrong type
// raises the runtime's argument error naming the routine, as a built-in function does.
#include <string>

#include "core/apostrof.hpp"
#include "core/commands.hpp"
#include "core/config/register_config.hpp"
#include "core/diskerror.hpp"
#include "core/exe.hpp"
#include "core/haslo.hpp"
#include "core/index_menu.hpp"
#include "core/index_rebuild.hpp"
#include "core/info.hpp"
#include "core/kart_ok.hpp"
#include "core/kolory.hpp"
#include "core/nowy_rek.hpp"
#include "core/nr_dom.hpp"
#include "core/rap_err.hpp"
#include "core/record_dates.hpp"
#include "core/register.hpp"
#include "core/rok_zam.hpp"
#include "core/stop_sort.hpp"
#include "core/symbol.hpp"
#include "core/tmp.hpp"
#include "core/upgrade/uzg_wer.hpp"
#include "core/uwagi.hpp"
#include "rt/arguments.hpp"
#include "rt/runtime.hpp"

namespace core {
namespace {

using rt::argumentError;

template <typename F>
void addProcedure(rt::FunctionTable& fns, const char* name, ui::Context& c, F f) {
  fns.add(name, [&c, f](rt::Runtime&, rt::Args&) {
    f(c);
    return rt::Value();
  });
}

template <typename F>
void addPredicate(rt::FunctionTable& fns, const char* name, ui::Context& c, F f) {
  fns.add(name, [&c, f](rt::Runtime&, rt::Args&) { return rt::Value::logical(f(c)); });
}

template <typename F>
void addText(rt::FunctionTable& fns, const char* name, ui::Context& c, F f) {
  fns.add(name, [&c, f](rt::Runtime&, rt::Args&) { return rt::Value::character(f(c)); });
}

template <typename F>
void addColours(rt::FunctionTable& fns, const char* name, ui::Context& c, F f) {
  fns.add(name, [&c, f](rt::Runtime&, rt::Args&) { return colourPair(f(c)); });
}

std::string textOr(const rt::Value& v, std::string_view fallback = {}) {
  return v.isText() ? v.text() : std::string(fallback);
}

}  // namespace

void registerRoutines(rt::FunctionTable& fns, ui::Context& c) {
  addText(fns, "ROK_ZAM", c, ROK_ZAM);
  addText(fns, "SYMBOL", c, SYMBOL);
  addText(fns, "UWAGI", c, UWAGI);
  fns.add("NR_DOM", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText() || !a[1].isDate()) return argumentError(rt, "NR_DOM");
    return rt::Value::character(NR_DOM(c, a[0].text(), a[1].date()));
  });
  addProcedure(fns, "APOSTROF", c, APOSTROF);
  addProcedure(fns, "INFO", c, INFO);
  addPredicate(fns, "NOWY_REK", c, NOWY_REK);
  addPredicate(fns, "WE_DATA", c, WE_DATA);
  addPredicate(fns, "WAR_DATA", c, WAR_DATA);
  addPredicate(fns, "DATA_PROM", c, DATA_PROM);
  addColours(fns, "KOLORY", c, rowColour);
  addColours(fns, "KOLORY_WN", c, rowColourByBalance);
  addColours(fns, "KOLORY_E", c, rowColourByStage);
  addColours(fns, "KOLORY_E2", c, rowColourByOrderStage);
  addColours(fns, "KOLORY_B", c, rowColourByDelivery);
  addProcedure(fns, "STOP_SORT", c, STOP_SORT);
  addProcedure(fns, "DISKERROR", c, DISKERROR);
  addPredicate(fns, "KART_OK", c, KART_OK);
  addProcedure(fns, "EXE1", c, EXE1);
  addProcedure(fns, "EXE2", c, EXE2);
  addProcedure(fns, "TMP", c, TMP);
  if (!fns.contains("RAP_ERR")) {
    fns.add("RAP_ERR", [&c](rt::Runtime&, rt::Args& a) {
      RAP_ERR(c, textOr(a[0]), textOr(a[1]), a[2].isNumber() ? rt::toInt(a[2].num()) : 0);
      return rt::Value();
    });
  }
  fns.add("HASLO", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNumber()) return argumentError(rt, "HASLO");
    return rt::Value::logical(HASLO(c, rt::toInt(a[0].num())));
  });
  fns.add("INDEX_MENU", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "INDEX_MENU");
    INDEX_MENU(c, a[0].text(), textOr(a[1]), textOr(a[2]));
    return rt::Value();
  });
  fns.add("INDEX", [&c](rt::Runtime& rt, rt::Args& a) {
    if ((!a[0].isNil() && !a[0].isLogical()) || (!a[1].isNil() && !a[1].isText())) return argumentError(rt, "INDEX");
    const std::string group = textOr(a[1], " ");
    INDEX(c, a[0].isLogical() && a[0].logical(), group.empty() ? ' ' : group.front());
    return rt::Value();
  });
  fns.add("ORD4", [](rt::Runtime&, rt::Args&) { return rt::Value::character(ORD4()); });
  fns.add("UZG_WER", [&c](rt::Runtime&, rt::Args&) { return rt::Value::logical(UZG_WER(c)); });
  registerConfig(fns, c);
  registerCommands(fns, c);
}

}  // namespace core
