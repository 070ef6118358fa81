// src/print/print_scope.cpp — the printer functions during a printout.
#include "print/print_scope.hpp"

#include "rt/arguments.hpp"
#include "rt/date_text.hpp"
#include "rt/number_text.hpp"
#include "ui/lookup/lookup.hpp"

namespace print {
namespace {

constexpr const char* kNames[] = {"PROW", "PCOL", "DEVPOS", "DEVOUT", "SETPRC"};

int intArg(const rt::Args& a, std::size_t i) { return a[i].isNumber() ? rt::toInt(a[i].num()) : 0; }

}  // namespace

std::string printedText(rt::Runtime& rt, const rt::Value& v) {
  switch (v.type()) {
    case rt::Type::Character:
    case rt::Type::Memo: return v.text();
    case rt::Type::Numeric: return rt::str(v.numberParts());
    case rt::Type::Date: return rt::dtoc(v.date(), rt.settings());
    case rt::Type::Logical: return v.logical() ? "T" : "F";
    default: return "";
  }
}

void registerIdlePrinterFunctions(rt::FunctionTable& fns) {
  fns.add("PROW", [](rt::Runtime&, rt::Args&) { return rt::Value::number(0); });
  fns.add("PCOL", [](rt::Runtime&, rt::Args&) { return rt::Value::number(0); });
  for (const char* name : {"DEVPOS", "DEVOUT", "SETPRC"}) fns.add(name, [](rt::Runtime&, rt::Args&) { return rt::Value(); });
}

PrintScope::PrintScope(ui::Context& c, Printer& p) : c_(c) {
  rt::FunctionTable& fns = c.rt.functions();
  for (const char* name : kNames)
    if (const rt::Function* f = fns.find(name)) previous_.emplace_back(name, *f);
  fns.add("PROW", [&p](rt::Runtime&, rt::Args&) { return rt::Value::number(p.prow()); });
  fns.add("PCOL", [&p](rt::Runtime&, rt::Args&) { return rt::Value::number(p.pcol()); });
  fns.add("DEVPOS", [&p](rt::Runtime&, rt::Args& a) {
    p.at(intArg(a, 0), intArg(a, 1), "");
    return rt::Value();
  });
  fns.add("DEVOUT", [&p](rt::Runtime& rt, rt::Args& a) {
    p.write(printedText(rt, a[0]));
    return rt::Value();
  });
  fns.add("SETPRC", [&p](rt::Runtime&, rt::Args& a) {
    p.setPosition(intArg(a, 0), intArg(a, 1));
    return rt::Value();
  });
  c.rt.vars().declarePublic("RMARG");
  c.rt.vars().set("RMARG", rt::Value::number(p.rightMargin()));
  ui::lookup::State& s = ui::lookup::stateOf(c);
  previousSeam_ = s.printAtPosition;
  s.printAtPosition = [&p](ui::Context&, std::string_view text) { p.writeKeepingPosition(text); };
}

PrintScope::~PrintScope() {
  rt::FunctionTable& fns = c_.rt.functions();
  for (auto& [name, f] : previous_) fns.add(name, std::move(f));
  ui::lookup::stateOf(c_).printAtPosition = std::move(previousSeam_);
}

}  // namespace print
