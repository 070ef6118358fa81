// src/store/error_log.cpp — the error log.
#include "store/error_log.hpp"

#include <cstdio>

#include "base/fault.hpp"
#include "db/work_area.hpp"
#include "rt/date.hpp"

namespace store {
namespace {

constexpr int kTries = 20;  // with the retry pause between them, about a second

void writeEntry(Tables& t, db::WorkArea& log, std::string_view text, const Caller& where) {
  base::Status s = log.appendBlank();
  for (int i = 1; i < kTries && s.is(base::Errc::Locked); ++i) {
    t.retryPause();
    s = log.appendBlank();
  }
  if (!s) return;
  const sys::CivilTime now = t.ws.clock().now();
  char time[16];
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", now.hour, now.minute, now.second);
  // Values too long for their field are cut to it.
  (void)log.replace("DATA", rt::Value::date(rt::Date::fromYmd(now.year, now.month, now.day)));
  (void)log.replace("CZAS", rt::Value::character(time));
  (void)log.replace("STA", rt::Value::character(t.textVar("NUMER_STAN")));
  (void)log.replace("OPE", rt::Value::character(t.textVar("_OPERATOR")));
  (void)log.replace("OPIS", rt::Value::character(std::string(text)));
  (void)log.replace("PROCEDURA", rt::Value::character(where.procedure));
  (void)log.replace("LINIA", rt::Value::number(where.line, 6, 0));
}

}  // namespace

void appendErrorLog(Tables& t, std::string_view text, const Caller& where) {
  const std::string path = t.tablePath("ERR_LOG");
  if (!t.ws.env().exists(path)) return;
  const int previous = t.ws.selected();
  t.ws.select(0);
  const int area = t.ws.selected();
  // The log records faults; a fault of the log itself is dropped so as not to hide the first.
  try {
    auto log = t.ws.use(path, {"ERR_LOG", xbase::Share::Shared, false});
    if (log) writeEntry(t, **log, text, where);
    t.ws.close(area);
  } catch (const base::Fault&) {
    try {
      t.ws.close(area);
    } catch (const base::Fault&) {
    }
  }
  t.ws.select(previous);
}

}  // namespace store
