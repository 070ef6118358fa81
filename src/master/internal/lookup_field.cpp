// src/master/internal/lookup_field.cpp — fields read with a dictionary lookup.
#include "master/internal/lookup_field.hpp"

#include "rt/runtime.hpp"
#include "ui/call.hpp"

namespace master {
namespace {

rt::Value names(std::initializer_list<std::string> list) {
  rt::Value v = rt::Value::newArray();
  for (const std::string& n : list) v.array()->push_back(rt::Value::character(n));
  return v;
}

}  // namespace

ui::lookup::SlArgs contractorLookup(ui::Context& c, const std::string& alias, const std::string& townOrderName) {
  ui::lookup::SlArgs a;
  a.area = rt::Value::character(alias);
  a.screenKey = "KON";
  a.layout = "V1";
  a.valueColumn = 1;
  a.checkOrder = 1;
  a.orders = names({"numer", "nazwa", "NIP", townOrderName});
  a.comment = c.rt.evaluate("{|| SLAD_KON()}");
  return a;
}

ui::lookup::SlArgs goodsLookup(ui::Context& c, const std::string& alias) {
  ui::lookup::SlArgs a;
  a.area = rt::Value::character(alias);
  a.screenKey = "TOW";
  a.layout = "V1";
  a.valueColumn = 1;
  a.checkOrder = 1;
  const rt::Value fourth = ui::call(c, "ORD4");
  a.orders = names({"indeks", "nazwa", "grupa", fourth.isText() ? fourth.text() : std::string()});
  return a;
}

ui::ReadResult readWithLookup(ui::Context& c, ui::Get& g, const ui::lookup::SlArgs& lookup,
                              std::function<bool(const rt::Value&)> accept) {
  g.when = [lookup](ui::Context& cx) { return ui::lookup::SLGET(cx, lookup); };
  g.valid = [lookup, accept, &g](ui::Context& cx) {
    if (accept && accept(g.var.get())) return true;
    return ui::lookup::SL(cx, lookup);
  };
  const ui::ReadResult r = ui::readOne(c, g);
  ui::lookup::SLGET(c);
  return r;
}

}  // namespace master
