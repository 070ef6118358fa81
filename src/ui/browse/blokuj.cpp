// src/ui/browse/blokuj.cpp — locks with the waiting box.
#include "ui/browse/blokuj.hpp"

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "ui/qesc.hpp"

namespace ui::browse {

using rt::literals::operator""_pl;

LockMode lockModeOf(int argument) {
  if (argument == 0) return LockMode::None;
  return argument == 1 ? LockMode::Record : LockMode::Table;
}

bool retryBehindNotice(Context& c, const std::function<base::Status()>& attempt) {
  base::Status s = attempt();
  if (s.isOk()) return true;
  if (!s.is(base::Errc::Locked)) return false;
  QESC(c, "  Oczekiwanie na dostęp ... "_pl);
  for (;;) {
    if (c.con.inkey(con::KeyWait::seconds(0.5)) == con::key::kEsc) {
      QESC(c);
      return false;
    }
    s = attempt();
    if (s.isOk() || !s.is(base::Errc::Locked)) {
      QESC(c);
      return s.isOk();
    }
  }
}

bool BLOKUJ(Context& c, db::WorkArea& area, LockMode mode) {
  if (mode == LockMode::Record) return retryBehindNotice(c, [&area] { return area.lockRecord(); });
  return retryBehindNotice(c, [&area] { return area.lockFile(); });
}

}  // namespace ui::browse
