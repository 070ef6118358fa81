// tests/testkit/record_source.cpp — the in-memory record source.
#include "testkit/record_source.hpp"

#include "rt/runtime.hpp"
#include "rt/text.hpp"

namespace testkit {

int RecordSource::open(std::string alias, std::vector<Field> fields) {
  areas_.push_back({rt::asciiUpper(alias), std::move(fields)});
  select(static_cast<int>(areas_.size()));
  return current_;
}

void RecordSource::select(int area) {
  current_ = area;
  ++epoch_;
}

rt::Value& RecordSource::field(int area, std::string_view name) {
  for (Field& f : areas_[static_cast<std::size_t>(area - 1)].fields)
    if (rt::equalsNoCase(f.name, name)) return f.value;
  throw std::out_of_range("no such field");
}

int RecordSource::areaOf(std::string_view alias) const {
  if (alias.empty()) return current_;
  for (std::size_t i = 0; i < areas_.size(); ++i)
    if (rt::equalsNoCase(areas_[i].alias, alias)) return static_cast<int>(i + 1);
  return 0;
}

rt::FieldRef RecordSource::findField(std::string_view alias, std::string_view name) {
  const int a = areaOf(alias);
  if (a == 0) return {rt::FieldLookup::NoAlias, {}};
  const auto& fields = areas_[static_cast<std::size_t>(a - 1)].fields;
  for (std::size_t i = 0; i < fields.size(); ++i)
    if (rt::equalsNoCase(fields[i].name, name)) return {rt::FieldLookup::Found, {a, static_cast<std::int32_t>(i)}};
  return {rt::FieldLookup::NoField, {}};
}

rt::Value RecordSource::read(rt::Runtime&, rt::FieldHandle h) {
  return areas_[static_cast<std::size_t>(h.area - 1)].fields[static_cast<std::size_t>(h.column)].value;
}

void RecordSource::write(rt::Runtime&, rt::FieldHandle h, const rt::Value& v) {
  ++writes;
  areas_[static_cast<std::size_t>(h.area - 1)].fields[static_cast<std::size_t>(h.column)].value = v;
}

rt::Value RecordSource::inArea(rt::Runtime& rt, const rt::Value& area, const std::function<rt::Value()>& body) {
  int a = 0;
  if (area.isNumber() && area.num() >= 1 && area.num() <= static_cast<double>(areas_.size()))
    a = static_cast<int>(area.num());
  else if (area.isText())
    a = areaOf(area.text());
  if (a == 0) {
    rt::Error e;
    e.genCode = rt::GenCode::NoAlias;
    e.subCode = 1002;
    e.description = "Alias does not exist";
    e.operation = area.isText() ? area.text() : std::string();
    return rt.raise(std::move(e));
  }
  const int saved = current_;
  select(a);
  struct Restore {
    RecordSource& s;
    int area;
    ~Restore() { s.select(area); }
  } restore{*this, saved};
  return body();
}

}  // namespace testkit
