// src/core/upgrade/uzg_wer.cpp — the ten upgrade steps, their screen and the closing offer
// of an index rebuild; see uzg_wer.hpp.
#include "core/upgrade/uzg_wer.hpp"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/index_rebuild.hpp"
#include "db/bulk_append.hpp"
#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "store/tables.hpp"
#include "store/upgrade/restructure.hpp"
#include "store/use.hpp"
#include "ui/menu/horizmenu.hpp"
#include "ui/qpc.hpp"
#include "xbase/dbf_file.hpp"

namespace core {
namespace {

using rt::literals::operator""_pl;

// The upgrade ends at the first table it cannot open.
struct Unavailable {};

constexpr int kStepRow = 23, kQuestionRow = 24;

std::string trimmed(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

class Upgrade {
 public:
  explicit Upgrade(ui::Context& c) : c_(c), t_(*c.tables) {}

  void run() {
    addMissing("STATUS", {{"DATA_AKT", 'D', 8, 0}});
    serviceDefaults();
    widenSector();
    createChanges();
    addMissing("ZAM_N", {{"KUPONY", 'C', 1, 0}, {"ILO_ZAM", 'N', 9, 2}, {"ILO_FAK", 'N', 9, 2}, {"ILO_SKA", 'N', 9, 2}});
    const std::vector<store::FieldRow> orderFields = {{"KUPONY", 'C', 1, 0},     {"PACZKI", 'C', 14, 0},
                                                      {"ETAP", 'C', 3, 0},       {"MAGAZYN_PH", 'C', 1, 0},
                                                      {"KURIER", 'C', 1, 0},     {"OPLATA", 'C', 1, 0},
                                                      {"ILO_FAK", 'N', 10, 3},   {"SKAN", 'C', 3, 0}};
    addMissing("EWIZAM", orderFields);
    std::vector<store::FieldRow> archiveFields;
    for (const store::FieldRow& r : orderFields)
      if (r.name != "PACZKI") archiveFields.push_back(r);
    addMissing("EWIARC", archiveFields);
    contractors();
    addMissing("SPR_P", {{"JM", 'C', 4, 0}});
    if (!writeStamp()) throw Unavailable{};
  }

 private:
  // Opens `name` shared read-only for its test, showing the step on row 23; the fields it
  // has. Throws Unavailable when it cannot be opened.
  std::vector<std::string> inspect(std::string_view name) {
    const std::string text = "Sprawdzanie struktury pliku "_pl + std::string(name);
    c_.con.writeCells(kStepRow, 0, text + std::string(text.size() < 79 ? 79 - text.size() : 0, ' '),
                      c_.con.attr(con::Slot::Standard));
    t_.ws.closeAll();
    if (!t_.ws.env().exists(t_.tablePath(name)) || !store::USE_(t_, name, "R", {}, store::callerAt()))
      throw Unavailable{};
    std::vector<std::string> fields;
    for (const xbase::dbf::Field& f : t_.ws.current()->table().fields()) fields.push_back(f.name);
    lengths_.clear();
    for (const xbase::dbf::Field& f : t_.ws.current()->table().fields()) lengths_.push_back(f.length);
    t_.ws.closeAll();
    return fields;
  }

  static bool has(const std::vector<std::string>& fields, std::string_view name) {
    return std::find(fields.begin(), fields.end(), name) != fields.end();
  }
  int widthOf(const std::vector<std::string>& fields, std::string_view name) const {
    for (std::size_t i = 0; i < fields.size(); ++i)
      if (fields[i] == name) return lengths_[i];
    return 0;
  }

  void change(std::string_view table, const std::function<void(std::vector<store::FieldRow>&)>& edit) {
    if (base::Status s = store::changeStructure(t_, table, edit); !s) throw Unavailable{};
  }

  // Steps 1, 5, 6, 7, 9: the fields a table lacks, added at its end.
  void addMissing(std::string_view table, const std::vector<store::FieldRow>& wanted) {
    const auto fields = inspect(table);
    bool missing = false;
    for (const store::FieldRow& r : wanted) missing = missing || !has(fields, r.name);
    if (!missing) return;
    change(table, [&](std::vector<store::FieldRow>& rows) {
      for (const store::FieldRow& r : wanted)
        if (store::findRow(rows, r.name) == nullptr) rows.push_back(r);
    });
  }

  // Step 2: installations stamped before the service switches existed get them off.
  void serviceDefaults() {
    inspect("CONFIG");
    if (!store::USE_(t_, "STATUS", "E", {}, store::callerAt())) return;
    db::WorkArea* status = t_.ws.current();
    std::string stamp;
    if (const auto f = status->fieldIndex("DATA_LIC")) {
      status->goTop();
      if (!status->eof()) stamp = trimmed(status->value(*f).text());
    }
    t_.ws.closeAll();
    if (stamp.size() != 6 || stamp >= "160425") return;
    if (!store::USE_(t_, "CONFIG", "E", {}, store::callerAt())) throw Unavailable{};
    db::WorkArea* config = t_.ws.current();
    config->goTop();
    if (!config->eof())
      for (const char* name : {"SERWIS", "FTP2"})
        if (config->fieldIndex(name)) (void)config->replace(name, rt::Value::character("N"));
    t_.ws.closeAll();
  }

  // Step 3: the sector code gets its separator: "A12" becomes "A -12". The values change in
  // the new table before it replaces the old one: a run killed half way leaves the narrow
  // field with the old values, and the next run converts them all.
  void widenSector() {
    const auto fields = inspect("ZAM_P");
    if (!has(fields, "SEKTOR") || widthOf(fields, "SEKTOR") >= 5) return;
    const auto widen = [](std::vector<store::FieldRow>& rows) { store::findRow(rows, "SEKTOR")->length = 5; };
    const auto separate = [](xbase::DbfFile& table, std::span<std::byte> record) {
      const std::size_t f = *table.fieldIndex("SEKTOR");
      const std::string old = table.value(record, f).text();
      if (trimmed(old).empty()) return base::Status();  // an empty sector stays empty
      return table.setValue(record, f, rt::Value::character((old.substr(0, 1) + " -" + old.substr(1)).substr(0, 5)));
    };
    if (base::Status s = store::changeStructure(t_, "ZAM_P", widen, separate); !s) throw Unavailable{};
  }

  // Step 4: the list of changed goods codes starts with every code, changed yesterday. It is
  // made under the structure table's name and renamed when full: a run killed half way
  // leaves no ZMIANY, and the next run makes it again.
  void createChanges() {
    const std::string path = t_.tablePath("ZMIANY"), fresh = t_.tablePath("XSTRUN");
    const std::string text = "Sprawdzanie struktury pliku ZMIANY"_pl;
    c_.con.writeCells(kStepRow, 0, text + std::string(79 - text.size(), ' '), c_.con.attr(con::Slot::Standard));
    if (t_.ws.env().exists(path)) return;
    t_.ws.closeAll();
    auto created = xbase::DbfFile::create(t_.ws.env(), t_.ws.clock(), fresh,
                                          {{"INDEKS", 'C', 20}, {"DATA", 'D', 8}, {"STATUS", 'C', 1}});
    if (!created) throw Unavailable{};
    (*created)->close();
    if (!store::USE_(t_, "XSTRUN", "E", {}, store::callerAt())) throw Unavailable{};
    db::WorkArea* a = t_.ws.current();
    if (t_.ws.env().exists(t_.tablePath("TOW")))
      if (auto added = db::appendFrom(*a, t_.tablePath("TOW"), {{"INDEKS"}, {}}); !added) throw Unavailable{};
    const sys::CivilTime now = t_.ws.clock().now();
    const rt::Date yesterday(rt::Date::fromYmd(now.year, now.month, now.day).julianDay() - 1);
    for (std::uint32_t r = 1; r <= a->lastRec(); ++r) {
      a->goTo(r);
      if (base::Status s = a->replace("DATA", rt::Value::date(yesterday)); !s) throw Unavailable{};
    }
    t_.ws.closeAll();
    if (base::Status s = t_.ws.env().rename(fresh, path); !s) throw Unavailable{};
    if (!store::USE_(t_, "ZMIANY", "E", {}, store::callerAt())) throw Unavailable{};
    if (base::Status s = db::indexOn(*t_.ws.current(), t_.indexPath("ZMIANY"), {"INDEKS"}); !s) throw Unavailable{};
    t_.ws.closeAll();
  }

  // Step 8: longer notes and the loyalty-point fields.
  void contractors() {
    const auto fields = inspect("KON");
    const bool shortNotes = has(fields, "UWAGI") && widthOf(fields, "UWAGI") < 74;
    const std::vector<store::FieldRow> wanted = {{"CW", 'C', 1, 0}, {"PUNKTY_RA", 'N', 5, 0}, {"PUNKTY_OK", 'N', 5, 0}};
    bool missing = false;
    for (const store::FieldRow& r : wanted) missing = missing || !has(fields, r.name);
    if (!shortNotes && !missing) return;
    change("KON", [&](std::vector<store::FieldRow>& rows) {
      if (store::FieldRow* notes = store::findRow(rows, "UWAGI"); notes != nullptr && notes->length < 74) notes->length = 74;
      for (const store::FieldRow& r : wanted)
        if (store::findRow(rows, r.name) == nullptr) rows.push_back(r);
    });
  }

  // Step 10.
  bool writeStamp() {
    inspect("STATUS");
    if (!store::USE_(t_, "STATUS", "F", {}, store::callerAt())) return false;
    db::WorkArea* status = t_.ws.current();
    const auto f = status->fieldIndex("DATA_LIC");
    if (!f) {
      t_.ws.closeAll();
      return false;
    }
    status->goTop();
    if (status->eof()) (void)status->appendBlank();
    const bool written = static_cast<bool>(status->replace(*f, rt::Value::character(std::string(kStructureStamp))));
    t_.ws.closeAll();
    return written;
  }

  ui::Context& c_;
  store::Tables& t_;
  std::vector<int> lengths_;  // of the fields inspect() returned last
};

void deleteOldTemporaryTables(store::Tables& t) {
  for (const char* pattern : {"0*.DBF", "1*.DBF"})
    for (const std::string& path : t.paths.glob(pattern)) (void)t.ws.env().remove(path);
}

}  // namespace

bool UZG_WER(ui::Context& c) {
  // The rebuild offered at the end checks the stamp again: while it is still old (a table
  // could not be opened) that check must not start another upgrade.
  static bool running = false;
  if (running) return false;
  running = true;
  struct Done {
    ~Done() { running = false; }
  } done_;
  ui::RoutineScope scope(c, "UZG_WER");
  store::Tables& t = *c.tables;
  c.con.tone(200, 1);
  ui::QPC(c, ui::Switch::On, " Proszę czekać. Aktualizacja wersji programu ... "_pl);
  (void)c.con.inkey(con::KeyWait::seconds(5));
  // Start-up has not read the configuration yet when it runs the upgrade.
  if (t.ws.env().exists(t.tablePath("CONFIG")) && store::USE_(t, "CONFIG", "R", {}, store::callerAt())) {
    db::WorkArea* config = t.ws.current();
    config->goTop();
    for (const char* name : {"KONTO_PH", "FORMAT_IND"})
      if (const auto f = config->fieldIndex(name); f && !config->eof())
        c.setPublic(std::string("_") + name, config->value(*f));
  }
  t.ws.closeAll();
  bool done = false;
  try {
    Upgrade(c).run();
    deleteOldTemporaryTables(t);
    done = true;
  } catch (const Unavailable&) {
  }
  t.ws.closeAll();
  ui::QPC(c, ui::Switch::Off);
  c.con.clearRow(kStepRow, 0);
  if (ui::HORIZMENU(c, kQuestionRow, 0, "Wykonać sortowanie kartotek ?"_pl, {"TAK", "NIE"}, 1) == 1) {
    c.con.clearScreen();
    if (t.ws.env().exists(t.tablePath("CONFIG")) && store::USE_(t, "CONFIG", "R", {}, store::callerAt())) {
      db::WorkArea* config = t.ws.current();
      config->goTop();
      if (const auto f = config->fieldIndex("WERSJA"); f && !config->eof()) c.setPublic("_WERSJA", config->value(*f));
    }
    t.ws.closeAll();
    INDEX(c, false, ' ');
  }
  return done;
}

}  // namespace core
