// src/db/db_functions.cpp — the database functions of the expression language.
#include "db/db_functions.hpp"

#include "db/work_area.hpp"

namespace db {

namespace {

using rt::Args;
using rt::Runtime;
using rt::Value;

Value integer(double v) { return Value::integer(v); }
Value logical(bool b) { return Value::logical(b); }
Value character(std::string s) { return Value::character(std::move(s)); }

// The area an optional first argument names (a number or an alias), else the current one.
WorkArea* areaArg(Workspace& ws, const Args& args, std::size_t i) {
  const Value& v = args[i];
  if (v.isNumber()) return ws.area(static_cast<int>(v.num()));
  if (v.isText()) return ws.find(v.text());
  return ws.current();
}

}  // namespace

void registerDatabaseFunctions(rt::FunctionTable& t, Workspace& ws) {
  using rt::Abbrev;
  // Functions over the current area, with the answer for an area without a table.
  auto over = [&ws](auto f, Value none) {
    return [&ws, f, none](Runtime&, Args& args) -> Value {
      WorkArea* a = ws.current();
      return a == nullptr ? none : f(*a, args);
    };
  };
  t.add("RECNO", over([](WorkArea& a, Args&) { return integer(a.recno()); }, integer(0)), Abbrev::FourLetters);
  t.add("LASTREC", over([](WorkArea& a, Args&) { return integer(a.lastRec()); }, integer(0)), Abbrev::FourLetters);
  t.add("RECCOUNT", over([](WorkArea& a, Args&) { return integer(a.lastRec()); }, integer(0)), Abbrev::FourLetters);
  t.add("EOF", over([](WorkArea& a, Args&) { return logical(a.eof()); }, logical(true)));
  t.add("BOF", over([](WorkArea& a, Args&) { return logical(a.bof()); }, logical(true)));
  t.add("FOUND", over([](WorkArea& a, Args&) { return logical(a.found()); }, logical(false)), Abbrev::FourLetters);
  t.add("DELETED", over([](WorkArea& a, Args&) { return logical(a.deleted()); }, logical(false)), Abbrev::FourLetters);
  t.add("DBF", over([](WorkArea& a, Args&) { return character(a.alias()); }, character("")));
  t.add("FCOUNT", over([](WorkArea& a, Args&) { return integer(static_cast<double>(a.fieldCount())); }, integer(0)),
        Abbrev::FourLetters);
  auto fieldName = over(
      [](WorkArea& a, Args& args) {
        const double n = args[0].isNumber() ? args[0].num() : 0;
        if (n < 1 || n > static_cast<double>(a.fieldCount())) return character("");
        return character(a.field(static_cast<std::size_t>(n) - 1).name);
      },
      character(""));
  t.add("FIELDNAME", fieldName, Abbrev::FourLetters);
  t.add("FIELD", fieldName);
  t.add("FIELDPOS", over(
                        [](WorkArea& a, Args& args) {
                          if (!args[0].isText()) return integer(0);
                          const auto i = a.fieldIndex(args[0].text());
                          return integer(i ? static_cast<double>(*i + 1) : 0);
                        },
                        integer(0)));
  t.add("FIELDGET", over(
                        [](WorkArea& a, Args& args) {
                          const double n = args[0].isNumber() ? args[0].num() : 0;
                          if (n < 1 || n > static_cast<double>(a.fieldCount())) return Value();
                          return a.value(static_cast<std::size_t>(n) - 1);
                        },
                        Value()));
  t.add("INDEXORD", over([](WorkArea& a, Args&) { return integer(a.orderNumber()); }, integer(0)));
  t.add("INDEXKEY", over(
                        [](WorkArea& a, Args& args) {
                          const double n = args[0].isNumber() ? args[0].num() : 0;
                          Order* o = n == 0 ? a.controllingOrder() : a.order(static_cast<std::size_t>(n));
                          return character(o == nullptr ? "" : o->key().text);
                        },
                        character("")));
  t.add("ALIAS", [&ws](Runtime&, Args& args) {
    WorkArea* a = areaArg(ws, args, 0);
    return character(a == nullptr ? "" : a->alias());
  });
  t.add("SELECT", [&ws](Runtime&, Args& args) {
    if (args[0].isText()) return integer(ws.areaOf(args[0].text()));
    return integer(ws.selected());
  }, Abbrev::FourLetters);
  t.add("USED", [&ws](Runtime&, Args&) { return logical(ws.current() != nullptr); });

  // Movement.
  t.add("DBGOTOP", over([](WorkArea& a, Args&) { a.goTop(); return Value(); }, Value()));
  t.add("DBGOBOTTOM", over([](WorkArea& a, Args&) { a.goBottom(); return Value(); }, Value()));
  t.add("DBSKIP", over([](WorkArea& a, Args& args) {
          a.skip(args[0].isNumber() ? static_cast<long>(args[0].num()) : 1);
          return Value();
        }, Value()));
  t.add("DBGOTO", over([](WorkArea& a, Args& args) {
          a.goTo(args[0].isNumber() && args[0].num() >= 0 ? static_cast<std::uint32_t>(args[0].num()) : 0);
          return Value();
        }, Value()));
  t.add("DBSEEK", over([](WorkArea& a, Args& args) {
          const SeekMode mode = args[1].isLogical() ? (args[1].logical() ? SeekMode::Soft : SeekMode::Exact)
                                                    : SeekMode::Setting;
          return logical(a.seek(args[0], mode));
        }, logical(false)));

  // Locks and writes.
  t.add("RLOCK", over([](WorkArea& a, Args&) { return logical(a.lockRecord().isOk()); }, logical(false)),
        Abbrev::FourLetters);
  t.add("DBRLOCK", over([](WorkArea& a, Args& args) {
          std::optional<std::uint32_t> r;
          if (args[0].isNumber()) r = static_cast<std::uint32_t>(args[0].num());
          return logical(a.lockRecord(r).isOk());
        }, logical(false)));
  t.add("FLOCK", over([](WorkArea& a, Args&) { return logical(a.lockFile().isOk()); }, logical(false)),
        Abbrev::FourLetters);
  t.add("DBUNLOCK", over([](WorkArea& a, Args&) { a.unlockAll(); return Value(); }, Value()));
  t.add("DBRUNLOCK", over([](WorkArea& a, Args& args) {
          if (args[0].isNumber()) a.unlockRecord(static_cast<std::uint32_t>(args[0].num()));
          else a.unlockAll();
          return Value();
        }, Value()));
  t.add("DBCOMMIT", over([](WorkArea& a, Args&) { a.commit(); return Value(); }, Value()));
  t.add("DBAPPEND", over([](WorkArea& a, Args&) { return logical(a.appendBlank().isOk()); }, logical(false)));
  t.add("DBDELETE", over([](WorkArea& a, Args&) { return logical(a.deleteRecord().isOk()); }, logical(false)));
  t.add("DBRECALL", over([](WorkArea& a, Args&) { return logical(a.recall().isOk()); }, logical(false)));
}

}  // namespace db
