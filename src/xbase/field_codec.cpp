// src/xbase/field_codec.cpp — field value encodings.
#include "xbase/field_codec.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "base/check.hpp"
#include "base/fault.hpp"

namespace xbase {

namespace {

constexpr std::byte kBlank{' '};

char at(std::span<const std::byte> in, std::size_t i) { return static_cast<char>(in[i]); }

// Rounds the decimal digits `digits` (integer part first, `intLen` of them) to `decimals`
// places, half away from zero. Returns the kept digits; the integer part may gain one.
std::string roundDigits(std::string digits, std::size_t& intLen, int decimals) {
  const std::size_t keep = intLen + static_cast<std::size_t>(decimals);
  if (digits.size() <= keep) {
    digits.append(keep - digits.size(), '0');
    return digits;
  }
  const bool up = digits[keep] >= '5';
  digits.resize(keep);
  if (!up) return digits;
  std::size_t i = keep;
  while (i > 0) {
    if (digits[i - 1] != '9') {
      ++digits[i - 1];
      return digits;
    }
    digits[i - 1] = '0';
    --i;
  }
  digits.insert(digits.begin(), '1');
  ++intLen;
  return digits;
}

}  // namespace

void encodeCharacter(std::string_view text, std::span<std::byte> out) {
  const std::size_t n = std::min(text.size(), out.size());
  for (std::size_t i = 0; i < n; ++i) out[i] = std::byte(static_cast<unsigned char>(text[i]));
  std::fill(out.begin() + static_cast<std::ptrdiff_t>(n), out.end(), kBlank);
}

bool encodeNumber(double value, int decimals, std::span<std::byte> out) {
  const auto overflow = [&] {
    std::fill(out.begin(), out.end(), std::byte{'*'});
    return false;
  };
  if (!std::isfinite(value)) return overflow();
  char buf[512];
  const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed);
  if (r.ec != std::errc()) return overflow();
  const std::string_view shortest(buf, static_cast<std::size_t>(r.ptr - buf));
  const std::size_t point = std::min(shortest.find('.'), shortest.size());
  std::string digits(shortest.substr(0, point));
  if (point < shortest.size()) digits += shortest.substr(point + 1);
  std::size_t intLen = point;
  digits = roundDigits(std::move(digits), intLen, decimals);
  std::size_t lead = 0;  // leading zeros of the integer part, keeping one
  while (lead + 1 < intLen && digits[lead] == '0') ++lead;
  const bool zero = std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
  std::string text = (value < 0 && !zero) ? "-" : "";
  text += digits.substr(lead, intLen - lead);
  if (decimals > 0) text += "." + digits.substr(intLen);
  if (text.size() > out.size()) return overflow();
  const std::size_t pad = out.size() - text.size();
  std::fill_n(out.begin(), pad, kBlank);
  for (std::size_t i = 0; i < text.size(); ++i) out[pad + i] = std::byte(text[i]);
  return true;
}

double decodeNumber(std::span<const std::byte> in) {
  std::size_t i = 0;
  while (i < in.size() && at(in, i) == ' ') ++i;
  std::string s;
  if (i < in.size() && at(in, i) == '-') s.push_back(at(in, i++));
  bool point = false;
  for (; i < in.size(); ++i) {
    const char c = at(in, i);
    if (c >= '0' && c <= '9') {
      s.push_back(c);
    } else if (c == '.' && !point) {
      point = true;
      s.push_back(c);
    } else {
      break;
    }
  }
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s.empty() || s == "-") return 0;
  if (s[s.size() > 1 && s[0] == '-' ? 1 : 0] == '.') s.insert(s[0] == '-' ? 1 : 0, "0");
  double v = 0;
  std::from_chars(s.data(), s.data() + s.size(), v);
  return v;
}

void encodeDate(rt::Date d, std::span<std::byte> out) {
  ZEL_CHECK(out.size() == 8);
  const std::string s = d.dtos();
  for (std::size_t i = 0; i < 8; ++i) out[i] = std::byte(s[i]);
}

rt::Date decodeDate(std::span<const std::byte> in) {
  const std::string s(reinterpret_cast<const char*>(in.data()), in.size());
  if (s.size() != 8 || !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; })) return {};
  return rt::Date::fromDtos(s);
}

void encodeLogical(bool b, std::span<std::byte> out) {
  out[0] = std::byte(b ? 'T' : 'F');
  std::fill(out.begin() + 1, out.end(), kBlank);
}

bool decodeLogical(std::span<const std::byte> in) {
  const char c = in.empty() ? ' ' : at(in, 0);
  return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

void encodeMemoBlock(std::uint32_t block, std::span<std::byte> out) {
  std::fill(out.begin(), out.end(), kBlank);
  if (block == 0) return;
  std::size_t i = out.size();
  for (; block > 0 && i > 0; block /= 10) out[--i] = std::byte('0' + block % 10);
}

std::uint32_t decodeMemoBlock(std::span<const std::byte> in, const std::string& file, std::int64_t offset) {
  if (!in.empty() && in[0] == std::byte{0}) return 0;
  std::size_t i = 0;
  while (i < in.size() && at(in, i) == ' ') ++i;
  std::uint64_t block = 0;
  for (; i < in.size() && at(in, i) >= '0' && at(in, i) <= '9'; ++i) {
    block = block * 10 + static_cast<std::uint64_t>(at(in, i) - '0');
    if (block > 0xFFFFFFFFu) throw base::Corrupt(file, offset, "memo block number out of range");
  }
  for (; i < in.size(); ++i)
    if (at(in, i) != ' ') throw base::Corrupt(file, offset, "memo field is not a block number");
  return static_cast<std::uint32_t>(block);
}

rt::Value decodeValue(const dbf::Field& f, std::span<const std::byte> in) {
  using dbf::FieldType;
  switch (f.type) {
    case FieldType::Character: return rt::Value::character(std::string(reinterpret_cast<const char*>(in.data()), in.size()));
    case FieldType::Numeric: {
      const int dec = f.decimals;
      return rt::Value::number(decodeNumber(in), f.length - (dec > 0 ? dec + 1 : 0), dec);
    }
    case FieldType::Date: return rt::Value::date(decodeDate(in));
    case FieldType::Logical: return rt::Value::logical(decodeLogical(in));
    case FieldType::Memo: break;
  }
  throw base::InternalFault("memo field decoded without its memo file");
}

base::Status encodeValue(const dbf::Field& f, const rt::Value& v, std::span<std::byte> out) {
  using dbf::FieldType;
  const auto mismatch = [&] { return base::Status(base::Errc::Invalid, "wrong type of value for field " + f.name); };
  switch (f.type) {
    case FieldType::Character:
      if (!v.isText()) return mismatch();
      encodeCharacter(v.text(), out);
      return base::Status::ok();
    case FieldType::Numeric:
      if (!v.isNumber()) return mismatch();
      if (!encodeNumber(v.num(), f.decimals, out))
        return base::Status(base::Errc::Invalid, "number too wide for field " + f.name);
      return base::Status::ok();
    case FieldType::Date:
      if (!v.isDate()) return mismatch();
      encodeDate(v.date(), out);
      return base::Status::ok();
    case FieldType::Logical:
      if (!v.isLogical()) return mismatch();
      encodeLogical(v.logical(), out);
      return base::Status::ok();
    case FieldType::Memo: break;
  }
  throw base::InternalFault("memo field encoded without its memo file");
}

}  // namespace xbase
