// src/ui/browse/edit_table.cpp — reading a screen's column descriptions from EDIT.
#include "ui/browse/edit_table.hpp"

#include <algorithm>

#include "db/bulk_index.hpp"
#include "db/workspace.hpp"
#include "ui/browse/host.hpp"

namespace ui::browse {
namespace {

struct Layout {
  std::string field;      // upper case; "V0" takes every record
  std::string condition;  // empty: none
};

Layout parseLayout(std::string_view text) {
  Layout l;
  const std::size_t bar = text.find('|');
  std::string field(text.substr(0, bar));
  field.erase(std::remove(field.begin(), field.end(), ' '), field.end());
  for (char& ch : field) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  l.field = field.empty() ? "V0" : field;
  if (bar != std::string_view::npos) l.condition = std::string(text.substr(bar + 1));
  return l;
}

std::string trimmedRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
  return s;
}

std::string textField(db::WorkArea& a, std::string_view name) {
  const auto i = a.fieldIndex(name);
  if (!i) return {};
  const rt::Value v = a.value(*i);
  return v.isText() ? trimmedRight(v.text()) : std::string();
}

double numberField(db::WorkArea& a, std::string_view name) {
  const auto i = a.fieldIndex(name);
  if (!i) return 0;
  const rt::Value v = a.value(*i);
  return v.isNumber() ? v.num() : 0;
}

EditRecord readRecord(db::WorkArea& a) {
  EditRecord r;
  r.nag1 = textField(a, "NAG1");
  r.nag2 = textField(a, "NAG2");
  r.pole = textField(a, "POLE");
  r.format = textField(a, "FORMAT");
  r.stopka = textField(a, "STOPKA");
  r.warunek = textField(a, "WARUNEK");
  r.slownik = textField(a, "SLOWNIK");
  r.wejscie = textField(a, "WEJSCIE");
  r.powrot = textField(a, "POWROT");
  r.komentarz = textField(a, "KOMENTARZ");
  r.kolejnosc = static_cast<int>(numberField(a, "KOLEJNOSC"));
  return r;
}

bool mayShowPurchasePrices(Context& c) {
  const rt::Value v = c.rt.vars().get("_UDOCEZAK");
  return !v.isLogical() || v.logical();
}

// Positions the area on the first record of `key`; false when there is none.
bool seekScreen(db::WorkArea& a, const std::string& key) {
  const auto baza = a.fieldIndex("BAZA");
  if (!baza) return false;
  std::string padded = key;
  const std::size_t len = a.field(*baza).length;
  if (padded.size() < len) padded.resize(len, ' ');
  return a.seek(rt::Value::character(padded), db::SeekMode::Exact);
}

bool findScreen(db::WorkArea& a, const std::string& folder, const std::string& key) {
  const std::string ntx = folder + "EDIT.NTX";
  if (a.addOrder(ntx).isOk()) {
    a.setOrder(1);
    if (seekScreen(a, key)) return true;
    a.clearOrders();
  }
  // The index is missing or older than the table: build it again. When that fails,
  // another station may have been building it at the same moment: use theirs.
  const bool built = db::indexOn(a, ntx, {"BAZA"}).isOk();
  a.clearOrders();
  if (!built && !a.addOrder(ntx).isOk()) return false;
  if (!built) {
    a.setOrder(1);
    return seekScreen(a, key);
  }
  if (!a.addOrder(ntx).isOk()) return false;
  a.setOrder(1);
  return seekScreen(a, key);
}

std::vector<EditRecord> chooseRecords(Context& c, db::WorkArea& a, const std::string& key, const Layout& layout,
                                      const std::vector<std::uint32_t>& recnos) {
  const bool prices = mayShowPurchasePrices(c);
  std::vector<std::pair<double, EditRecord>> chosen;
  db::Workspace::Selection sel(*c.workspace, a.number());
  for (const std::uint32_t r : recnos) {
    a.goTo(r);
    double position = 0;
    if (layout.field != "V0") {
      position = numberField(a, layout.field);
      if (position <= 0) continue;
    }
    if (!layout.condition.empty()) {
      const rt::Value ok = c.rt.evaluate(layout.condition);
      if (!ok.isLogical() || !ok.logical()) continue;
    }
    EditRecord rec = readRecord(a);
    if (!prices && hiddenWithoutPurchasePrices(key, rec)) continue;
    chosen.emplace_back(position, std::move(rec));
  }
  std::stable_sort(chosen.begin(), chosen.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
  std::vector<EditRecord> out;
  for (auto& [pos, rec] : chosen) out.push_back(std::move(rec));
  return out;
}

}  // namespace

std::string editFolder(Context& c) {
  std::string dos = hostOf(c).editPath;
  if (!dos.empty() && c.workspace != nullptr) {
    if (dos.back() != '\\' && dos.back() != '/') dos += '\\';
    if (c.workspace->env().exists(c.paths.resolve(dos + "EDIT.DBF"))) return c.paths.resolve(dos);
  }
  std::string folder = c.paths.programFolder();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::optional<std::vector<std::vector<EditRecord>>> readLayouts(Context& c, std::string_view screenKey,
                                                                const std::vector<std::string>& layouts) {
  if (c.workspace == nullptr) return std::nullopt;
  db::Workspace& ws = *c.workspace;
  const int previous = ws.selected();
  const std::string folder = editFolder(c);
  auto opened = hostOf(c).opener(c, c.paths.resolve(folder + "EDIT.DBF"), "EDIT_OPISY");
  ws.select(previous);
  if (!opened) return std::nullopt;
  db::WorkArea& a = **opened;
  const std::string key(screenKey);
  std::optional<std::vector<std::vector<EditRecord>>> out;
  if (findScreen(a, folder, key)) {
    std::vector<std::uint32_t> recnos;
    const auto baza = a.fieldIndex("BAZA");
    for (; !a.eof(); a.skip()) {
      const rt::Value v = a.value(*baza);
      if (!v.isText() || trimmedRight(v.text()) != key) break;
      recnos.push_back(a.recno());
    }
    out.emplace();
    for (const std::string& layout : layouts) out->push_back(chooseRecords(c, a, key, parseLayout(layout), recnos));
  }
  ws.close(a.number());
  ws.select(previous);
  return out;
}

}  // namespace ui::browse
