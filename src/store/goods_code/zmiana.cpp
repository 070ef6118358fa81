// src/store/goods_code/zmiana.cpp — the goods-code conversion of an installation.
#include "store/goods_code/zmiana.hpp"

#include <cstdio>
#include <string>
#include <vector>

#include "base/fault.hpp"
#include "db/bulk_pack.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "store/goods_code/goods_code.hpp"
#include "store/index_catalogue.hpp"
#include "store/schema.hpp"
#include "store/use.hpp"

namespace store {

const std::array<GoodsCodeTable, 33> kGoodsCodeTables{{
    {"CONFIG", false},  {"CRM", true},       {"DATA_AKT", false}, {"EDIT", false},     {"EDIT_WZ", false},
    {"EWIARC", true},   {"EWIZAM", true},    {"FAK_TXT", false},  {"HELP", true},      {"KON", false},
    {"KON_TXT", true},  {"MENU", false},     {"NR_ZAM", false},   {"NZAM", false},     {"PARADRUK", false},
    {"PZAM", true},     {"SL_CRM", false},   {"SL_G_KON", false}, {"SL_G_TOW", true},  {"SL_JM", false},
    {"SL_KONT", false}, {"SL_OPE", false},   {"SL_PLA", false},   {"SPR_N", false},    {"SPR_N_UP", false},
    {"SPR_P", false},   {"STATUS", false},   {"TABELA", false},   {"TOW", false},      {"UPUSTY", false},
    {"ZAM_N", true},    {"ZAM_P", true},     {"ZMIANY", false},
}};

namespace {

using rt::literals::operator""_pl;

constexpr int kStatusRow = 24;
constexpr int kFieldColumn = 30;
constexpr int kRecordColumn = 60;
constexpr double kMissingTone = 220, kEndTone = 880;
constexpr std::string_view kPicture = "99999";
const Caller kCaller{"ZMIANA", 0};

constexpr FieldDef kLogFields[] = {{"FILE", 'C', 12}, {"FIELD", 'C', 10}, {"WIDTH", 'N', 3}, {"CONTENT", 'C', 30}};
constexpr TableDef kLogTable{"DBF", kLogFields, "the log of the goods-code conversion"};

std::string padded(std::string s, std::size_t width) {
  s.resize(width, ' ');
  return s;
}

void writeAt(Tables& t, int row, int col, std::string_view text) {
  t.con.writeCells(row, col, text, t.con.attr(con::Slot::Standard));
}

std::string clockText(Tables& t) {
  const sys::CivilTime now = t.ws.clock().now();
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", now.hour % 100, now.minute % 100, now.second % 100);
  return buf;
}

void drawTitle(Tables& t) {
  t.con.clearScreen();
  const std::string title = "█▓▓▒▒░░  ZMIANA INDEKSÓW NA 5-CIO ZNAKOWE  ░░▒▒▓▓█"_pl;
  writeAt(t, 0, static_cast<int>((80 - title.size()) / 2), title);
}

bool operatorAgrees(Tables& t) {
  if (!t.confirm("Kontynuacja ?")) return false;
  const rt::Value password = t.rt.vars().get("_HASLO");
  const rt::Value accepted = t.rt.call(
      "HA", {password.isText() ? password : rt::Value::character(""), rt::Value::logical(false), rt::Value::integer(0)});
  return accepted.isLogical() && accepted.logical();
}

// The log table, open in its own area.
class ConversionLog {
 public:
  explicit ConversionLog(Tables& t) : t_(t) {
    const std::string name = t.stationFolder() + "DBF";
    // Made anew; when another station holds an old one, the wait below takes it over and
    // empties it.
    const bool made = createTable(t, kLogTable, name).isOk();
    t.ws.select(0);
    if (!USE_(t, name, "E!", {}, kCaller)) return;  // single-user working, held elsewhere
    area_ = t.ws.current();
    if (!made && area_->lastRec() > 0)
      if (const base::Status s = db::zap(*area_); !s) throw base::IoFault(t.tablePath(name), s.toString());
  }

  void add(std::string_view file, std::string_view field, int width, std::string content) {
    if (area_ == nullptr) return;
    check(area_->appendBlank());
    check(area_->replace("FILE", rt::Value::character(std::string(file))));
    check(area_->replace("FIELD", rt::Value::character(std::string(field))));
    check(area_->replace("WIDTH", rt::Value::number(width, 3, 0)));
    check(area_->replace("CONTENT", rt::Value::character(std::move(content))));
    area_->flush();
  }
  void mark(std::string_view word) { add("", "", 0, std::string(word) + " " + clockText(t_)); }

