// src/xbase/dbf_field.cpp — the field descriptor codec.
#include "xbase/dbf_field.hpp"

#include <algorithm>

#include "base/fault.hpp"
#include "xbase/dbf_header.hpp"

namespace xbase::dbf {

namespace {

std::uint8_t u8(std::span<const std::byte> in, std::size_t at) { return std::to_integer<std::uint8_t>(in[at]); }

Field decodeOne(std::span<const std::byte> d, std::size_t at, const std::string& file) {
  Field f;
  for (std::size_t i = 0; i < kMaxNameLength && d[i] != std::byte{0}; ++i) f.name.push_back(static_cast<char>(d[i]));
  if (f.name.empty()) throw base::Corrupt(file, static_cast<std::int64_t>(at), "field without a name");
  const char type = static_cast<char>(u8(d, fieldoff::kType));
  const std::uint8_t len = u8(d, fieldoff::kLength), dec = u8(d, fieldoff::kDecimals);
  const auto bad = [&](const char* rule) { return base::Corrupt(file, static_cast<std::int64_t>(at), rule); };
  switch (type) {
    case 'C':
      f.type = FieldType::Character;
      f.length = static_cast<std::uint16_t>(len + 256 * dec);
      break;
    case 'N':
    case 'F':
      f.type = FieldType::Numeric;
      f.length = len;
      f.decimals = dec;
      if (dec > 0 && dec + 2 > len) throw bad("numeric field too narrow for its decimals");
      break;
    case 'D': f.type = FieldType::Date, f.length = len; if (len != 8) throw bad("date field not 8 wide"); break;
    case 'L': f.type = FieldType::Logical, f.length = len; if (len != 1) throw bad("logical field not 1 wide"); break;
    case 'M': f.type = FieldType::Memo, f.length = len; if (len != 10) throw bad("memo field not 10 wide"); break;
    default: throw bad("unknown field type");
  }
  if (f.length == 0) throw bad("field of width 0");
  return f;
}

}  // namespace

std::vector<Field> decodeFields(std::span<const std::byte> area, std::uint16_t recordLength, const std::string& file) {
  std::vector<Field> fields;
  std::size_t at = 0;
  for (; at < area.size() && area[at] != kFieldTerminator; at += kFieldSize) {
    if (area.size() - at < kFieldSize) break;
    fields.push_back(decodeOne(area.subspan(at, kFieldSize), kHeaderSize + at, file));
  }
  if (at >= area.size() || area[at] != kFieldTerminator)
    throw base::Corrupt(file, static_cast<std::int64_t>(kHeaderSize + at), "field list without its terminator");
  if (fields.empty()) throw base::Corrupt(file, kHeaderSize, "table without fields");
  if (layOutFields(fields) != recordLength)
    throw base::Corrupt(file, off::kRecordLength, "record length differs from the sum of the field lengths");
  return fields;
}

std::uint16_t layOutFields(std::vector<Field>& fields) {
  std::uint32_t at = 1;
  for (Field& f : fields) {
    f.offset = static_cast<std::uint16_t>(std::min<std::uint32_t>(at, 0xFFFF));
    at += f.length;
  }
  return at > 0xFFFF ? 0 : static_cast<std::uint16_t>(at);
}

std::vector<std::byte> encodeFields(const std::vector<Field>& fields) {
  std::vector<std::byte> out(fields.size() * kFieldSize + 2, std::byte{0});
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::byte* d = out.data() + i * kFieldSize;
    const Field& f = fields[i];
    for (std::size_t c = 0; c < f.name.size() && c < kMaxNameLength; ++c) d[fieldoff::kName + c] = std::byte(f.name[c]);
    d[fieldoff::kType] = std::byte(static_cast<char>(f.type));
    d[fieldoff::kLength] = std::byte(f.length & 0xFF);
    d[fieldoff::kDecimals] = f.type == FieldType::Character ? std::byte(f.length >> 8) : std::byte(f.decimals);
  }
  out[fields.size() * kFieldSize] = kFieldTerminator;
  return out;
}

base::Result<std::vector<Field>> fieldsFromSpecs(const std::vector<FieldSpec>& specs) {
  const auto invalid = [](const std::string& name, const std::string& why) {
    return base::Status(base::Errc::Invalid, "field " + name + ": " + why);
  };
  if (specs.empty()) return base::Status(base::Errc::Invalid, "a table needs at least one field");
  std::vector<Field> fields;
  for (const FieldSpec& s : specs) {
    Field f;
    for (char c : s.name) f.name.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
    if (f.name.empty() || f.name.size() > kMaxNameLength) return invalid(f.name, "name must have 1 to 10 characters");
    const bool nameOk = std::all_of(f.name.begin(), f.name.end(), [](char c) {
      return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
    if (!nameOk || !(f.name[0] >= 'A' && f.name[0] <= 'Z')) return invalid(f.name, "name must be a letter, then letters, digits or _");
    for (const Field& g : fields)
      if (g.name == f.name) return invalid(f.name, "name used twice");
    switch (s.type >= 'a' ? s.type - 'a' + 'A' : s.type) {
      case 'C':
        if (s.length < 1 || s.length > 0xFFFF) return invalid(f.name, "character width must be 1 to 65535");
        f.type = FieldType::Character, f.length = static_cast<std::uint16_t>(s.length);
        break;
      case 'N':
        if (s.length < 1 || s.length > 255) return invalid(f.name, "numeric width must be 1 to 255");
        if (s.decimals < 0 || (s.decimals > 0 && s.decimals + 2 > s.length))
          return invalid(f.name, "decimals must leave room for the point and one digit");
        f.type = FieldType::Numeric, f.length = static_cast<std::uint16_t>(s.length);
        f.decimals = static_cast<std::uint8_t>(s.decimals);
        break;
      case 'D': f.type = FieldType::Date, f.length = 8; break;
      case 'L': f.type = FieldType::Logical, f.length = 1; break;
      case 'M': f.type = FieldType::Memo, f.length = 10; break;
      default: return invalid(f.name, std::string("unknown type ") + s.type);
    }
    fields.push_back(std::move(f));
  }
  if (layOutFields(fields) == 0) return base::Status(base::Errc::Invalid, "record longer than 65535 bytes");
  return fields;
}

}  // namespace xbase::dbf
