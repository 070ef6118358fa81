// src/store/blok.cpp — the lock and append waits.
#include "store/blok.hpp"

#include <functional>

#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "rt/error.hpp"
#include "store/internal/colour_scope.hpp"
#include "store/internal/wait_notice.hpp"

namespace store {
namespace {

using base::Errc;
using base::Status;
using rt::literals::operator""_pl;

using Try = std::function<Status(db::WorkArea&)>;

// B3: raises the program's error and gives false (when the error handler lets it go on).
bool raiseFailure(Tables& t, const Status& s, std::string_view operation) {
  rt::Error e;
  e.subsystem = "DBCMD";
  e.operation = std::string(operation);
  e.description = s.toString();
  if (s.is(Errc::NotFound)) {
    e.genCode = rt::GenCode::NoTable;
    e.subCode = 2001;
  } else {
    e.genCode = s.is(Errc::Refused) ? rt::GenCode::ReadOnly : rt::GenCode::Lock;
    e.subCode = 1022;
  }
  t.rt.raise(e);
  return false;
}

void waitFor(Tables& t, std::string_view operation, const Try& attempt) {
  db::WorkArea* a = t.ws.current();
  if (a == nullptr) {
    raiseFailure(t, Status(Errc::NotFound, "no table is open in the current work area"), operation);
    return;
  }
  ColourScope colour(t.con, "N/W");
  Status s = attempt(*a);
  if (s) return;
  WaitNotice notice(t.con, {" Oczekiwanie na dostęp do danych ... "_pl});
  notice.show();
  while (s.is(Errc::Locked)) {
    t.waitPass();
    t.retryPause();
    s = attempt(*a);
  }
  if (!s) raiseFailure(t, s, operation);
}

}  // namespace

void RBLOK(Tables& t) {
  if (t.singleUser()) return;
  waitFor(t, "RBLOK", [](db::WorkArea& a) { return a.lockRecord(); });
}

void FBLOK(Tables& t) {
  if (t.singleUser()) return;
  waitFor(t, "FBLOK", [](db::WorkArea& a) { return a.lockFile(); });
}

void APPE_BLOK(Tables& t) {
  if (t.singleUser()) {
    db::WorkArea* a = t.ws.current();
    const Status s = a != nullptr ? a->appendBlank() : Status(Errc::NotFound, "no table is open in the current work area");
    if (!s) raiseFailure(t, s, "APPE_BLOK");
    return;
  }
  waitFor(t, "APPE_BLOK", [](db::WorkArea& a) { return a.appendBlank(); });
}

}  // namespace store