 private:
  void check(const base::Status& s) {
    if (!s) throw base::IoFault(area_->table().path(), s.toString());
  }
  Tables& t_;
  db::WorkArea* area_ = nullptr;
};

// The program-folder index files the catalogue keeps for `table`.
void removeIndexes(Tables& t, std::string_view table) {
  for (const CatalogueTable& c : indexCatalogue()) {
    if (c.inStation || c.table != table) continue;
    for (const IndexEntry& e : c.indexes) {
      if (e.inStation) continue;
      const std::string path = t.indexPath(e.file);
      if (t.ws.env().exists(path)) (void)t.ws.env().remove(path);
    }
  }
}

// Whether the table's header announces a memo file (the high bit of its first byte). A
// table outside the list that has one would otherwise wait for it as for a held table.
bool headerNamesMemo(Tables& t, const std::string& path) {
  auto file = t.ws.env().open(path, sys::Access::ReadOnly, sys::Creation::OpenExisting);
  if (!file) return false;
  std::byte version{0};
  const auto got = (*file)->readAt(0, std::span<std::byte>(&version, 1));
  return got && *got == 1 && (version & std::byte{0x80}) != std::byte{0};
}

bool present(Tables& t, const GoodsCodeTable& g) {
  std::string missing;
  const std::string path = t.tablePath(g.name);
  if (!t.ws.env().exists(path))
    missing = std::string(g.name) + ".DBF";
  else if ((g.memo || headerNamesMemo(t, path)) && !t.ws.env().exists(xbase::memoPathFor(path)))
    missing = std::string(g.name) + ".DBT";
  if (missing.empty()) return true;
  t.con.tone(kMissingTone, 1);
  t.showError("Brak pliku " + missing);
  return false;
}

bool openExclusive(Tables& t, std::string_view name) {
  t.ws.select(0);
  try {
    return USE_(t, name, "E", {}, kCaller);
  } catch (const base::Corrupt&) {
    return false;  // a damaged table cannot be converted; the others go on
  }
}

void convertTable(Tables& t, ConversionLog& log, const GoodsCodeTable& g) {
  db::WorkArea& area = *t.ws.current();
  xbase::DbfFile& table = area.table();
  const std::vector<std::size_t> fields = goodsCodeFields(table);
  if (!fields.empty()) writeAt(t, kStatusRow, kFieldColumn, "Pole " + padded(table.fields()[fields.front()].name, 12));
  GoodsCodeHooks hooks;
  hooks.progress = [&t](std::uint32_t remaining) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%8u", remaining % 100000000u);
    writeAt(t, kStatusRow, kRecordColumn, std::string("Rekord ") + buf);
  };
  hooks.beforeFirstChange = [&t, &g] { removeIndexes(t, g.name); };
  const GoodsCodePass pass = widenGoodsCodes(table, hooks);
  for (const GoodsCodeSample& s : pass.samples) {
    const xbase::dbf::Field& f = table.fields()[s.field];
    log.add(g.name, f.name, f.length, s.first);
  }
  t.ws.close(area.number());
}

void setPicture(Tables& t) {
  t.ws.select(0);
  if (!USE_(t, "CONFIG", "E!", {}, kCaller)) return;
  db::WorkArea& config = *t.ws.current();
  config.goTop();
  if (!config.eof() && config.fieldIndex("FORMAT_IND")) {
    if (const base::Status s = config.replace("FORMAT_IND", rt::Value::character(std::string(kPicture))); !s)
      throw base::IoFault(config.table().path(), s.toString());
  }
  t.ws.close(config.number());
}

void convertInstallation(Tables& t) {
  ConversionLog log(t);
  log.mark("START");
  for (const GoodsCodeTable& g : kGoodsCodeTables) {
    writeAt(t, kStatusRow, 0, "Plik " + padded(std::string(g.name), 12));
    if (!present(t, g) || !openExclusive(t, g.name)) continue;
    convertTable(t, log, g);
  }
  log.mark("KONIEC");
}

}  // namespace

void ZMIANA(Tables& t, bool automatic) {
  drawTitle(t);
  const bool convert = automatic || operatorAgrees(t);
  if (convert) convertInstallation(t);
  t.ws.closeAll();
  t.rt.call("QPC", {rt::Value::integer(0)});
  t.rt.vars().set("_FORMAT_IND", rt::Value::character(std::string(kPicture)));
  t.rt.call("INDEX");
  if (convert) setPicture(t);
  t.con.tone(kEndTone, 1);
  t.showError("KONIEC");
}

}  // namespace store
