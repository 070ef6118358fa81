// src/store/schema.cpp — lookups in the catalogue and creation of empty tables.
#include "store/schema.hpp"

#include <algorithm>
#include <cctype>
#include <set>

#include "base/check.hpp"
#include "xbase/dbf_file.hpp"

namespace store {
namespace {

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
         });
}

const TableDef* findIn(std::span<const TableDef> list, std::string_view name) {
  for (const TableDef& d : list)
    if (sameName(d.name, name)) return &d;
  return nullptr;
}

}  // namespace

const TableDef* findTable(std::string_view name) { return findIn(catalogue(), name); }

const TableDef& packageTable(std::string_view name) {
  const TableDef* d = findIn(packageTables(), name);
  ZEL_CHECK(d != nullptr);
  return *d;
}

std::vector<xbase::dbf::FieldSpec> fieldSpecs(const TableDef& def) {
  std::vector<xbase::dbf::FieldSpec> out;
  for (const FieldDef& f : def.fields) out.push_back({std::string(f.name), f.type, f.width, f.decimals});
  return out;
}

std::string checkDefinition(const TableDef& def) {
  std::set<std::string_view> seen;
  for (const FieldDef& f : def.fields) {
    const std::string name(f.name);
    if (f.name.empty() || f.name.size() > 10) return name + ": a field name has 1 to 10 characters";
    if (!std::all_of(f.name.begin(), f.name.end(), [](char c) { return std::isupper(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)) || c == '_'; }))
      return name + ": a field name is upper-case letters, digits and _";
    if (!seen.insert(f.name).second) return name + ": named twice";
    if (std::string_view("CNDLM").find(f.type) == std::string_view::npos) return name + ": unknown type";
    if (f.type == 'D' && f.width != 8) return name + ": a date is 8 wide";
    if (f.type == 'M' && f.width != 10) return name + ": a memo is 10 wide";
    if (f.type == 'L' && f.width != 1) return name + ": a logical value is 1 wide";
    if (f.width < 1 || f.width > 254) return name + ": width out of range";
    if (f.decimals != 0 && (f.type != 'N' || f.decimals > f.width - 2)) return name + ": decimals do not fit";
  }
  return def.fields.empty() ? std::string(def.name) + ": no fields" : std::string();
}

base::Status createTable(Tables& t, const TableDef& def, std::string_view name) {
  auto table = xbase::DbfFile::create(t.ws.env(), t.ws.clock(), t.tablePath(name), fieldSpecs(def));
  if (!table) return table.error();
  (*table)->close();
  return base::Status::ok();
}

base::Status createEmpty(Tables& t, std::string_view name) {
  const TableDef* def = findTable(name);
  if (def == nullptr) return base::Status(base::Errc::NotFound, "no table " + std::string(name) + " in the catalogue");
  return createTable(t, *def, def->name);
}

}  // namespace store
