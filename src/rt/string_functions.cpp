// src/rt/string_functions.cpp — the built-in functions on character values: cutting (SUBSTR,
// LEFT, RIGHT, STUFF), trimming and padding, case, searching and replacing, building (SPACE,
// REPLICATE, CHR), and the type questions (LEN, EMPTY, VALTYPE, DESCEND, IS...).
// Rules the functions share:
//   S1  positions are 1-based; a count or position is a number truncated toward zero.
//   S2  a memo argument is treated as character; results are character.
//   S3  a wrong argument type raises "Argument error" naming the function; the error
//       handler's substitute value becomes the result.
//   S4  a string built from a count is at most 65535 bytes; a longer one raises "String
//       overflow" instead of being built.
//   S5  text is CP852; case and letter tests know a-z and the 18 Polish letters.
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "rt/codepage.hpp"
#include "rt/date_text.hpp"
#include "rt/arguments.hpp"
#include "rt/number_text.hpp"
#include "rt/runtime.hpp"

namespace rt {
namespace {


bool isOptionalNumber(const Value& v) { return v.isNil() || v.isNumber(); }
long long countOr(const Value& v, long long fallback) { return v.isNil() ? fallback : toCount(v.num()); }
Value text(std::string s) { return Value::character(std::move(s)); }

// The part of `s` from 0-based `from`, at most `n` bytes; both already within range.
Value slice(const std::string& s, long long from, long long n) {
  return text(s.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(n)));
}

Value SUBSTR(Runtime& rt, Args& a) {
  if (!a[0].isText() || !a[1].isNumber() || !isOptionalNumber(a[2])) return argumentError(rt, "SUBSTR", 1110);
  const std::string& s = a[0].text();
  const auto len = static_cast<long long>(s.size());
  long long start = toCount(a[1].num());
  if (start == 0) start = 1;
  if (start < 0) start = std::max(len + start + 1, 1LL);
  if (start > len) return text("");
  const long long n = std::min(countOr(a[2], len), len - start + 1);
  return n <= 0 ? text("") : slice(s, start - 1, n);
}

Value LEFT(Runtime& rt, Args& a) {
  if (!a[0].isText() || !a[1].isNumber()) return argumentError(rt, "LEFT", 1124);
  const std::string& s = a[0].text();
  const long long n = std::clamp(toCount(a[1].num()), 0LL, static_cast<long long>(s.size()));
  return slice(s, 0, n);
}

Value RIGHT(Runtime& rt, Args& a) {
  if (!a[0].isText() || !a[1].isNumber()) return argumentError(rt, "RIGHT", 1125);
  const std::string& s = a[0].text();
  const auto len = static_cast<long long>(s.size());
  const long long n = std::clamp(toCount(a[1].num()), 0LL, len);
  return slice(s, len - n, n);
}

// Trailing blanks only: a trailing tab, CR or LF stays.
std::string_view trimRight(std::string_view s) {
  const auto end = s.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : s.substr(0, end + 1);
}

std::string_view trimLeft(std::string_view s) {
  const auto start = s.find_first_not_of(" \t\r\n");
  return start == std::string_view::npos ? std::string_view() : s.substr(start);
}

Value trimFunction(Runtime& rt, const Args& a, std::string_view op, int subCode) {
  if (!a[0].isText()) return argumentError(rt, op, subCode);
  return text(std::string(trimRight(a[0].text())));
}

Value LTRIM(Runtime& rt, Args& a) {
  if (!a[0].isText()) return argumentError(rt, "LTRIM", 1101);
  return text(std::string(trimLeft(a[0].text())));
}

Value ALLTRIM(Runtime& rt, Args& a) {
  if (!a[0].isText()) return argumentError(rt, "ALLTRIM", 2022);
  return text(std::string(trimRight(trimLeft(a[0].text()))));
}

enum class PadSide { Right, Left, Both };

// What PADx pads: text as it is, a number as STR() shows it without leading blanks, a date as
// DTOC() shows it; nothing for other types.
std::optional<std::string> padText(Runtime& rt, const Value& v) {
  if (v.isText()) return v.text();
  if (v.isNumber()) return std::string(trimLeft(str(v.numberParts())));
  if (v.isDate()) return dtoc(v.date(), rt.settings());
  return std::nullopt;
}

// PADR/PADL/PADC: a value longer than n keeps its first n characters whatever the side;
// PADC gives the odd extra fill character to the right.
Value padFunction(Runtime& rt, const Args& a, std::string_view op, PadSide side) {
  const std::optional<std::string> value = padText(rt, a[0]);
  if (!value || !a[1].isNumber() || !(a[2].isNil() || a[2].isText())) return argumentError(rt, op);
  const long long n = toCount(a[1].num());
  if (n <= 0) return text("");
  if (n > kMaxBuiltString) return stringOverflow(rt, op);
  const auto width = static_cast<std::size_t>(n);
  if (value->size() >= width) return text(value->substr(0, width));
  const char fill = a[2].isText() && !a[2].text().empty() ? a[2].text()[0] : ' ';
  const std::size_t extra = width - value->size();
  const std::size_t before = side == PadSide::Left ? extra : side == PadSide::Both ? extra / 2 : 0;
  return text(std::string(before, fill) + *value + std::string(extra - before, fill));
}

Value UPPER(Runtime& rt, Args& a) {
  if (!a[0].isText()) return argumentError(rt, "UPPER", 1102);
  return text(upperCp852(a[0].text()));
}

Value LOWER(Runtime& rt, Args& a) {
  if (!a[0].isText()) return argumentError(rt, "LOWER", 1103);
  return text(lowerCp852(a[0].text()));
}

Value SPACE(Runtime& rt, Args& a) {
  if (!a[0].isNumber()) return argumentError(rt, "SPACE", 1105);
  const long long n = toCount(a[0].num());
  if (n > kMaxBuiltString) return stringOverflow(rt, "SPACE");
  return text(std::string(static_cast<std::size_t>(std::max(n, 0LL)), ' '));
}

Value REPLICATE(Runtime& rt, Args& a) {
  if (!a[0].isText() || !a[1].isNumber()) return argumentError(rt, "REPLICATE", 1106);
  const std::string& s = a[0].text();
  const long long n = toCount(a[1].num());
  if (n <= 0 || s.empty()) return text("");
  if (n > kMaxBuiltString / static_cast<long long>(s.size())) return stringOverflow(rt, "REPLICATE");
  std::string out;
  out.reserve(s.size() * static_cast<std::size_t>(n));
  for (long long i = 0; i < n; ++i) out += s;
  return text(std::move(out));
}

// STRTRAN(s, find [, with [, first [, count]]]): occurrences are found left to right without
// overlapping; `first` is the number of the first occurrence replaced (default 1, below 1
// counts as 1) and `count` how many are replaced (default all, 0 or less: none).
Value STRTRAN(Runtime& rt, Args& a) {
  if (!a[0].isText() || !a[1].isText() || !(a[2].isNil() || a[2].isText()) || !isOptionalNumber(a[3]) ||
      !isOptionalNumber(a[4]))
    return argumentError(rt, "STRTRAN", 1126);
  const std::string& s = a[0].text();
  const std::string& find = a[1].text();
  const std::string with = a[2].isText() ? a[2].text() : std::string();
  const long long first = std::max(countOr(a[3], 1), 1LL);
  long long left = countOr(a[4], static_cast<long long>(s.size()) + 1);
  if (find.empty() || left <= 0) return text(s);
  std::string out;
  std::size_t pos = 0;
  long long occurrence = 0;
  for (std::size_t hit; left > 0 && (hit = s.find(find, pos)) != std::string::npos; pos = hit + find.size()) {
    out.append(s, pos, hit - pos);
    if (++occurrence >= first) {
      out += with;
      --left;
    } else {
      out += find;
    }
  }
  out.append(s, pos, std::string::npos);
  return text(std::move(out));
}

Value AT(Runtime& rt, Args& a) {
  if (!a[0].isText() || !a[1].isText()) return argumentError(rt, "AT", 1108);
  const std::string& find = a[0].text();
  const auto pos = find.empty() ? std::string::npos : a[1].text().find(find);
  return Value::integer(pos == std::string::npos ? 0.0 : static_cast<double>(pos + 1));
}

Value RAT(Runtime& rt, Args& a) {
  if (!a[0].isText() || !a[1].isText()) return argumentError(rt, "RAT");
  const std::string& find = a[0].text();
  const auto pos = find.empty() ? std::string::npos : a[1].text().rfind(find);
  return Value::integer(pos == std::string::npos ? 0.0 : static_cast<double>(pos + 1));
}

Value LEN(Runtime& rt, Args& a) {
  if (a[0].isText()) return Value::integer(static_cast<double>(a[0].text().size()));
  if (a[0].isArray()) return Value::integer(static_cast<double>(a[0].array()->size()));
  return argumentError(rt, "LEN", 1111);
}

Value EMPTY(Runtime&, Args& a) { return Value::logical(a[0].isEmpty()); }

Value VALTYPE(Runtime&, Args& a) { return text(std::string(1, a[0].typeLetter())); }

// CHR(n): the byte n modulo 256.
Value CHR(Runtime& rt, Args& a) {
  if (!a[0].isNumber()) return argumentError(rt, "CHR", 1104);
  const long long n = toCount(a[0].num()) % 256;
  return text(std::string(1, static_cast<char>(n < 0 ? n + 256 : n)));
}

Value ASC(Runtime& rt, Args& a) {
  if (!a[0].isText()) return argumentError(rt, "ASC", 1107);
  const std::string& s = a[0].text();
  return Value::integer(s.empty() ? 0.0 : static_cast<unsigned char>(s[0]));
}

// The day number the descending form of a date is taken from.
constexpr double kDescendDateBase = 5231808;

// DESCEND(x): a value whose order is the reverse of x's, for keys of descending indexes.
Value DESCEND(Runtime&, Args& a) {
  const Value& v = a[0];
  switch (v.type()) {
    case Type::Character:
    case Type::Memo: {
      std::string out = v.text();
      for (char& c : out) c = static_cast<char>(-static_cast<unsigned char>(c));
      return text(std::move(out));
    }
    case Type::Numeric: {
      Number n = v.numberParts();
      n.value = -n.value;
      return Value::number(n);
    }
    case Type::Date: return Value::integer(kDescendDateBase - v.date().julianDay());
    case Type::Logical: return Value::logical(!v.logical());
    default: return Value();
  }
}

// STUFF(s, start, delete, insert): `delete` bytes from `start` are replaced by `insert`. A start
// below 1 counts as 1 and one past the end appends; the deletion stops at the end of s.
Value STUFF(Runtime& rt, Args& a) {
  if (!a[0].isText() || !a[1].isNumber() || !a[2].isNumber() || !(a[3].isNil() || a[3].isText()))
    return argumentError(rt, "STUFF");
  const std::string& s = a[0].text();
  const auto len = static_cast<long long>(s.size());
  const long long start = std::clamp(toCount(a[1].num()), 1LL, len + 1) - 1;
  const long long removed = std::clamp(toCount(a[2].num()), 0LL, len - start);
  const std::string insert = a[3].isText() ? a[3].text() : std::string();
  std::string out = s;
  out.replace(static_cast<std::size_t>(start), static_cast<std::size_t>(removed), insert);
  return text(std::move(out));
}

// IS...(s): a question about the first character; anything but non-empty text answers .F.
template <bool (*Test)(unsigned char)>
Value firstCharIs(Runtime&, Args& a) {
  return Value::logical(a[0].isText() && !a[0].text().empty() && Test(static_cast<unsigned char>(a[0].text()[0])));
}
bool isDigit(unsigned char b) { return b >= '0' && b <= '9'; }

}  // namespace

