// tools/zelmoran-tool/inst_builder.cpp — the installation builder (rules in the header).
#include "inst_builder.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "access/scramble.hpp"
#include "access/stamp.hpp"
#include "db/bulk_index.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "rt/mem_file.hpp"
#include "rt/runtime.hpp"

namespace tool {
namespace {

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

// The indexes a station opens before anyone has run the full rebuild: the column
// descriptions, the operators by password, the payment methods, the accounts, the order
// numbers and the goods-code marks.
struct StartIndex {
  const char* table;
  const char* file;
  const char* key;
};
constexpr StartIndex kStartIndexes[] = {
    {"EDIT", "EDIT", "BAZA"},         {"ZMIANY", "ZMIANY", "INDEKS"},     {"SL_OPE", "SL_OPE_H", "HASLO"},
    {"SL_PLA", "SL_PLA", "SPOSOB_PLA"}, {"SL_KONT", "SL_KONT", "KONTO"}, {"NR_ZAM", "NR_ZAM", "ROK_ZAM+KONTO"},
};

// The colours a station starts with until its operator saves a scheme of its own.
constexpr const char* kScreenColours = "W/N, N/W, N/N";
constexpr const char* kListColours = "W/N, N/W, N/N,,,,,W+/N";

class RowConverter {
 public:
  RowConverter(const TableSource& s, const SourceCell& c) : source_(s), cell_(c) {}

  rt::Value convert(const store::FieldDef& f) const {
    switch (f.type) {
      case 'C': return rt::Value::character(text(f));
      case 'M': return rt::Value::memo(memo());
      case 'N': return number(f);
      case 'D': return date();
      case 'L': return logical();
    }
    fail("field type " + std::string(1, f.type) + " cannot be written");
  }

  std::string cp852() const {
    std::string out = rt::cp852FromUtf8(cell_.text);
    if (rt::utf8FromCp852(out) != cell_.text) fail(std::string(fieldName()) + ": a character without a CP852 code");
    return out;
  }

  [[noreturn]] void fail(const std::string& message) const { throw SourceError(source_.file, cell_.line, message); }
  std::string_view fieldName() const { return cell_.field; }

 private:
  std::string text(const store::FieldDef& f) const {
    std::string out = cp852();
    if (out.find('\n') != std::string::npos) fail(cell_.field + ": a text of several lines in a character field");
    if (static_cast<int>(out.size()) > f.width)
      fail(cell_.field + ": " + std::to_string(out.size()) + " characters, the field holds " + std::to_string(f.width));
    return out;
  }

  // Memo lines end in CR LF, as memo texts do.
  std::string memo() const {
    std::string out;
    for (char ch : cp852()) {
      if (ch == '\n') out += '\r';
      if (ch == '\x1A') fail(cell_.field + ": the end-of-file byte in a memo");
      out += ch;
    }
    return out;
  }

  rt::Value number(const store::FieldDef& f) const {
    if (cell_.text.empty()) return rt::Value::number(0, f.width, f.decimals);
    char* end = nullptr;
    const double v = std::strtod(cell_.text.c_str(), &end);
    if (end == cell_.text.c_str() || *end != '\0' || !std::isfinite(v)) fail(cell_.field + ": not a number: " + cell_.text);
    char shown[64];
    const int n = std::snprintf(shown, sizeof shown, "%.*f", f.decimals, v);
    if (n > f.width) fail(cell_.field + ": " + cell_.text + " is too wide for " + std::to_string(f.width) + "." + std::to_string(f.decimals));
    return rt::Value::number(v, f.width, f.decimals);
  }

  rt::Value date() const {
    if (cell_.text.empty()) return rt::Value::date(rt::Date());
    const rt::Date d = rt::Date::fromDtos(cell_.text);
    if (cell_.text.size() != 8 || d.empty() || d.dtos() != cell_.text)
      fail(cell_.field + ": not a date YYYYMMDD: " + cell_.text);
    return rt::Value::date(d);
  }

  rt::Value logical() const {
    const std::string& t = cell_.text;
    if (t == "T" || t == ".T." || t == "t" || t == ".t.") return rt::Value::logical(true);
    if (t.empty() || t == "F" || t == ".F." || t == "f" || t == ".f.") return rt::Value::logical(false);
    fail(cell_.field + ": a logical value is T or F: " + t);
  }

