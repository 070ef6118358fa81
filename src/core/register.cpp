// src/core/register.cpp — adapters from the runtime's calling convention (values in, value
// out) to the typed core routines. An argument of the wrong type raises the runtime's
// argument error naming the routine, as a built-in function does.
#include "core/register.hpp"

#include "core/ds.hpp"
#include "core/dtoc2.hpp"
#include "core/ep.hpp"
#include "core/maz_std.hpp"
#include "core/ph.hpp"
#include "core/pl.hpp"
#include "core/rok.hpp"
#include "core/s_i.hpp"
#include "core/sz1.hpp"
#include "core/szer.hpp"
#include "rt/arguments.hpp"
#include "rt/runtime.hpp"

namespace core {
namespace {

using rt::argumentError;

template <typename F>
rt::Function dateToText(const char* name, F f) {
  return [name, f](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isDate()) return argumentError(rt, name);
    return rt::Value::character(f(a[0].date()));
  };
}

template <typename F>
rt::Function textToText(const char* name, F f) {
  return [name, f](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, name);
    return rt::Value::character(f(a[0].text()));
  };
}

// S_I and its kin: any value a picture can show.
rt::Function underPicture(const char* name, std::string (*f)(const rt::Runtime&, const rt::Value&)) {
  return [name, f](rt::Runtime& rt, rt::Args& a) {
    const rt::Value& v = a[0];
    if (!v.isText() && !v.isNumber() && !v.isDate() && !v.isLogical()) return argumentError(rt, name);
    return rt::Value::character(f(rt, v));
  };
}

}  // namespace

void registerCore(rt::FunctionTable& fns) {
  fns.add("ROK", dateToText("ROK", ROK));
  fns.add("DTOC2", dateToText("DTOC2", DTOC2));
  fns.add("DS", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isDate()) return argumentError(rt, "DS");
    return rt::Value::character(DS(rt, a[0].date()));
  });
  fns.add("EP", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "EP");
    return rt::Value::character(EP(rt, a[0].text()));
  });
  fns.add("SZER", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "SZER");
    return rt::Value::character(SZER(rt, a[0].text()));
  });
  fns.add("S_I", underPicture("S_I", S_I));
  // Goods-table keys over S_I are read from record bytes.
  fns.setTextForm("S_I", goodsCodeTextMap);
  fns.add("S_C", underPicture("S_C", S_C));
  fns.add("S_W", underPicture("S_W", S_W));
  fns.add("S_S", underPicture("S_S", S_S));
  fns.add("MAZ_STD", textToText("MAZ_STD", MAZ_STD));
  fns.add("LAT_STD", textToText("LAT_STD", LAT_STD));
  fns.add("PH", textToText("PH", PH));
  // SZ1(@text): the zero-filled text goes back to a variable passed by reference.
  fns.add("SZ1", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "SZ1");
    std::string text = a[0].text();
    SZ1(text);
    a.ref(0) = a[0].type() == rt::Type::Memo ? rt::Value::memo(text) : rt::Value::character(text);
    return rt::Value::logical(true);
  });
  fns.add("PL", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText() || !a[1].isText()) return argumentError(rt, "PL");
    return rt::Value::character(PL(a[0].text(), a[1].text()));
  });
}

}  // namespace core
