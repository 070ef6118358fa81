// src/print/nr_wydruku.cpp — the print log.
#include "print/nr_wydruku.hpp"

#include <algorithm>
#include <cstdio>

#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "store/blok.hpp"
#include "store/use.hpp"

namespace print {
namespace {

constexpr int kDocumentWidth = 15;

std::string document(ui::Context& c) {
  std::string d = c.text("_DRU_DOK");
  if (d.find_first_not_of(' ') == std::string::npos) return "";
  d.resize(kDocumentWidth, ' ');
  return d;
}

// N3: builds WYDRUK_D when the log can be had exclusively at once.
bool ensureIndex(ui::Context& c) {
  store::Tables& t = *c.tables;
  sys::Env& env = c.workspace->env();
  if (!env.exists(t.tablePath("WYDRUKI"))) return false;
  if (env.exists(t.indexPath("WYDRUK_D"))) return true;
  db::UseOptions o;
  o.share = xbase::Share::Exclusive;
  o.newArea = true;
  const int previous = c.workspace->selected();
  auto area = c.workspace->use(t.tablePath("WYDRUKI"), o);
  if (!area) return false;
  const base::Status built = db::indexOn(**area, t.indexPath("WYDRUK_D"), db::IndexSpec("DOKUMENT+STR(WYDRUK,5)"));
  c.workspace->close((*area)->number());
  c.workspace->select(previous);
  return built.isOk();
}

struct Found {
  int highest = 0;
  std::uint32_t zeroRecord = 0;  // a record logged with number 0, 0 when none
};

Found lookUp(db::WorkArea& log, const std::string& doc) {
  Found f;
  const auto docField = log.fieldIndex("DOKUMENT"), numberField = log.fieldIndex("WYDRUK");
  if (!docField || !numberField) return f;
  log.seek(rt::Value::character(doc), db::SeekMode::Soft);
  for (; !log.eof() && log.value(*docField).text() == doc; log.skip()) {
    const int n = static_cast<int>(log.value(*numberField).num());
    if (n == 0 && f.zeroRecord == 0) f.zeroRecord = log.recno();
    f.highest = std::max(f.highest, n);
  }
  return f;
}

// The log open in a free area for the life of the object (N4).
class Log {
 public:
  explicit Log(ui::Context& c) : c_(c), previous_(c.workspace->selected()) {
    if (!ensureIndex(c)) return;
    c.workspace->select(0);
    if (!store::USE_(*c.tables, "WYDRUKI", "S", "WYDRUKI_", store::Caller{"NR_WYDRUKU", 0})) return;
    area_ = c.workspace->current();
    if (!store::attachIndexes(*c.tables, {"WYDRUK_D"})) {
      c.workspace->close(area_->number());
      area_ = nullptr;
    }
  }
  ~Log() {
    if (area_ != nullptr) {
      area_->unlockAll();
      c_.workspace->close(area_->number());
    }
    c_.workspace->select(previous_);
  }
  Log(const Log&) = delete;
  Log& operator=(const Log&) = delete;
  db::WorkArea* area() { return area_; }

 private:
  ui::Context& c_;
  int previous_;
  db::WorkArea* area_ = nullptr;
};

void logged(ui::Context& c, db::WorkArea& log, const std::string& doc, int number) {
  const rt::LocalTime now = c.rt.now();
  char time[16];
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", now.hour % 100, now.minute % 100, now.second % 100);
  (void)log.replace("DOKUMENT", rt::Value::character(doc));
  (void)log.replace("WYDRUK", rt::Value::number(number, 5, 0));
  (void)log.replace("DATA", rt::Value::date(now.date));
  (void)log.replace("GODZINA", rt::Value::character(time));
  (void)log.replace("OPERATOR", rt::Value::character(c.text("_OPERATOR")));
  log.commit();
}

}  // namespace

int NR_WYDRUKU(ui::Context& c) {
  const std::string doc = document(c);
  if (doc.empty() || c.workspace == nullptr || c.tables == nullptr) return 0;
  Log log(c);
  if (log.area() == nullptr) return 0;
  db::WorkArea& a = *log.area();
  store::FBLOK(*c.tables);  // N2
  const Found f = lookUp(a, doc);
  if (f.zeroRecord != 0) {
    a.goTo(f.zeroRecord);
    logged(c, a, doc, 1);
    return 1;
  }
  const int number = f.highest + 1;
  store::APPE_BLOK(*c.tables);
  logged(c, a, doc, number);
  return number;
}

int WYDRUK_NR(ui::Context& c) {
  const std::string doc = document(c);
  if (doc.empty() || c.workspace == nullptr || c.tables == nullptr) return 0;
  Log log(c);
  if (log.area() == nullptr) return 0;
  const Found f = lookUp(*log.area(), doc);
  return f.zeroRecord != 0 ? 1 : f.highest + 1;
}

}  // namespace print
