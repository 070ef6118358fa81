// src/store/upgrade/restructure.cpp — the structure change through XSTRUP and XSTRUN; see
// restructure.hpp.
#include "store/upgrade/restructure.hpp"

#include <algorithm>
#include <cstring>

#include "db/bulk_copy.hpp"
#include "db/bulk_pack.hpp"
#include "db/work_area.hpp"
#include "rt/text.hpp"
#include "xbase/dbf_file.hpp"
#include "xbase/field_codec.hpp"

namespace store {
namespace {

using base::Errc;
using base::Status;

constexpr std::string_view kRowsTable = "XSTRUP", kNewTable = "XSTRUN";

// Opens `path` for exclusive use in a free area.
base::Result<db::WorkArea*> openAlone(Tables& t, const std::string& path, std::string alias) {
  db::UseOptions o;
  o.alias = std::move(alias);
  o.share = xbase::Share::Exclusive;
  o.newArea = true;
  return t.ws.use(path, o);
}

// XSTRUP: the old table's rows, edited, written back.
Status writeRows(Tables& t, db::WorkArea& old, const std::string& rowsPath,
                 const std::function<void(std::vector<FieldRow>&)>& edit) {
  if (Status s = db::copyStructureExtended(old, rowsPath); !s) return s;
  std::vector<FieldRow> rows;
  for (const xbase::dbf::Field& f : old.table().fields())
    rows.push_back({f.name, static_cast<char>(f.type), f.length, f.decimals});
  edit(rows);
  auto area = openAlone(t, rowsPath, std::string(kRowsTable));
  if (!area) return area.error();
  db::WorkArea& a = **area;
  Status s = db::zap(a);
  for (const FieldRow& r : rows) {
    if (!s) break;
    if (r.type == 'C' && (r.length < 1 || r.length > 0xFFFF)) {
      s = Status(Errc::Invalid, "field " + r.name + ": width " + std::to_string(r.length));
      break;
    }
    s = a.appendBlank();
    // A character field wider than 255 keeps the high byte of its width in FIELD_DEC.
    const bool wide = r.type == 'C' && r.length > 255;
    if (s) s = a.replace("FIELD_NAME", rt::Value::character(rt::asciiUpper(r.name)));
    if (s) s = a.replace("FIELD_TYPE", rt::Value::character(std::string(1, r.type)));
    if (s) s = a.replace("FIELD_LEN", rt::Value::integer(wide ? r.length % 256 : r.length));
    if (s) s = a.replace("FIELD_DEC", rt::Value::integer(wide ? r.length / 256 : r.decimals));
  }
  t.ws.close(a.number());
  return s;
}

// S1: the new record `out` from the old record `in`.
void carryOver(const std::vector<xbase::dbf::Field>& from, const std::vector<xbase::dbf::Field>& to,
               std::span<const std::byte> in, std::span<std::byte> out) {
  out[0] = in[0];  // the deleted mark
  for (const xbase::dbf::Field& nf : to) {
    const auto of = std::find_if(from.begin(), from.end(), [&](const auto& f) { return f.name == nf.name; });
    if (of == from.end()) continue;
    const auto src = in.subspan(of->offset, of->length);
    const auto dst = out.subspan(nf.offset, nf.length);
    const bool memo = nf.type == xbase::dbf::FieldType::Memo;
    if (of->type == nf.type && (memo || (of->length == nf.length && of->decimals == nf.decimals))) {
      if (of->length == nf.length) std::memcpy(dst.data(), src.data(), dst.size());
      continue;
    }
    if (memo || of->type == xbase::dbf::FieldType::Memo) continue;  // no value to carry
    (void)xbase::encodeValue(nf, xbase::decodeValue(*of, src), dst);  // S1: '*' when it does not fit
  }
}

}  // namespace

FieldRow* findRow(std::vector<FieldRow>& rows, std::string_view name) {
  const std::string wanted = rt::asciiUpper(name);
  for (FieldRow& r : rows)
    if (rt::asciiUpper(r.name) == wanted) return &r;
  return nullptr;
}

Status changeStructure(Tables& t, std::string_view table, const std::function<void(std::vector<FieldRow>&)>& edit,
                       const RecordAdjust& adjust) {
  sys::Env& env = t.ws.env();
  const std::string path = t.tablePath(table), rowsPath = t.tablePath(kRowsTable), newPath = t.tablePath(kNewTable);
  const std::string newMemo = xbase::memoPathFor(newPath), rowsMemo = xbase::memoPathFor(rowsPath);
  const auto removeTemporary = [&] {
    for (const std::string& p : {rowsPath, rowsMemo, newPath, newMemo})
      if (env.exists(p)) (void)env.remove(p);
  };
  auto opened = openAlone(t, path, "XSTRUOLD");
  if (!opened) return opened.error();
  db::WorkArea& old = **opened;
  Status s = writeRows(t, old, rowsPath, edit);
  if (s) s = db::createFrom(t.ws, newPath, rowsPath);
  if (!s) {
    t.ws.close(old.number());
    removeTemporary();
    return s;
  }
  const bool oldMemo = old.table().hasMemo();
  {
    auto fresh = xbase::DbfFile::open(env, t.ws.clock(), newPath, xbase::Share::Exclusive);
    if (!fresh) s = fresh.error();
    if (s) {
      xbase::DbfFile& to = **fresh;
      xbase::DbfFile& from = old.table();
      std::vector<std::byte> in(from.recordLength()), out = to.blankRecord();
      const std::uint32_t n = from.recordCount();
      for (std::uint32_t r = 1; s && r <= n; ++r) {
        if (!from.readRecord(r, in)) {
          s = Status(Errc::Io, path + ": record " + std::to_string(r) + " cannot be read");
          break;
        }
        std::fill(out.begin(), out.end(), std::byte{' '});
        carryOver(from.fields(), to.fields(), in, out);
        if (adjust) s = adjust(to, out);
        if (!s) break;
        if (auto added = to.appendRecord(out); !added) s = added.error();
      }
      to.close();
    }
  }
  t.ws.close(old.number());
  // S2: the new table replaces the old one by one rename; the old memo file stays.
  const bool newMemoFields = env.exists(newMemo);
  if (s && newMemoFields && !oldMemo) s = env.rename(newMemo, xbase::memoPathFor(path));
  if (s) s = env.rename(newPath, path);
  removeTemporary();
  return s;
}

}  // namespace store