void registerStringFunctions(FunctionTable& t) {
  constexpr Abbrev kAbbrev = Abbrev::FourLetters;
  t.add("SUBSTR", SUBSTR, kAbbrev);
  t.add("LEFT", LEFT);
  t.add("RIGHT", RIGHT);
  t.add("TRIM", [](Runtime& rt, Args& a) { return trimFunction(rt, a, "TRIM", 1100); });
  t.add("RTRIM", [](Runtime& rt, Args& a) { return trimFunction(rt, a, "RTRIM", 1100); }, kAbbrev);
  t.add("LTRIM", LTRIM, kAbbrev);
  t.add("ALLTRIM", ALLTRIM);
  // Index keys over the trims are read from record bytes.
  const auto textForm = [](std::string_view (*f)(std::string_view)) -> TextForm {
    return [f](const Runtime&) -> TextMap { return [f](std::string_view in, std::string& out) { out.assign(f(in)); }; };
  };
  for (const char* name : {"TRIM", "RTRIM"}) t.setTextForm(name, textForm(trimRight));
  t.setTextForm("LTRIM", textForm(trimLeft));
  t.setTextForm("ALLTRIM", textForm([](std::string_view s) { return trimRight(trimLeft(s)); }));
  t.add("PADR", [](Runtime& rt, Args& a) { return padFunction(rt, a, "PADR", PadSide::Right); });
  t.add("PADL", [](Runtime& rt, Args& a) { return padFunction(rt, a, "PADL", PadSide::Left); });
  t.add("PADC", [](Runtime& rt, Args& a) { return padFunction(rt, a, "PADC", PadSide::Both); });
  t.add("UPPER", UPPER, kAbbrev);
  t.add("LOWER", LOWER, kAbbrev);
  t.add("SPACE", SPACE, kAbbrev);
  t.add("REPLICATE", REPLICATE, kAbbrev);
  t.add("STRTRAN", STRTRAN);
  t.add("AT", AT);
  t.add("RAT", RAT);
  t.add("LEN", LEN);
  t.add("EMPTY", EMPTY, kAbbrev);
  t.add("VALTYPE", VALTYPE, kAbbrev);
  t.add("CHR", CHR);
  t.add("ASC", ASC);
  t.add("DESCEND", DESCEND);
  t.add("STUFF", STUFF);
  t.add("ISDIGIT", firstCharIs<isDigit>);
  t.add("ISALPHA", firstCharIs<isAlphaCp852>);
  t.add("ISUPPER", firstCharIs<isUpperCp852>);
  t.add("ISLOWER", firstCharIs<isLowerCp852>);
}

}  // namespace rt
