// src/db/bulk_copy.cpp — COPY TO and the structure copies.
#include "db/bulk_copy.hpp"

#include <cctype>

#include "db/workspace.hpp"

namespace db {

using base::Errc;
using base::Status;
using xbase::dbf::FieldSpec;
using xbase::dbf::FieldType;

std::vector<FieldSpec> specsOf(const std::vector<xbase::dbf::Field>& fields) {
  std::vector<FieldSpec> specs;
  for (const auto& f : fields)
    specs.push_back({f.name, static_cast<char>(f.type), f.length, f.type == FieldType::Numeric ? f.decimals : 0});
  return specs;
}

namespace {

// The listed fields of `area` (all when the list is empty) as source column numbers.
base::Result<std::vector<std::size_t>> columns(WorkArea& area, const std::vector<std::string>& names) {
  std::vector<std::size_t> cols;
  if (names.empty()) {
    for (std::size_t i = 0; i < area.fieldCount(); ++i) cols.push_back(i);
    return cols;
  }
  for (const std::string& n : names) {
    const auto i = area.fieldIndex(n);
    if (!i) return Status(Errc::Invalid, "no field " + n + " in " + area.alias());
    cols.push_back(*i);
  }
  return cols;
}

std::vector<FieldSpec> specsFor(WorkArea& area, const std::vector<std::size_t>& cols) {
  std::vector<xbase::dbf::Field> fields;
  for (std::size_t c : cols) fields.push_back(area.field(c));
  return specsOf(fields);
}

}  // namespace

base::Result<std::uint32_t> copyTo(WorkArea& area, const std::string& path, const CopyOptions& options) {
  auto cols = columns(area, options.fields);
  if (!cols) return cols.error();
  Workspace& ws = area.workspace();
  area.flush();
  auto created = xbase::DbfFile::create(ws.env(), ws.clock(), path, specsFor(area, *cols));
  if (!created) return created.error();
  xbase::DbfFile& out = **created;
  std::vector<std::byte> rec = out.blankRecord();
  std::uint32_t copied = 0;
  if (!options.whileCondition) area.goTop();
  for (; !area.eof(); area.skip()) {
    if (options.whileCondition && !ws.testIn(area, options.whileCondition)) break;
    if (options.forCondition && !ws.testIn(area, options.forCondition)) continue;
    const std::span<const std::byte> src = area.record();
    rec = out.blankRecord();  // a memo block of the previous record must not be rewritten
    for (std::size_t i = 0; i < cols->size(); ++i) {
      const auto& f = area.field((*cols)[i]);
      const auto& g = out.fields()[i];
      if (f.type == FieldType::Memo) {
        if (Status s = out.setValue(rec, i, area.value((*cols)[i])); !s) return s;
      } else {
        std::copy_n(src.begin() + f.offset, f.length, rec.begin() + g.offset);
      }
    }
    xbase::setDeleted(rec, area.deleted());
    if (auto r = out.appendRecord(rec); !r) return r.error();
    ++copied;
  }
  out.close();
  return copied;
}

Status copyStructure(WorkArea& area, const std::string& path, const std::vector<std::string>& fields) {
  auto cols = columns(area, fields);
  if (!cols) return cols.error();
  Workspace& ws = area.workspace();
  auto created = xbase::DbfFile::create(ws.env(), ws.clock(), path, specsFor(area, *cols));
  if (!created) return created.error();
  (*created)->close();
  return Status::ok();
}

Status copyStructureExtended(WorkArea& area, const std::string& path) {
  Workspace& ws = area.workspace();
  auto created = xbase::DbfFile::create(ws.env(), ws.clock(), path,
                                        {{"FIELD_NAME", 'C', 10}, {"FIELD_TYPE", 'C', 1}, {"FIELD_LEN", 'N', 3},
                                         {"FIELD_DEC", 'N', 3}});
  if (!created) return created.error();
  xbase::DbfFile& out = **created;
  for (std::size_t i = 0; i < area.fieldCount(); ++i) {
    const auto& f = area.field(i);
    const bool wideText = f.type == FieldType::Character;
    const int len = wideText ? f.length % 256 : f.length;
    const int dec = wideText ? f.length / 256 : f.decimals;
    std::vector<std::byte> rec = out.blankRecord();
    (void)out.setValue(rec, 0, rt::Value::character(f.name));
    (void)out.setValue(rec, 1, rt::Value::character(std::string(1, static_cast<char>(f.type))));
    (void)out.setValue(rec, 2, rt::Value::number(len, 3, 0));
    (void)out.setValue(rec, 3, rt::Value::number(dec, 3, 0));
    if (auto r = out.appendRecord(rec); !r) return r.error();
  }
  out.close();
  return Status::ok();
}

Status createFrom(Workspace& ws, const std::string& path, const std::string& from) {
  auto src = xbase::DbfFile::open(ws.env(), ws.clock(), from, xbase::Share::SharedReadOnly);
  if (!src) return src.error();
  xbase::DbfFile& s = **src;
  const auto name = s.fieldIndex("FIELD_NAME"), type = s.fieldIndex("FIELD_TYPE"), len = s.fieldIndex("FIELD_LEN"),
             dec = s.fieldIndex("FIELD_DEC");
  if (!name || !type || !len || !dec) return Status(Errc::Invalid, from + " is not a structure table");
  std::vector<FieldSpec> specs;
  std::vector<std::byte> rec(s.recordLength());
  const std::uint32_t n = s.recordCount();
  for (std::uint32_t r = 1; r <= n; ++r) {
    if (!s.readRecord(r, rec)) break;
    std::string fieldName = s.value(rec, *name).text();
    while (!fieldName.empty() && fieldName.back() == ' ') fieldName.pop_back();
    for (char& c : fieldName) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string t = s.value(rec, *type).text();
    const int l = static_cast<int>(s.value(rec, *len).num());
    const int d = static_cast<int>(s.value(rec, *dec).num());
    const char kind = t.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(t[0])));
    if (kind == 'C')
      specs.push_back({fieldName, kind, l + 256 * d, 0});
    else
      specs.push_back({fieldName, kind, l, d});
  }
  s.close();
  auto created = xbase::DbfFile::create(ws.env(), ws.clock(), path, specs);
  if (!created) return created.error();
  (*created)->close();
  return Status::ok();
}

}  // namespace db
