// src/print/settings.cpp — PARADRUK read and written for one report.
#include "print/settings.hpp"

#include <cmath>
#include <optional>

#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "store/tables.hpp"
#include "store/use.hpp"

namespace print {
namespace {

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

// The station's PARADRUK open in a free area for the life of the object; the area
// selected before is selected again afterwards.
class SettingsTable {
 public:
  SettingsTable(ui::Context& c, std::string_view mode) : c_(c), previous_(c.workspace->selected()) {
    store::Tables& t = *c.tables;
    const std::string name = t.stationFolder() + "PARADRUK";
    if (!c.workspace->env().exists(t.tablePath(name))) {
      status_ = base::Status(base::Errc::NotFound, t.tablePath(name));
      return;
    }
    c.workspace->select(0);
    if (!store::USE_(t, name, mode, "PARADRUK_", store::Caller{"DRUKUJ", 0})) {
      status_ = base::Status(base::Errc::Cancelled, name);
      c.workspace->select(previous_);
      return;
    }
    area_ = c.workspace->current();
    if (c.workspace->env().exists(t.indexPath(name))) (void)store::attachIndexes(t, {name});
  }
  ~SettingsTable() {
    if (area_ != nullptr) c_.workspace->close(area_->number());
    c_.workspace->select(previous_);
  }
  SettingsTable(const SettingsTable&) = delete;
  SettingsTable& operator=(const SettingsTable&) = delete;

  db::WorkArea* area() { return area_; }
  const base::Status& status() const { return status_; }

  // S1: positions on the report's record; false when the table has no record at all.
  bool find(int report, bool exact) {
    if (seek(variantOf(report))) return true;
    if (exact) return false;
    if (seek("STANDARD")) return true;
    area_->goTop();
    return !area_->eof();
  }

 private:
  bool seek(const std::string& variant) {
    if (area_->controllingOrder() != nullptr) return area_->seek(rt::Value::character(variant), db::SeekMode::Exact);
    const auto field = area_->fieldIndex("WARIANT");
    if (!field) return false;
    for (area_->goTop(); !area_->eof(); area_->skip())
      if (trimmed(area_->value(*field).text()) == variant) return true;
    return false;
  }

  ui::Context& c_;
  int previous_;
  db::WorkArea* area_ = nullptr;
  base::Status status_;
};

std::optional<rt::Value> fieldValue(db::WorkArea& a, std::string_view name) {
  const auto i = a.fieldIndex(name);
  if (!i) return std::nullopt;
  return a.value(*i);
}

void readNumber(db::WorkArea& a, std::string_view name, int& out) {
  if (auto v = fieldValue(a, name); v && v->isNumber()) out = static_cast<int>(std::lround(v->num()));
}
void readText(db::WorkArea& a, std::string_view name, std::string& out) {
  if (auto v = fieldValue(a, name); v && v->isText()) out = trimmed(v->text());
}
void readFlag(db::WorkArea& a, std::string_view name, bool& out) {
  if (auto v = fieldValue(a, name); v && v->isText()) out = trimmed(v->text()) == "T";
}

Settings fromRecord(db::WorkArea& a) {
  Settings s;
  readNumber(a, "GESTOSC", s.density);
  readNumber(a, "RAMKI", s.frames);
  readNumber(a, "WYSUW", s.feedAtEnd);
  readNumber(a, "MARG_GORNY", s.topMargin);
  readNumber(a, "MARG_LEWY", s.leftMargin);
  readNumber(a, "DL_STRONY", s.pageLength);
  readText(a, "ORIENTACJA", s.orientation);
  readFlag(a, "PODKRE", s.underlines);
  readFlag(a, "CIAGLY", s.continuous);
  readFlag(a, "RESET", s.reset);
  readText(a, "KODY_DOD", s.extraCodes);
  readText(a, "TRYB", s.mode);
  readText(a, "PORT", s.port);
  readText(a, "KODY", s.codes);
  if (auto v = fieldValue(a, "KONWERSJA"); v && v->isText()) {
    const std::string k = v->text() + std::string(6, ' ');
    s.from = trimmed(k.substr(0, 3));
    s.to = trimmed(k.substr(3, 3));
  }
  if (s.density < 1 || s.density > 4) s.density = 1;
  return s;
}

base::Status writeRecord(db::WorkArea& a, int report, const Settings& s, bool fresh) {
  const auto flag = [](bool b) { return rt::Value::character(b ? "T" : "N"); };
  const auto number = [](int n) { return rt::Value::number(n); };
  const std::pair<const char*, rt::Value> values[] = {
      {"GESTOSC", number(s.density)},       {"RAMKI", number(s.frames)},
      {"WYSUW", number(s.feedAtEnd)},       {"MARG_GORNY", number(s.topMargin)},
      {"MARG_LEWY", number(s.leftMargin)},  {"DL_STRONY", number(s.pageLength)},
      {"ORIENTACJA", rt::Value::character(s.orientation)},
      {"PODKRE", flag(s.underlines)},       {"CIAGLY", flag(s.continuous)},
      {"RESET", flag(s.reset)},             {"KODY_DOD", rt::Value::character(s.extraCodes)},
      {"TRYB", rt::Value::character(s.mode)}, {"PORT", rt::Value::character(s.port)},
      {"KONWERSJA", rt::Value::character((s.from + "   ").substr(0, 3) + s.to)},
      {"KODY", rt::Value::character(s.codes)},
  };
  if (fresh)
    if (base::Status st = a.replace("WARIANT", rt::Value::character(variantOf(report))); !st) return st;
  for (const auto& [field, value] : values) {
    if (!a.fieldIndex(field)) continue;
    if (base::Status st = a.replace(field, value); !st) return st;
  }
  return base::Status::ok();
}

}  // namespace

std::string variantOf(int report) { return std::to_string(report); }

Settings readSettings(ui::Context& c, int report) {
  if (c.workspace == nullptr || c.tables == nullptr) return {};
  SettingsTable t(c, "R");
  if (t.area() == nullptr || !t.find(report, false)) return {};
  return fromRecord(*t.area());
}

base::Status saveSettings(ui::Context& c, int report, const Settings& s) {
  SettingsTable t(c, "E");
  if (t.area() == nullptr) return t.status();
  db::WorkArea& a = *t.area();
  const bool fresh = !t.find(report, true);
  if (fresh) {
    if (base::Status st = a.appendBlank(); !st) return st;
  } else if (base::Status st = a.lockRecord(); !st) {
    return st;
  }
  base::Status st = writeRecord(a, report, s, fresh);
  if (st) a.commit();
  a.unlockAll();
  return st.isOk() ? st : base::Status(base::Errc::Io, st.toString());
}

}  // namespace print
