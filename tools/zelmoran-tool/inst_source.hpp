// tools/zelmoran-tool/inst_source.hpp — reading the installation data: one UTF-8 text file
// per table (data/<TABLE>.txt), its rows as field-name/text pairs with the line each came
// from. Not here: turning the texts into field values and writing tables (inst_builder).
//
// The format (data/README.md shows it to the people who edit the files):
//   # ...                     a comment; blank lines are ignored outside a text block
//   @scramble FIELD           the field holds a clear password that is stored scrambled
//   @stamp FIELD              the field gets the record's integrity stamp
//   @columns A | B | C        the following lines are rows, cells separated by "|";
//                             "\|" is a bar inside a cell and "\\" a backslash; cells are
//                             trimmed, and a row has exactly as many cells as there are columns
//   @record                   the following lines are one record, a field a line as
//                             "FIELD: text"; "FIELD:" alone followed by lines that begin
//                             with "|" gives a text of several lines (one line each, the
//                             character after the "|" dropped when it is a blank)
// Rules:
//   R1  the file's name (without .txt, any case) names a table of the catalogue, and every
//       field named in it is a field of that table, named at most once per row;
//   R2  every error names the file and the line: "file:line: what is wrong".
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "store/schema.hpp"

namespace tool {

// A fault in a source file, its text "file:line: message".
class SourceError : public std::runtime_error {
 public:
  SourceError(const std::string& file, int line, const std::string& message)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + message) {}
};

struct SourceCell {
  std::string field;  // upper case
  std::string text;   // UTF-8, as written
  int line = 0;
};

struct SourceRow {
  int line = 0;
  std::vector<SourceCell> cells;
};

struct TableSource {
  std::string file;  // for messages
  const store::TableDef* def = nullptr;
  std::vector<std::string> scrambled;
  std::string stampField;
  std::vector<SourceRow> rows;
};

// Throws SourceError (R1, R2).
TableSource readTableSource(const std::filesystem::path& file);

// Every "*.txt" file of `dir`, in name order. Throws SourceError; also for two files of one
// table or a folder that cannot be read.
std::vector<TableSource> readSourceFolder(const std::filesystem::path& dir);

}  // namespace tool
