// tests/db/db_testing.hpp — a station's workspace over a temporary folder, and a small
// expression compiler for the shapes of key and condition the tests use (field names,
// 'literals', dtos(), upper(), recno(), + for text and = or # between two terms), so that
// the work-area layer is tested on its own.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "db/work_area.hpp"
#include "db/workspace.hpp"
#include "rt/runtime.hpp"
#include "sys/clock.hpp"
#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"
#include "xbase/dbf_file.hpp"

namespace dbtest {

db::ExprCompiler smallCompiler(db::Workspace*& ws);

struct Station {
  Station();
  sys::PosixEnv env;
  sys::FixedClock clock;
  rt::Runtime rt;
  db::Workspace* wsPtr = nullptr;
  std::unique_ptr<db::Workspace> ws;
  testkit::TempDir dir;

  std::string path(const std::string& name) const { return (dir / name).string(); }
  // Copies a reference file into the temporary folder and gives its path there.
  std::string copyFixture(const std::string& name) const;
  db::WorkArea& use(const std::string& path, xbase::Share share = xbase::Share::Exclusive,
                    const std::string& alias = {});
  // A new table of `fields` with `rows` of values (one string per field, converted by type).
  std::string makeTable(const std::string& name, const std::vector<xbase::dbf::FieldSpec>& fields,
                        const std::vector<std::vector<std::string>>& rows);
};

// The values of one field over the visible records, walking with skip from the top.
std::vector<std::string> column(db::WorkArea& a, const std::string& field);
std::string text(const rt::Value& v);  // trimmed text, numbers as %g, dates YYYYMMDD, T/F

}  // namespace dbtest
