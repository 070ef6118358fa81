// src/core/config/config_form.cpp — CONFIG.
#include "core/config/config_form.hpp"

#include <map>
#include <string>
#include <vector>

#include "base/check.hpp"
#include "base/fault.hpp"
#include "core/config_vars.hpp"
#include "core/haslo.hpp"
#include "core/program_vars.hpp"
#include "core/station_print_settings.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "rt/number_text.hpp"
#include "store/use.hpp"
#include "ui/form/read_form.hpp"
#include "ui/form/sz.hpp"
#include "ui/modal_box.hpp"
#include "ui/operation.hpp"
#include "ui/qke.hpp"

namespace core {

using rt::literals::operator""_pl;

namespace {

constexpr int kLabelCol = 1;
constexpr int kFieldCol = 28;

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

// Same stored content: the form gives back what it was given unless the operator typed.
bool sameValue(const rt::Value& a, const rt::Value& b) {
  if (a.isText() && b.isText()) return a.text() == b.text();
  if (a.isNumber() && b.isNumber()) return a.num() == b.num();
  return false;
}

bool blankText(const rt::Value& v) { return v.isText() && trimmed(v.text()).empty(); }

// C5: the stored shape of the account and of the invoicing station.
rt::Value shapedField(std::string_view name, rt::Value v) {
  if (!v.isText()) return v;
  const std::size_t width = v.text().size();
  if (name == "KONTO_PH" && blankText(v)) return rt::Value::character(std::string("00000").substr(0, width));
  if (name == "STANOW_ZAM" && !blankText(v)) return rt::Value::character(rt::strZero(rt::val(v.text()).value, static_cast<int>(width)));
  return v;
}

// The record's fields while the form edits them; nothing reaches the table before saving.
class Draft {
 public:
  explicit Draft(db::WorkArea& area) : area_(area) {}

  bool has(const std::string& name) {
    if (values_.count(name) != 0) return true;
    const auto i = area_.fieldIndex(name);
    if (!i) return false;
    values_[name] = area_.value(*i);
    return true;
  }
  rt::Value get(const std::string& name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? rt::Value() : it->second;
  }
  std::string text(const std::string& name) const {
    const rt::Value v = get(name);
    return v.isText() ? v.text() : std::string();
  }
  ui::Variable variable(const std::string& name) {
    return ui::Variable(name, [this, name] { return values_[name]; },
                        [this, name](const rt::Value& v) { values_[name] = v; });
  }
  // C5, then every field whose value differs from the record's is written.
  base::Status save() {
    bool changed = false;
    for (auto& [name, value] : values_) {
      value = shapedField(name, value);
      const auto i = area_.fieldIndex(name);
      if (!i || sameValue(area_.value(*i), value)) continue;
      if (base::Status s = area_.replace(*i, value); !s) return s;
      changed = true;
    }
    if (changed) area_.commit();
    return base::Status();
  }

 private:
  db::WorkArea& area_;
  std::map<std::string, rt::Value> values_;
};

bool oneOf(const rt::Value& v, std::string_view allowed) {
  const std::string t = v.isText() ? trimmed(v.text()) : std::string();
  if (t.empty()) return true;
  return t.size() == 1 && allowed.find(t[0]) != std::string_view::npos;
}

// C4: the invoicing program's station folder must hold its print settings.
bool invoicingStationValid(ui::Context& c, const Draft& d) {
  ui::SZ(c);
  const std::string station = trimmed(d.text("STANOW_ZAM"));
  if (station.empty()) return true;
  std::string folder = trimmed(rt::upperCp852(d.text("GDZIE_KV")));
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();  // "C:\KV\" names "C:\KV"
  folder += "#" + rt::strZero(rt::val(station).value, 2);
  return c.tables->ws.env().exists(c.paths.resolve(folder + "\\PARADRUK.DBF"));
}

class FormBuilder {
 public:
  FormBuilder(ui::Context& c, Draft& d) : c_(c), d_(d) {}

  // A labelled field; a field the table lacks is left out with its label.
  ui::Get* add(int row, const char* label, const std::string& name, const char* picture, int col = kFieldCol) {
    if (!d_.has(name)) return nullptr;
    if (label != nullptr) c_.con.write(row, kLabelCol, rt::cp852FromUtf8(label));
    ui::Get g;
    g.row = row;
    g.col = col;
    g.var = d_.variable(name);
    g.picture = picture;
    gets.push_back(std::move(g));
    return &gets.back();
  }
  void text(int row, int col, const char* utf8) { c_.con.write(row, col, rt::cp852FromUtf8(utf8)); }

  std::vector<ui::Get> gets;

