// tests/xbase/ntx_fixture.hpp — reads the reference tables' dumps and works out, by the
// documented key rules, which (key, record number) pairs each reference index must hold.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace xbase::test {

struct DumpTable {
  std::vector<std::string> names;
  std::vector<std::vector<std::string>> rows;  // field values, unescaped, in field order
  const std::string& value(std::size_t row, const std::string& field) const;
};

DumpTable readDump(const std::string& fixtureName);

struct KeyRec {
  std::string key;
  std::uint32_t recno;
  bool operator==(const KeyRec&) const = default;
  auto operator<=>(const KeyRec&) const = default;
};

// Numeric field text to key bytes: blanks and '-' become '0'; in a negative number every
// digit d becomes 0x2C - d.
std::string numericKeyOf(const std::string& fieldText);

// The pairs of one reference index, in the order a fresh build puts them: ascending key
// (descending for a descending index), equal keys by record number.
std::vector<KeyRec> expectedKeys(const std::string& ntxName);

}  // namespace xbase::test