  const TableSource& source_;
  const SourceCell& cell_;
};

std::size_t indexOfField(const store::TableDef& def, std::string_view name) {
  for (std::size_t i = 0; i < def.fields.size(); ++i)
    if (def.fields[i].name == name) return i;
  throw BuildError("no field " + std::string(name) + " in table " + std::string(def.name));
}

rt::Value blankOf(const store::FieldDef& f) {
  switch (f.type) {
    case 'N': return rt::Value::number(0, f.width, f.decimals);
    case 'D': return rt::Value::date(rt::Date());
    case 'L': return rt::Value::logical(false);
    case 'M': return rt::Value::memo("");
    default: return rt::Value::character("");
  }
}

// The record's identity for its stamp: the operator's KOD, or the digits of OPCJA.
std::string identityOf(PreparedTable& t, std::size_t r) {
  for (const store::FieldDef& f : t.def->fields)
    if (f.name == "KOD") return trimmed(fieldOf(t, r, "KOD").text());
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.0f", std::trunc(fieldOf(t, r, "OPCJA").num()));
  return digits;
}

bool installationIn(const std::filesystem::path& dir) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    std::string name = entry.path().filename().string();
    for (char& ch : name) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (name == "CONFIG.DBF") return true;
  }
  return false;
}

void buildIndex(db::Workspace& ws, const std::filesystem::path& table, const std::filesystem::path& file,
                const std::string& key) {
  auto area = ws.use(table.string(), {"ZELINST", xbase::Share::Exclusive, true});
  if (!area) throw BuildError(table.string() + ": " + area.error().toString());
  if (base::Status s = db::indexOn(**area, file.string(), db::IndexSpec(key)); !s)
    throw BuildError(file.string() + ": " + s.toString());
  ws.closeAll();
}

std::string configText(const PreparedTable& config, std::string_view field) {
  if (config.records.empty()) return "";
  const rt::Value& v = config.records[0][indexOfField(*config.def, field)];
  return v.isText() ? trimmed(v.text()) : "";
}

int configNumber(const PreparedTable& config, std::string_view field) {
  if (config.records.empty()) return 0;
  const rt::Value& v = config.records[0][indexOfField(*config.def, field)];
  return v.isNumber() ? static_cast<int>(std::lround(v.num())) : 0;
}

void copyFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code ec;
  std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec);
  if (ec) throw BuildError(to.string() + ": " + ec.message());
}

// KARTOTEKA + "#" + station for each station the configuration allows (at least one),
// each with its copy of the print settings and their index.
std::vector<std::string> makeStationFolders(db::Workspace& ws, const PreparedTable& config,
                                            const std::filesystem::path& target) {
  std::string prefix = configText(config, "KARTOTEKA");
  for (char& ch : prefix)
    if (ch == '\\') ch = '/';
  if (prefix.empty()) throw BuildError("CONFIG has no KARTOTEKA: the station folders cannot be named");
  const int stations = std::max(1, std::min(99, configNumber(config, "LICZBA_STA")));
  std::vector<std::string> made;
  for (int n = 1; n <= stations; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "#%02d", n);
    const std::filesystem::path dir = target / (prefix + name);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec) throw BuildError(dir.string() + ": " + ec.message());
    copyFile(target / "PARADRUK.DBF", dir / "PARADRUK.DBF");
    buildIndex(ws, dir / "PARADRUK.DBF", dir / "PARADRUK.NTX", "WARIANT");
    made.push_back(prefix + name);
  }
  return made;
}

void writeColours(const std::filesystem::path& target) {
  rt::mem::Image image;
  image.variables.push_back(rt::mem::makeVariable("_EKRA_BLO", rt::Value::character(kScreenColours)));
  image.variables.push_back(rt::mem::makeVariable("_EDIT_BLO", rt::Value::character(kListColours)));
  image.variables.push_back(rt::mem::makeVariable("_SLOW_BLO", rt::Value::character(kListColours)));
  const std::vector<std::byte> bytes = rt::mem::encode(image);
  if (base::Status s = rt::mem::writeFile(target / "dorvik.mem", bytes); !s)
    throw BuildError((target / "dorvik.mem").string() + ": " + s.toString());
}

}  // namespace

rt::Value& fieldOf(PreparedTable& t, std::size_t record, std::string_view name) {
  return t.records[record][indexOfField(*t.def, name)];
}

