// tools/zelmoran-tool/inst_source.cpp — the reader of the installation data files (format
// in the header).
#include "inst_source.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

namespace tool {
namespace {

std::string trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return "";
  const auto last = s.find_last_not_of(" \t");
  return std::string(s.substr(first, last - first + 1));
}

std::string upper(std::string s) {
  for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return s;
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// Splits a row at unescaped bars, undoing the escapes; cells trimmed.
std::vector<std::string> splitCells(std::string_view line) {
  std::vector<std::string> cells;
  std::string cell;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char ch = line[i];
    if (ch == '\\' && i + 1 < line.size() && (line[i + 1] == '|' || line[i + 1] == '\\')) {
      cell += line[++i];
    } else if (ch == '|') {
      cells.push_back(trim(cell));
      cell.clear();
    } else {
      cell += ch;
    }
  }
  cells.push_back(trim(cell));
  return cells;
}

class Reader {
 public:
  Reader(std::string file, const store::TableDef& def) { out_.file = std::move(file), out_.def = &def; }

  void line(int number, std::string text) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    line_ = number;
    if (multiLine_ != nullptr) {
      if (startsWith(text, "|")) return continueText(text);
      multiLine_ = nullptr;
    }
    const std::string t = trim(text);
    if (t.empty() || t[0] == '#') return;
    if (t[0] == '@') return directive(t);
    if (mode_ == Mode::Columns) return columnsRow(text);
    if (mode_ == Mode::Record) return recordLine(t);
    fail("a row before @columns or @record");
  }

  TableSource finish() { return std::move(out_); }

 private:
  enum class Mode { None, Columns, Record };

  [[noreturn]] void fail(const std::string& message) const { throw SourceError(out_.file, line_, message); }

  std::string fieldName(std::string_view name) const {
    const std::string n = upper(trim(name));
    for (const store::FieldDef& f : out_.def->fields)
      if (f.name == n) return n;
    fail("no field " + (n.empty() ? std::string("(empty)") : n) + " in table " + std::string(out_.def->name));
  }

  void directive(const std::string& t) {
    const auto space = t.find_first_of(" \t");
    const std::string word = upper(t.substr(0, space));
    const std::string rest = space == std::string::npos ? "" : trim(t.substr(space));
    if (word == "@COLUMNS") {
      columns_.clear();
      std::set<std::string> seen;
      for (const std::string& c : splitCells(rest)) {
        columns_.push_back(fieldName(c));
        if (!seen.insert(columns_.back()).second) fail("column " + columns_.back() + " named twice");
      }
      mode_ = Mode::Columns;
    } else if (word == "@RECORD") {
      if (!rest.empty()) fail("@record takes nothing after it");
      out_.rows.push_back({line_, {}});
      mode_ = Mode::Record;
    } else if (word == "@SCRAMBLE") {
      out_.scrambled.push_back(fieldName(rest));
    } else if (word == "@STAMP") {
      out_.stampField = fieldName(rest);
    } else {
      fail("unknown directive " + word);
    }
  }

  void columnsRow(const std::string& text) {
    std::vector<std::string> cells = splitCells(text);
    if (cells.size() != columns_.size())
      fail(std::to_string(cells.size()) + " cells where @columns names " + std::to_string(columns_.size()));
    SourceRow row{line_, {}};
    for (std::size_t i = 0; i < cells.size(); ++i) row.cells.push_back({columns_[i], std::move(cells[i]), line_});
    out_.rows.push_back(std::move(row));
  }

  void recordLine(const std::string& t) {
    const auto colon = t.find(':');
    if (colon == std::string::npos) fail("a record line is FIELD: text");
    const std::string name = fieldName(t.substr(0, colon));
    SourceRow& row = out_.rows.back();
    for (const SourceCell& c : row.cells)
      if (c.field == name) fail("field " + name + " given twice in one record");
    row.cells.push_back({name, trim(t.substr(colon + 1)), line_});
    if (row.cells.back().text.empty()) {
      multiLine_ = &row.cells.back();
      firstLine_ = true;
    }
  }

  void continueText(const std::string& text) {
    std::string_view rest = std::string_view(text).substr(1);
    if (!rest.empty() && rest[0] == ' ') rest.remove_prefix(1);
    if (!firstLine_) multiLine_->text += '\n';
    multiLine_->text += rest;
    firstLine_ = false;
  }

  TableSource out_;
  int line_ = 0;
  Mode mode_ = Mode::None;
  std::vector<std::string> columns_;
  SourceCell* multiLine_ = nullptr;
  bool firstLine_ = false;
};

}  // namespace

TableSource readTableSource(const std::filesystem::path& file) {
  const std::string name = file.string();
  const store::TableDef* def = store::findTable(file.stem().string());
  if (def == nullptr) throw SourceError(name, 1, "no table " + upper(file.stem().string()) + " in the catalogue");
  std::ifstream in(file, std::ios::binary);
  if (!in) throw SourceError(name, 0, "cannot be read");
  Reader reader(name, *def);
  std::string text;
  for (int number = 1; std::getline(in, text); ++number) reader.line(number, std::move(text));
  return reader.finish();
}

std::vector<TableSource> readSourceFolder(const std::filesystem::path& dir) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
    if (entry.is_regular_file() && entry.path().extension() == ".txt") files.push_back(entry.path());
  if (ec) throw SourceError(dir.string(), 0, "cannot be read: " + ec.message());
  std::sort(files.begin(), files.end());
  std::vector<TableSource> out;
  std::set<std::string_view> tables;
  for (const auto& f : files) {
    out.push_back(readTableSource(f));
    if (!tables.insert(out.back().def->name).second)
      throw SourceError(f.string(), 1, "a second file of table " + std::string(out.back().def->name));
  }
  return out;
}

}  // namespace tool
