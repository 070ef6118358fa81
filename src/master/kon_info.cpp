// src/master/kon_info.cpp — the contractor information window, its invoices and their lines.
#include "master/kon_info.hpp"

#include "con/key_codes.hpp"
#include "db/bulk_copy.hpp"
#include "db/bulk_index.hpp"
#include "db/workspace.hpp"
#include "master/internal/fields.hpp"
#include "master/internal/info_window.hpp"
#include "master/internal/lookup_field.hpp"
#include "master/internal/seams.hpp"
#include "master/prices.hpp"
#include "rt/codepage.hpp"
#include "rt/number_text.hpp"
#include "rt/transform.hpp"
#include "store/use.hpp"
#include "ui/browse/blokuj.hpp"
#include "ui/browse/classedit.hpp"
#include "ui/call.hpp"
#include "ui/memo/memo_edit.hpp"
#include "ui/memo/memo_view.hpp"
#include "ui/qke.hpp"

namespace master {
namespace {

using rt::literals::operator""_pl;
namespace key = con::key;

constexpr int kTop = 1, kBottom = 23;
constexpr int kUpperBottom = 15;
constexpr con::Rect kWindow{kTop, 1, kBottom, 78};
constexpr con::Rect kNotes{kUpperBottom + 2, 3, kBottom - 1, 76};
constexpr std::size_t kConcessions = 71;
constexpr double kToneTicks = 0.5;

int row(int offset) { return kTop + offset; }

std::string padded(std::string s, std::size_t width) {
  s.resize(width, ' ');
  return s;
}

// The contractor's record, shown in the upper box. Labels in the window's colour, values
// in the highlight colour.
class Card {
 public:
  Card(ui::Context& c, db::WorkArea& kon) : c_(c), kon_(kon), hi_(highlight(c)) {}

  void draw(const std::string& groupName) {
    value(row(2), 21, text("NR_KON"));
    label(row(2), 32, "Grupa : ");
    value(row(2), 40, text("GRUPA_KON") + "  " + trimBoth(groupName));
    value(row(3), 3,
          padded(trimBoth(text("NAZWA_KON")).substr(0, 40) + "  " + trimBoth(text("NAZWA_KON2")).substr(0, 40), 75));
    value(row(4), 3, padded(trimBoth(text("MIASTO")) + ",  " + trimBoth(text("ADRES")), 75));
    label(row(5), 3, "Telefon : ");
    value(row(5), 13, trimBoth(text("TELEFON")) + " " + trimBoth(text("MAIL")));
    if (variantAt(c_, kConcessions) == 'K' && hasField(kon_, "D_KONCES_P")) concessions();
    label(row(7), 3, "Saldo WN odbiorcy :");
    value(row(7), 22, money(number("WN_ODB") - number("MA_ODB")));
    label(row(7), 40, "Obroty odbiorcy :");
    value(row(7), 57, money(number("WN_ODB")));
    label(row(8), 3, "Saldo MA dostawcy :");
    value(row(8), 22, money(number("MA_DOS") - number("WN_DOS")));
    label(row(8), 40, "Punkty : ");
    value(row(8), 49, whole("PUNKTY_OK") + "/" + whole("PUNKTY_RA") + std::string(12, ' '));
    label(row(10), 3, "Kredyt : ");
    value(row(10), 12, trimBoth(text("KREDYT")) == "T" ? "TAK" : "NIE");
    label(row(10), 40, "Płatność dni : "_pl);
    value(row(10), 55, rt::str(number("DNI"), 3));
    label(row(11), 3, "Limit kredytu : ");
    value(row(11), 19, money(number("LIMIT")));
    label(row(11), 40, "Rabat : ");
    value(row(11), 48, rt::str(number("RABAT_KON"), 4, 1) + " %");
    value(row(12), 3, text("UWAGI"));
    const std::string clerk = trimBoth(text("PRACOWNIK"));
    value(row(13), 3, trimBoth(text("SZEF")) + (clerk.empty() ? "" : ", " + clerk));
  }

