// tests/tools/table_rows.hpp — a table of an installation read whole, each record as field
// name -> value, for the tests that check what the tool wrote.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sys/posix_env.hpp"
#include "xbase/dbf_file.hpp"

namespace tooltest {

using Row = std::map<std::string, rt::Value>;

inline std::vector<Row> rows(const std::filesystem::path& table) {
  sys::PosixEnv env;
  sys::SystemClock clock;
  auto t = xbase::DbfFile::open(env, clock, table.string(), xbase::Share::SharedReadOnly);
  EXPECT_TRUE(t) << table;
  std::vector<Row> out;
  if (!t) return out;
  std::vector<std::byte> rec((*t)->recordLength());
  for (std::uint32_t r = 1; (*t)->readRecord(r, rec); ++r) {
    Row& row = out.emplace_back();
    for (std::size_t i = 0; i < (*t)->fields().size(); ++i) row[(*t)->fields()[i].name] = (*t)->value(rec, i);
  }
  (*t)->close();
  return out;
}

// A character field without its trailing blanks.
inline std::string text(const Row& r, const std::string& field) {
  std::string s = r.at(field).text();
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

}  // namespace tooltest
