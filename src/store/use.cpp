// src/store/use.cpp — _USE: open modes, the waiting notice, cancel and emergency exit.
#include "store/use.hpp"

#include <cctype>

#include "con/key_codes.hpp"
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

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

xbase::Share shareOf(Opening o) {
  switch (o) {
    case Opening::Shared:
    case Opening::FileLock: return xbase::Share::Shared;
    case Opening::ReadOnly: return xbase::Share::SharedReadOnly;
    case Opening::Exclusive: break;
  }
  return xbase::Share::Exclusive;
}

// U5: an alias that cannot be used is the program's error, not another station's doing.
void raiseAliasError(Tables& t, const Status& s, std::string_view name) {
  rt::Error e;
  e.genCode = s.is(Errc::Exists) ? rt::GenCode::DupAlias : rt::GenCode::BadAlias;
  e.subsystem = "DBCMD";
  e.subCode = s.is(Errc::Exists) ? 1011 : 1010;
  e.description = s.is(Errc::Exists) ? "Alias already in use" : "Illegal characters in alias";
  e.operation = "USE";
  e.fileName = std::string(name);
  t.rt.raise(e);
}

enum class Try { Open, Busy, Refused };

// One try (U1, U3). Busy: another station has the table (or it is missing); Refused: the
// alias cannot be used and the error handler chose to go on.
Try tryOpen(Tables& t, const std::string& path, std::string_view name, Opening opening, std::string_view alias) {
  db::UseOptions options;
  options.alias = std::string(alias);
  options.share = shareOf(opening);
  auto area = t.ws.use(path, options);
  if (!area) {
    if (!area.error().is(Errc::Exists) && !area.error().is(Errc::Invalid)) return Try::Busy;
    raiseAliasError(t, area.error(), name);
    return Try::Refused;
  }
  if (opening != Opening::FileLock) return Try::Open;
  if ((*area)->lockFile()) return Try::Open;
  t.ws.close((*area)->number());
  return Try::Busy;
}

bool useSingleUser(Tables& t, const std::string& path, std::string_view name, std::string_view alias) {
  const Try r = tryOpen(t, path, name, Opening::Exclusive, alias);
  if (r == Try::Open) return true;
  if (r == Try::Busy) t.showError("Dane niedostępne w tej części programu !"_pl);
  return false;
}

std::vector<std::string> noticeLines(std::string_view name, bool cancellable) {
  const std::string first = cancellable ? " Oczekiwanie na dostęp do danych ...   <Esc> - rezygnacja "_pl
                                        : " Oczekiwanie na dostęp do danych ... "_pl;
  return {first, "Blokowany plik : " + trimmed(name)};
}

[[noreturn]] void emergencyExit(Tables& t, std::string_view name, const Caller& where) {
  t.ws.closeAll();
  t.con.clearScreen();
  t.reportError("Blokada dostępu do zbioru "_pl + std::string(name) + ".", where);
  t.endProgram();
}

}  // namespace

OpenMode parseOpenMode(std::string_view mode) {
  OpenMode m;
  m.cancellable = mode.find('!') == std::string_view::npos;
  const char first = mode.empty() ? 'E' : static_cast<char>(std::toupper(static_cast<unsigned char>(mode[0])));
  switch (first) {
    case 'S': m.opening = Opening::Shared; break;
    case 'R': m.opening = Opening::ReadOnly; break;
    case 'F': m.opening = Opening::FileLock; break;
    default: m.opening = Opening::Exclusive; break;
  }
  return m;
}

Caller callerAt(base::SourceLocation where) {
  // "bool orders::EZAM(Station&, int)" -> "EZAM"
  std::string f = where.function_name();
  if (const auto paren = f.find('('); paren != std::string::npos) f.erase(paren);
  if (const auto cut = f.find_last_of(" :"); cut != std::string::npos) f.erase(0, cut + 1);
  return {f, static_cast<int>(where.line())};
}

bool USE_(Tables& t, std::string_view name, std::string_view mode, std::string_view alias, const Caller& where) {
  const OpenMode m = parseOpenMode(mode);
  const std::string path = t.tablePath(trimmed(name));
  if (t.singleUser()) return useSingleUser(t, path, name, alias);

  ColourScope colour(t.con, "N/W");
  WaitNotice notice(t.con, noticeLines(name, m.cancellable));
  Try r = tryOpen(t, path, name, m.opening, alias);
  if (r != Try::Busy) return r == Try::Open;
  notice.show();
  for (;;) {
    t.waitPass();
    if (t.con.inkey(con::KeyWait::seconds(1)) == con::key::kEsc) {
      notice.hide();
      if (m.cancellable) return false;
      if (t.confirm("Awaryjne wyjście z programu ?"_pl) && t.servicePassword()) emergencyExit(t, name, where);
      notice.show();
    }
    r = tryOpen(t, path, name, m.opening, alias);
    if (r != Try::Busy) return r == Try::Open;  // the notice goes with its destructor
  }
}

Status attachIndexes(Tables& t, const std::vector<std::string>& names) {
  db::WorkArea* a = t.ws.current();
  if (a == nullptr) return Status(Errc::NotFound, "no table is open in the current work area");
  a->clearOrders();
  for (const std::string& n : names)
    if (Status s = a->addOrder(t.indexPath(trimmed(n))); !s) return s;
  return Status::ok();
}

}  // namespace store
