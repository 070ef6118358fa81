// tools/zelmoran-tool/inst_builder.hpp — building an installation in a folder: every table
// of the catalogue (filled from the installation data, or empty), the indexes a station
// needs before its first full index rebuild, the station folders and the default colours.
// Not here: reading the data files (inst_source), the demo company (demo_company).
//
// Rules:
//   B1  every source file is read and every row converted before anything is written, so a
//       bad line leaves the target as it was;
//   B2  an installation is not built over another (a CONFIG table in the target) unless
//       the caller says so;
//   B3  text is stored in CP852; a character CP852 lacks, a text longer than its field, a
//       number too wide for its field or an impossible date is an error naming file:line;
//   B4  a field named by @scramble holds its clear password upper-cased, blank-padded to six
//       and scrambled; the @stamp field gets the stamp of the record's identity (KOD, or
//       the digits of OPCJA) and PRIORYTET, computed after the scrambling.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "inst_source.hpp"
#include "rt/value.hpp"
#include "store/schema.hpp"
#include "sys/clock.hpp"
#include "sys/env.hpp"
#include "xbase/dbf_file.hpp"

namespace tool {

// A failure while building that is not a source line's: the message is for the user.
class BuildError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One table's records as field values, in the catalogue's field order.
struct PreparedTable {
  const store::TableDef* def = nullptr;
  std::vector<std::vector<rt::Value>> records;
};

// Converts a source file's rows (B3, B4). Throws SourceError.
PreparedTable prepareTable(const TableSource& source);

// The value of field `name` of `record`; REQUIRES: the table has that field.
rt::Value& fieldOf(PreparedTable& t, std::size_t record, std::string_view name);

// Writes new tables record by record through the exclusive append path of the table file.
class TableWriter {
 public:
  TableWriter(sys::Env& env, const sys::Clock& clock, const std::filesystem::path& file, const store::TableDef& def);
  std::size_t field(std::string_view name) const;  // REQUIRES: the table has it
  // A blank record to fill with set() and add with append().
  void clear();
  void set(std::size_t field, const rt::Value& v);  // throws BuildError when it does not fit
  void append();
  void close();

 private:
  std::unique_ptr<xbase::DbfFile> file_;
  std::vector<std::byte> record_, blank_;
};

struct InstOptions {
  std::filesystem::path source;  // the data folder
  std::filesystem::path target;
  bool force = false;  // B2
  // CONFIG fields set over the data's values (the role of a demo copy, for one).
  std::map<std::string, rt::Value> config;
  // Called after the tables of the data are written and before the indexes are built:
  // the demo company fills its tables here.
  std::function<void(sys::Env&, const sys::Clock&, const std::filesystem::path& target)> fill;
};

// What was built, for the command's closing line.
struct InstSummary {
  int tables = 0;
  std::uint64_t rows = 0;  // rows of the installation data
  std::vector<std::string> stationFolders;
};

// Builds the installation (B1..B4). Throws SourceError or BuildError.
InstSummary buildInstallation(sys::Env& env, const sys::Clock& clock, const InstOptions& options);

// "OK TARGET: n tables, m rows of installation data, station folders DANE#01 ..."
std::string describe(const std::filesystem::path& target, const InstSummary& s);

}  // namespace tool
