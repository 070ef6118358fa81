// src/print/register.cpp — adapters from the runtime's calling convention to the printing
// routines.
#include "print/register.hpp"

#include "print/druk_pli.hpp"
#include "print/drukuj.hpp"
#include "print/filebrowse.hpp"
#include "print/lporz.hpp"
#include "print/nr_wydruku.hpp"
#include "print/plik.hpp"
#include "print/print_scope.hpp"
#include "print/send.hpp"
#include "print/txt_konwers.hpp"
#include "print/wydruk.hpp"
#include "rt/arguments.hpp"

namespace print {
namespace {

std::string textOr(const rt::Value& v, std::string fallback = {}) { return v.isText() ? v.text() : fallback; }
int numberOr(const rt::Value& v, int fallback = 0) { return v.isNumber() ? rt::toInt(v.num()) : fallback; }

// A code block or the text of an expression, run with the printer current; none for NIL.
Body routineOf(rt::Runtime& rt, const rt::Value& v) {
  if (v.isBlock()) return [&rt, v](Printer&) { rt.evalBlock(v, {}); };
  if (v.isText() && v.text().find_first_not_of(' ') != std::string::npos)
    return [&rt, text = v.text()](Printer&) { rt.evaluate(text); };
  return {};
}

void setRef(rt::Args& a, std::size_t i, bool value) {
  if (i < a.size()) a.ref(i) = rt::Value::logical(value);
}

}  // namespace

void registerPrint(rt::FunctionTable& fns, ui::Context& c) {
  registerIdlePrinterFunctions(fns);
  fns.add("WYDRUK", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return rt::argumentError(rt, "WYDRUK");
    ListPrint list;
    list.screen = a[0].text();
    list.layout = textOr(a[1], "V0");
    list.report = numberOr(a[2]);
    list.title = textOr(a[3]);
    list.pageHeader = routineOf(rt, a[4]);
    list.footer = routineOf(rt, a[5]);
    list.eachLine = routineOf(rt, a[6]);
    const PrintResult r = WYDRUK(c, list);
    setRef(a, 7, r.again);
    setRef(a, 8, r.stopped);
    return rt::Value::logical(r.again);
  });
  fns.add("DRUKUJ", [&c](rt::Runtime& rt, rt::Args& a) {
    Body body = routineOf(rt, a[1]);
    const PrintResult r = DRUKUJ(c, numberOr(a[0]), textOr(a[2]), [&](Printer& p) {
      if (body) body(p);
    });
    return rt::Value::logical(r.again);
  });
  fns.add("PLIK", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return rt::argumentError(rt, "PLIK");
    return rt::Value::logical(PLIK(c, a[0].text()).has_value());
  });
  fns.add("PRINTER_OK", [&c](rt::Runtime&, rt::Args& a) { return rt::Value::logical(PRINTER_OK(c, textOr(a[0], "LPT1"))); });
  fns.add("NR_WYDRUKU", [&c](rt::Runtime&, rt::Args&) { return rt::Value::number(NR_WYDRUKU(c), 5, 0); });
  fns.add("WYDRUK_NR", [&c](rt::Runtime&, rt::Args&) { return rt::Value::number(WYDRUK_NR(c), 5, 0); });
  fns.add("LPORZ", [&c](rt::Runtime&, rt::Args& a) {
    const bool condition = !a[1].isLogical() || a[1].logical();
    return rt::Value::number(LPORZ(c, numberOr(a[0]), condition), 5, 0);
  });
  fns.add("TXT_KONWERS", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return rt::argumentError(rt, "TXT_KONWERS");
    return rt::Value::logical(TXT_KONWERS(c, a[0].text(), textOr(a[1]), textOr(a[2])));
  });
  fns.add("DRUK_PLI", [&c](rt::Runtime&, rt::Args&) {
    DRUK_PLI(c);
    return rt::Value();
  });
  fns.add("DRUKUJ_PLIK", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return rt::argumentError(rt, "DRUKUJ_PLIK");
    return rt::Value::logical(DRUKUJ_PLIK(c, c.paths.resolve(a[0].text()), textOr(a[1], "LPT1")));
  });
  fns.add("FILEBROWSE", [&c](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return rt::argumentError(rt, "FILEBROWSE");
    const con::Rect window{numberOr(a[1], 0), numberOr(a[2], 0), numberOr(a[3], 24), numberOr(a[4], 79)};
    if (window.top < 0 || window.left < 0 || window.bottom > 24 || window.right > 79 || window.top > window.bottom ||
        window.left > window.right)
      return rt::argumentError(rt, "FILEBROWSE");
    return rt::Value::logical(FILEBROWSE(c, c.paths.resolve(a[0].text()), window));
  });
  fns.add("MAZLAT_STD", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return rt::argumentError(rt, "MAZLAT_STD");
    return rt::Value::character(MAZLAT_STD(a[0].text()));
  });
  fns.add("MAZLAT_WIN", [](rt::Runtime& rt, rt::Args& a) {
    if (!a[0].isText()) return rt::argumentError(rt, "MAZLAT_WIN");
    return rt::Value::character(MAZLAT_WIN(a[0].text()));
  });
}

}  // namespace print
