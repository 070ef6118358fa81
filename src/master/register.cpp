// src/master/register.cpp — adapters from the runtime's calling convention (values in, value
// out) to the typed master-data routines. An argument of the wrong type raises the
// runtime's argument error naming the routine, as a built-in function does.
#include "master/register.hpp"

#include "master/contractor_routines.hpp"
#include "master/ekon.hpp"
#include "master/esl_kont.hpp"
#include "master/goods_routines.hpp"
#include "master/kon_info.hpp"
#include "master/prices.hpp"
#include "master/ptow.hpp"
#include "master/pupu.hpp"
#include "master/skasuj_zna.hpp"
#include "master/tow_info.hpp"
#include "rt/arguments.hpp"
#include "rt/runtime.hpp"

namespace master {
namespace {

using rt::argumentError;

rt::Value money(double v) { return rt::Value::number(v, rt::kDefaultWidth, 2); }

bool flagOr(const rt::Value& v, bool fallback) { return v.isLogical() ? v.logical() : fallback; }

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

void registerPrices(rt::FunctionTable& fns, ui::Context& c) {
  fns.add("CENA_NET", [&c](rt::Runtime&, rt::Args&) { return money(CENA_NET(c)); });
  fns.add("CENA_BRU", [&c](rt::Runtime&, rt::Args&) { return money(CENA_BRU(c)); });
  // The second argument is accepted as callers pass it; the rows' validity is always kept.
  fns.add("CENA_TAB", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNil() && !a[0].isNumber()) return argumentError(rt, "CENA_TAB");
    return money(CENA_TAB(c, a[0].isNumber() ? a[0].num() : 0));
  });
  fns.add("CENS_MAR", [&c](rt::Runtime&, rt::Args& a) { return rt::Value::logical(CENS_MAR(c, flagOr(a[0], true))); });
  addPredicate(fns, "MAR_CENS", c, MAR_CENS);
}

void registerGoods(rt::FunctionTable& fns, ui::Context& c) {
  fns.add("STAN_OG", [&c](rt::Runtime&, rt::Args&) { return rt::Value::character(STAN_OG(c)); });
  fns.add("OPAK", [&c](rt::Runtime&, rt::Args&) { return rt::Value::number(OPAK(c), rt::kDefaultWidth, 1); });
  addPredicate(fns, "PTOI", c, PTOI);
  addProcedure(fns, "WE_SL_TO_R", c, WE_SL_TO_R);
  fns.add("WY_SL_TO_R", [&c](rt::Runtime&, rt::Args&) { return rt::Value::integer(WY_SL_TO_R(c)); });
  addProcedure(fns, "DAJ_TOW_H", c, DAJ_TOW_H);
  fns.add("TRANS_OP", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isNumber()) return argumentError(rt, "TRANS_OP");
    return rt::Value::character(TRANS_OP(a[0].num()));
  });
}

// The screens of the menu and of the hot keys (whose three arguments are not read).
void registerScreens(rt::FunctionTable& fns, ui::Context& c) {
  addProcedure(fns, "EKON", c, EKON);
  addProcedure(fns, "PTOW", c, PTOW);
  addProcedure(fns, "PGRU_TOW", c, PGRU_TOW);
  addProcedure(fns, "PUPU", c, PUPU);
  addProcedure(fns, "SKASUJ_ZNA", c, SKASUJ_ZNA);
  addProcedure(fns, "ESL_KONT", c, ESL_KONT);
  addProcedure(fns, "KON_INFO", c, KON_INFO);
  addProcedure(fns, "TOW_INFO", c, TOW_INFO);
  addProcedure(fns, "POZ_INFO", c, POZ_INFO);
  fns.add("SPR_INFO", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "SPR_INFO");
    SPR_INFO(c, a[0].text(), a[1].isNumber() ? rt::toInt(a[1].num()) : 1, a[2].isNumber() ? rt::toInt(a[2].num()) : 23);
    return rt::Value();
  });
}

void registerContractors(rt::FunctionTable& fns, ui::Context& c) {
  fns.add("KON_OK", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "KON_OK");
    return rt::Value::logical(KON_OK(c, a[0].text()));
  });
  fns.add("SLAD_KON", [&c](rt::Runtime&, rt::Args&) { return rt::Value::character(SLAD_KON(c)); });
  fns.add("SLAD_KON2", [&c](rt::Runtime&, rt::Args&) { return rt::Value::character(SLAD_KON2(c)); });
  // DAJ_KONTO(@variable): the account goes back to the caller's variable.
  fns.add("DAJ_KONTO", [&c](rt::Runtime&, rt::Args& a) {
    rt::Value target = a[0];
    const bool done = DAJ_KONTO(c, target);
    if (a.size() > 0) a.ref(0) = target;
    return rt::Value::logical(done);
  });
  addProcedure(fns, "K_OFF", c, K_OFF);
  fns.add("KON_TMP", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return argumentError(rt, "KON_TMP");
    return rt::Value::logical(KON_TMP(a[0].text()));
  });
  fns.add("DAJ_TMP", [&c](rt::Runtime&, rt::Args& a) { return rt::Value::logical(DAJ_TMP(c, flagOr(a[0], false))); });
  addPredicate(fns, "UNIK_KON", c, UNIK_KON);
}

}  // namespace

void registerMaster(rt::FunctionTable& fns, ui::Context& c) {
  registerPrices(fns, c);
  registerGoods(fns, c);
  registerContractors(fns, c);
  registerScreens(fns, c);
}

}  // namespace master