 private:
  void label(int r, int col, std::string_view s) { c_.con.write(r, col, s); }
  void value(int r, int col, const std::string& s) { c_.con.writeAttr(r, col, s, hi_); }
  std::string text(std::string_view f) { return hasField(kon_, f) ? fieldText(c_, kon_, f) : std::string(); }
  double number(std::string_view f) { return hasField(kon_, f) ? fieldNumber(c_, kon_, f) : 0; }
  std::string whole(std::string_view f) { return trimBoth(rt::str(number(f), 5)); }
  std::string money(double v) {
    return rt::transform(rt::Value::number(v, 12, 2), c_.text("_FORMAT_WAR"), c_.rt.settings()).value_or("");
  }
  std::string date(std::string_view f) {
    return rt::transform(fieldValue(c_, kon_, f), "", c_.rt.settings()).value_or("");
  }
  void concessions() {
    label(row(6), 3, "Koncesje : ");
    value(row(6), 14, "P - " + date("D_KONCES_P") + "       W - " + date("D_KONCES_W") + "           S - " +
                          date("D_KONCES_S"));
  }

  ui::Context& c_;
  db::WorkArea& kon_;
  con::Attr hi_;
};

void drawBoxes(ui::Context& c) {
  c.con.clear(kWindow);
  c.con.box({kTop, 1, kUpperBottom, 78}, "▄▄▄█▀▀▀█ "_pl);
  c.con.box({kUpperBottom + 1, 1, kBottom, 78}, "╔═╗║╝═╚║ "_pl);
}

void editPrompt(ui::Context& c) {
  c.con.write(kBottom, 2, std::string(74, '\xCD'));
  c.con.write(kBottom, 4, " edycja - PgDn ");
}

// Reads the contractor's number; nullopt after Esc.
std::optional<std::string> askNumber(ui::Context& c, rt::Value number) {
  c.con.write(row(2), 3, "Nr kontrahenta : ");
  ui::Get g = ui::getOn(row(2), 21, number, "@!K N9999");
  if (!readWithLookup(c, g, contractorLookup(c, "KONINF", "miasto,adres")).saved()) return std::nullopt;
  return number.isText() ? number.text() : std::string();
}

// The notes of the contractor: the open table KON_TXT (nullptr: notes are not shown).
class Notes {
 public:
  Notes(ui::Context& c, const std::string& number) : c_(c), number_(number) {}

  bool available() { return table() != nullptr; }

  std::string text() {
    db::WorkArea* t = table();
    if (t == nullptr || !t->seek(rt::Value::character(number_), db::SeekMode::Exact)) return {};
    return fieldText(c_, *t, "TEKST");
  }

  // PgDn: the notes edited in the lower box and stored on Ctrl+W.
  void edit() {
    db::WorkArea* t = table();
    bool appended = false;
    if (t == nullptr || !lockRecord(*t, appended)) return;
    c_.con.tone(880, kToneTicks);
    c_.con.write(kBottom, 4, " zapis - Ctrl W ");
    c_.con.write(kBottom, 58, " rezygnacja - Esc ");
    const con::CursorShape shape = c_.con.setCursorShape(con::CursorShape::Normal);
    const std::optional<std::string> changed = ui::editMemo(c_, fieldText(c_, *t, "TEKST"), kNotes);
    c_.con.setCursorShape(shape);
    if (changed) storeField(c_, *t, "TEKST", rt::Value::memo(*changed));
    if (!changed && appended) (void)t->deleteRecord();  // no empty note is left behind
    t->commit();
    t->unlockAll();
    editPrompt(c_);
    c_.con.tone(440, kToneTicks);
  }

 private:
  db::WorkArea* table() {
    if (c_.workspace->find("KON_TXT") == nullptr) {
      db::Workspace& ws = *c_.workspace;
      const int previous = ws.selected();
      openTable(c_, "KON_TXT", "S", {}, catalogueIndexes("KON_TXT"));
      ws.select(previous);
    }
    return c_.workspace->find("KON_TXT");
  }

