// tests/testkit/record_source.hpp — a small in-memory DataSource for expression tests and
// benchmarks: named areas, each with one record of named fields.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "rt/data_source.hpp"

namespace testkit {

class RecordSource : public rt::DataSource {
 public:
  struct Field {
    std::string name;  // upper case
    rt::Value value;
  };
  // Adds an area (becoming area number size()) and selects it. Returns its number (1-based).
  int open(std::string alias, std::vector<Field> fields);
  void select(int area);
  int current() const { return current_; }
  rt::Value& field(int area, std::string_view name);

  std::uint64_t epoch() const override { return epoch_; }
  rt::FieldRef findField(std::string_view alias, std::string_view name) override;
  rt::Value read(rt::Runtime& rt, rt::FieldHandle h) override;
  void write(rt::Runtime& rt, rt::FieldHandle h, const rt::Value& v) override;
  rt::Value inArea(rt::Runtime& rt, const rt::Value& area, const std::function<rt::Value()>& body) override;

  int writes = 0;

 private:
  struct Area {
    std::string alias;
    std::vector<Field> fields;
  };
  int areaOf(std::string_view alias) const;  // 0 when none
  std::vector<Area> areas_;
  int current_ = 0;
  std::uint64_t epoch_ = 1;
};

}  // namespace testkit
