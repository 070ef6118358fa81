// src/store/info_log.cpp — INFO_LOG.
#include "store/info_log.hpp"

#include <cstdio>
#include <optional>

#include "base/fault.hpp"
#include "db/work_area.hpp"
#include "rt/date.hpp"
#include "store/blok.hpp"
#include "store/use.hpp"

namespace store {
namespace {

std::string timeText(const sys::CivilTime& now) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", now.hour, now.minute, now.second);
  return buf;
}

db::WorkArea* sourceArea(Tables& t, const rt::Value& area) {
  if (area.isNumber()) return t.ws.area(static_cast<int>(area.num()));
  if (area.isText()) return t.ws.find(area.text());
  return t.ws.current();
}

// The values INFO_LOG takes from the source area, read before the log opens.
struct SourceValues {
  std::optional<rt::Value> indeks, magazyn, firma;
};

SourceValues readSource(db::WorkArea* a) {
  SourceValues v;
  if (a == nullptr) return v;
  const auto read = [&](std::string_view field) -> std::optional<rt::Value> {
    const auto i = a->fieldIndex(field);
    return i ? std::optional<rt::Value>(a->value(*i)) : std::nullopt;
  };
  v.indeks = read("INDEKS");
  v.magazyn = read("NR_MAG");
  v.firma = read("NR_KON");
  return v;
}

void appendEntry(Tables& t, std::string_view description, const SourceValues& src) {
  if (!USE_(t, "INFO_LOG", "S")) return;
  if (!attachIndexes(t, {std::string(kInfoLogIndexes[0].file), std::string(kInfoLogIndexes[1].file)})) return;
  APPE_BLOK(t);
  db::WorkArea& log = *t.ws.current();
  const sys::CivilTime now = t.ws.clock().now();
  // Values too long for their field are cut to it; nothing here is worth failing over.
  (void)log.replace("DATA", rt::Value::date(rt::Date::fromYmd(now.year, now.month, now.day)));
  (void)log.replace("CZAS", rt::Value::character(timeText(now)));
  (void)log.replace("STANOWISKO", rt::Value::character(t.textVar("NUMER_STAN")));
  (void)log.replace("OPERATOR", rt::Value::character(t.textVar("_OPERATOR")));
  (void)log.replace("OPIS", rt::Value::character(std::string(description)));
  if (src.indeks) (void)log.replace("INDEKS", *src.indeks);
  if (src.magazyn) (void)log.replace("MAGAZYN", *src.magazyn);
  if (src.firma) (void)log.replace("FIRMA", *src.firma);
}

}  // namespace

void INFO_LOG(Tables& t, std::string_view description, const rt::Value& area) {
  const rt::Value level = t.rt.vars().get("_PRIORYTET");
  if (level.isNumber() && level.num() >= 10) return;
  if (!t.ws.env().exists(t.indexPath(kInfoLogIndexes[1].file))) return;
  const SourceValues src = readSource(sourceArea(t, area));
  const int previous = t.ws.selected();
  t.ws.select(0);
  const int logArea = t.ws.selected();
  // The log is a record of actions, never a reason to stop one: a fault of its files is
  // dropped here, and the area it used is given up whatever happened.
  try {
    appendEntry(t, description, src);
    t.ws.close(logArea);
  } catch (const base::Fault&) {
    try {
      t.ws.close(logArea);
    } catch (const base::Fault&) {
    }
  }
  t.ws.select(previous);
}

}  // namespace store