  // The note record of the contractor, found or appended, locked (Esc in the wait: false).
  bool lockRecord(db::WorkArea& t, bool& appended) {
    if (t.seek(rt::Value::character(number_), db::SeekMode::Exact))
      return ui::browse::BLOKUJ(c_, t, ui::browse::LockMode::Record);
    if (!ui::browse::retryBehindNotice(c_, [&t] { return t.appendBlank(); })) return false;
    storeField(c_, t, "NR_KON", rt::Value::character(number_));
    appended = true;
    return true;
  }

  ui::Context& c_;
  std::string number_;
};

std::string groupName(ui::Context& c, const std::string& group) {
  db::WorkArea* g = c.workspace->find("G_KON_INF");
  if (g == nullptr || !g->seek(rt::Value::character(group), db::SeekMode::Exact)) return {};
  return fieldText(c, *g, "OPIS_G_KON");
}

void showCard(ui::Context& c, const std::string& number) {
  db::WorkArea* kon = c.workspace->find("KONINF");
  if (kon == nullptr || !kon->seek(rt::Value::character(number), db::SeekMode::Exact)) return;
  Card(c, *kon).draw(groupName(c, fieldText(c, *kon, "GRUPA_KON")));
}

// The window's keys until Esc.
void keyLoop(ui::Context& c, const std::string& number, Notes& notes) {
  const bool editable = notes.available();
  for (;;) {
    if (editable) editPrompt(c);
    const int k = ui::viewMemo(c, notes.text(), kNotes, [editable](int pressed) {
      if (pressed == key::kEnter || pressed == ' ' || (pressed == key::kPgDn && editable)) return ui::ViewKey::Close;
      return ui::ViewKey::Default;
    });
    if (k == key::kEnter) {
      ui::call(c, "HCRM", {rt::Value::character(number)});
    } else if (k == ' ') {
      SPR_INFO(c, number, kTop, kBottom);
    } else if (k == key::kPgDn) {
      notes.edit();
    } else {
      return;
    }
    drawBoxes(c);
    c.con.write(row(2), 3, "Nr kontrahenta : ");
    showCard(c, number);
  }
}

// SPR_INFO's work files, deleted however the list ends.
class WorkTable {
 public:
  WorkTable(ui::Context& c, std::string name) : c_(c), name_(c.tables->stationFolder() + std::move(name)) {}
  ~WorkTable() {
    if (const int a = c_.workspace->areaOf(alias()); a != 0) c_.workspace->close(a);
    for (const std::string& path : {c_.tables->tablePath(name_), c_.tables->indexPath(name_)})
      if (c_.workspace->env().exists(path)) (void)c_.workspace->env().remove(path);
  }
  WorkTable(const WorkTable&) = delete;
  WorkTable& operator=(const WorkTable&) = delete;
  const std::string& name() const { return name_; }
  std::string path() const { return c_.tables->tablePath(name_); }
  std::string alias() const {
    const std::size_t slash = name_.find_last_of("\\/");
    return slash == std::string::npos ? name_ : name_.substr(slash + 1);
  }