 private:
  ui::Context& c_;
  Draft& d_;
};

// The form of C3 and C4.
std::vector<ui::Get> buildForm(ui::Context& c, Draft& d) {
  FormBuilder f(c, d);
  const auto yesNo = [&d](const std::string& name) {
    return ui::Condition([&d, name](ui::Context&) { return oneOf(d.get(name), "TN"); });
  };
  if (ui::Get* g = f.add(1, "Konto przedstawiciela :   ", "KONTO_PH", "@! 99999")) {
    g->valid = [&d](ui::Context&) { return accountValid(d.text("KONTO_PH")); };
    f.text(1, kFieldCol + 7, "(dla centrali konto 00000)");
  }
  f.add(2, "Format indeksu :          ", "FORMAT_IND", "@!");
  if (f.add(3, "Format ilości / wartości :", "FORMAT_ILO", "@!")) {
    const int after = kFieldCol + static_cast<int>(d.text("FORMAT_ILO").size());
    if (f.add(3, nullptr, "FORMAT_WAR", "@!", after + 1)) f.text(3, after, "/");
  }
  f.add(4, "Długość nazwy :           ", "LEN_NAZ", "99");
  if (ui::Get* g = f.add(5, "Opisy towarów ?           ", "OPISY_TOW", "@!"))
    g->valid = [&d](ui::Context&) { return oneOf(d.get("OPISY_TOW"), "T"); };
  f.add(6, "Długość opisu  :          ", "LEN_OPI", "99");
  f.add(8, "Folder programu Kalvero  :", "GDZIE_KV", "@!");
  f.add(9, "Folder słownika firm :    ", "GDZIE_KON", "@!");
  f.add(10, "Folder wymiany danych :   ", "GDZIE_DAN", "@!");
  if (ui::Get* g = f.add(11, "Stanowisko zapisu faktur: ", "STANOW_ZAM", "99"))
    g->valid = [&d](ui::Context& cx) { return invoicingStationValid(cx, d); };
  f.add(13, "E-mail centrali :         ", "MAIL_CE", "@!");
  if (f.add(14, "E-mail serwisu :          ", "MAIL_SE", "@!S24")) {
    if (ui::Get* g = f.add(14, nullptr, "SERWIS", "@!", 70)) {
      f.text(14, 54, "Aktywny (T/N) :");
      g->valid = yesNo("SERWIS");
    }
  }
  if (ui::Get* g = f.add(15, "Drugi adres FTP (T/N) :   ", "FTP2", "@!")) g->valid = yesNo("FTP2");
  f.add(18, "Folder programu :         ", "KARTOTEKA", "@!");
  f.add(19, "Archiwizacja danych :     ", "ARCH_1", "@S50");
  f.add(20, nullptr, "ARCH_2", "@S50");
  f.add(21, nullptr, "ARCH_3", "@S50");
  return std::move(f.gets);
}

// C6: the record's fields for the variables, the account and station shaped as saved.
ConfigField shapedFields(db::WorkArea& area) {
  return [&area](std::string_view name) -> std::optional<rt::Value> {
    const auto i = area.fieldIndex(name);
    if (!i) return std::nullopt;
    return shapedField(name, area.value(*i));
  };
}

bool allowed(ui::Context& c) { return PRIORYTET_(c.rt) >= 9 && askPassword(c, HASLO_(c.rt), 0); }

void edit(ui::Context& c, ui::Operation& op) {
  store::Tables& t = *c.tables;
  db::WorkArea* area = op.use("CONFIG", "E!");
  if (area == nullptr) return;
  area->goTop();
  if (!area->eof()) {
    Draft draft(*area);
    std::vector<ui::Get> gets = buildForm(c, draft);
    if (ui::readForm(c, gets).saved())
      if (const base::Status s = draft.save(); !s) throw base::IoFault(t.tablePath("CONFIG"), s.toString());
    readConfigVars(c.rt, shapedFields(*area));
  }
  op.closeTables();
  setStationFolder(c.rt);
  if (!t.ws.env().exists(c.paths.resolve(SCL_(c.rt)))) {
    ui::QKE(c, "Uwaga! Błędna konfiguracja programu. Brak kartoteki "_pl + SCL_(c.rt));
    return;
  }
  copyPrintSettings(t);
}

}  // namespace

bool accountValid(std::string_view konto) {
  if (trimmed(konto).empty()) return true;
  if (konto.find(' ') != std::string_view::npos) return false;
  return rt::val(konto).value <= 25;
}

void CONFIG(ui::Context& c) {
  ZEL_CHECK(c.tables != nullptr);
  ui::RoutineScope scope(c, "CONFIG");
  const std::string saved = c.con.save();
  const con::Cursor cursor = c.con.cursor();
  {
    ui::Operation op(c, "█▓▓▒▒░░  KONFIGURACJA PODSTAWOWA ░░▒▒▓▓█"_pl);
    const std::string notice = "Opcja dozwolona tylko przed wprowadzeniem danych użytkowych"_pl;
    c.con.write(23, ui::centredLeft(ui::width(notice)), notice);
    if (allowed(c))
      edit(c, op);
    else
      ui::QKE(c, "Brak uprawnień !"_pl);
  }
  c.con.restore(con::Rect::whole(), saved);
  c.con.moveCursor(cursor.row, cursor.col);
}

}  // namespace core