PreparedTable prepareTable(const TableSource& source) {
  PreparedTable out{source.def, {}};
  const store::TableDef& def = *source.def;
  for (const SourceRow& row : source.rows) {
    std::vector<rt::Value> record;
    for (const store::FieldDef& f : def.fields) record.push_back(blankOf(f));
    for (const SourceCell& cell : row.cells) {
      const RowConverter conv(source, cell);
      const std::size_t i = indexOfField(def, cell.field);
      const bool scrambled = std::find(source.scrambled.begin(), source.scrambled.end(), cell.field) != source.scrambled.end();
      if (scrambled) {
        const std::string clear = conv.cp852();
        if (clear.size() > 6) conv.fail(cell.field + ": a password has at most 6 characters");
        record[i] = rt::Value::character(operators::scramble(operators::normalisePassword(clear)));
      } else {
        record[i] = conv.convert(def.fields[i]);
      }
    }
    out.records.push_back(std::move(record));
    if (!source.stampField.empty()) {
      const std::size_t r = out.records.size() - 1;
      const rt::Value& p = fieldOf(out, r, "PRIORYTET");
      const int priority = p.isNumber() ? static_cast<int>(std::lround(p.num())) : 0;
      fieldOf(out, r, source.stampField) = rt::Value::character(operators::stampOf(identityOf(out, r), priority));
    }
  }
  return out;
}

TableWriter::TableWriter(sys::Env& env, const sys::Clock& clock, const std::filesystem::path& file,
                         const store::TableDef& def) {
  auto created = xbase::DbfFile::create(env, clock, file.string(), store::fieldSpecs(def));
  if (!created) throw BuildError(file.string() + ": " + created.error().toString());
  file_ = std::move(*created);
  blank_ = file_->blankRecord();
  record_ = blank_;
}

std::size_t TableWriter::field(std::string_view name) const {
  const auto i = file_->fieldIndex(name);
  if (!i) throw BuildError(file_->path() + ": no field " + std::string(name));
  return *i;
}

void TableWriter::clear() { record_ = blank_; }

void TableWriter::set(std::size_t field, const rt::Value& v) {
  if (base::Status s = file_->setValue(record_, field, v); !s)
    throw BuildError(file_->path() + ": " + file_->fields()[field].name + ": " + s.toString());
}

void TableWriter::append() {
  auto n = file_->appendRecord(record_);
  if (!n) throw BuildError(file_->path() + ": " + n.error().toString());
}

void TableWriter::close() { file_->close(); }

InstSummary buildInstallation(sys::Env& env, const sys::Clock& clock, const InstOptions& options) {
  if (!options.force && installationIn(options.target))
    throw BuildError(options.target.string() + " already holds an installation (CONFIG.DBF); --force replaces it");
  // B1: everything read and converted first.
  std::map<std::string_view, PreparedTable> prepared;
  InstSummary summary;
  for (const TableSource& s : readSourceFolder(options.source)) {
    prepared[s.def->name] = prepareTable(s);
    summary.rows += s.rows.size();
  }
  PreparedTable& config = prepared["CONFIG"];
  config.def = store::findTable("CONFIG");
  if (config.records.size() != 1) throw BuildError("the installation data must give CONFIG exactly one record");
  for (const auto& [field, value] : options.config) fieldOf(config, 0, field) = value;

  std::error_code ec;
  std::filesystem::create_directories(options.target, ec);
  if (ec) throw BuildError(options.target.string() + ": " + ec.message());
  for (const store::TableDef& def : store::catalogue()) {
    TableWriter w(env, clock, options.target / (std::string(def.name) + ".DBF"), def);
    if (auto it = prepared.find(def.name); it != prepared.end()) {
      for (const std::vector<rt::Value>& record : it->second.records) {
        w.clear();
        for (std::size_t i = 0; i < record.size(); ++i) w.set(i, record[i]);
        w.append();
      }
    }
    w.close();
    ++summary.tables;
  }
  if (options.fill) options.fill(env, clock, options.target);

  rt::Runtime runtime;
  db::Workspace ws(env, clock, runtime);
  for (const StartIndex& x : kStartIndexes)
    buildIndex(ws, options.target / (std::string(x.table) + ".DBF"), options.target / (std::string(x.file) + ".NTX"), x.key);
  summary.stationFolders = makeStationFolders(ws, config, options.target);
  writeColours(options.target);
  return summary;
}

std::string describe(const std::filesystem::path& target, const InstSummary& s) {
  std::string out = "OK " + target.string() + ": " + std::to_string(s.tables) + " tables, " + std::to_string(s.rows) +
                    " rows of installation data, station folders";
  for (const std::string& f : s.stationFolders) out += " " + f;
  return out;
}

}  // namespace tool