 private:
  ui::Context& c_;
  std::string name_;
};

// Copies the records from the current one on while `field` holds `value` into `to`.
void copyWhile(db::WorkArea& from, const std::string& field, const std::string& value, const std::string& to) {
  const std::size_t i = *from.fieldIndex(field);
  db::CopyOptions o;
  o.whileCondition = db::Expr::predicate([&from, i, value] { return from.value(i).text() == value; });
  if (const auto copied = db::copyTo(from, to, o); !copied)
    throw base::IoFault(to, "cannot copy the records: " + copied.error().toString());
}

}  // namespace

void KON_INFO(ui::Context& c) {
  ui::RoutineScope routine(c, "KON_INFO");
  const std::optional<rt::Value> current = currentFieldValue(c, "NR_KON");
  InfoWindow window(c, kWindow);
  rt::Value number = current && current->isText() ? *current : rt::Value::character("     ");
  if (openTable(c, "KON", "R", "KONINF", catalogueIndexes("KON")) == nullptr) return;
  drawBoxes(c);
  const std::optional<std::string> chosen = askNumber(c, number);
  if (!chosen) return;
  openTable(c, "SL_G_KON", "R", "G_KON_INF", catalogueIndexes("SL_G_KON"));
  Notes notes(c, *chosen);
  showCard(c, *chosen);
  keyLoop(c, *chosen, notes);
}

void SPR_INFO(ui::Context& c, const std::string& number, int top, int bottom) {
  ui::RoutineScope routine(c, "SPR_INFO");
  TableScope tables(c);
  db::WorkArea* invoices = openTable(c, "SPR_N", "R", "INFO_SPR", {"SPR_N_KO"});
  if (invoices == nullptr) return;
  if (!invoices->seek(rt::Value::character(number), db::SeekMode::Exact)) {
    ui::QKE(c, "Brak faktur tego odbiorcy !"_pl);
    return;
  }
  WorkTable work(c, "SPR_INFO");
  copyWhile(*invoices, "NR_KON", number, work.path());
  db::WorkArea* list = openTable(c, work.name(), "E", work.alias());
  if (list == nullptr) return;
  if (const base::Status s = db::indexOn(*list, c.tables->indexPath(work.name()), db::IndexSpec("DTOS(DATA_DOK)")); !s)
    throw base::IoFault(c.tables->indexPath(work.name()), "cannot order the invoices: " + s.toString());
  ui::browse::Options o;
  o.table = con::Rect{top + 5, 2, bottom - 1, 77};
  o.screenKey = "SPR_N";
  o.tableLayout = "V1";
  o.colours = rt::Value::character("KOLORY_WN()");
  o.commentLines = 0;
  if (auto engine = ui::browse::CLASSEDIT(c, *list, std::move(o))) {
    engine->addKey({' ', rt::Value::character("POZ_INFO()"), rt::Value::character("POZ_INFO()")});
    ui::browse::DOEDIT(c, *engine, 0);
  }
  c.con.clearTypeAhead();
  c.con.tone(880, kToneTicks);
}

void POZ_INFO(ui::Context& c) {
  if (c.con.lastKey() != ' ') return;
  db::WorkArea& invoice = currentArea(c);
  if (fieldText(c, invoice, "NR_MAG") == "000") return;
  const std::string document = fieldText(c, invoice, "DOKUMENT");
  ui::RoutineScope routine(c, "POZ_INFO");
  TableScope tables(c);
  if (const int open = c.workspace->areaOf("POZ_FAK"); open != 0) c.workspace->close(open);
  if (openTable(c, "TOW", "R", "TOW_INF", {"TOW_IN"}) == nullptr) return;
  db::WorkArea* lines = openTable(c, "SPR_P", "R", "POZ_INF", {"SPR_P_NR"});
  if (lines == nullptr) return;
  lines->seek(rt::Value::character(document), db::SeekMode::Exact);
  WorkTable work(c, "POZ_FAK");
  copyWhile(*lines, "DOKUMENT", document, work.path());
  db::WorkArea* list = openTable(c, work.name(), "E", work.alias());
  if (list == nullptr) return;
  list->addRelation(c.workspace->compile("S_I(INDEKS)"), *c.workspace->find("TOW_INF"));
  list->goTop();
  ui::browse::Options o;
  o.table = con::Rect{2, 6, 23, -1};
  o.screenKey = "POZ_FAK";
  o.tableLayout = "V3";
  o.frame = "▄▄▄█▀▀▀█ ██▀"_pl;
  o.commentLines = 0;
  if (auto engine = ui::browse::CLASSEDIT(c, *list, std::move(o))) ui::browse::DOEDIT(c, *engine, 0);
}

}  // namespace master
