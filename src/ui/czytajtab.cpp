// src/ui/czytajtab.cpp — CZYTAJTAB: the reader of the value texts ADJUSTTAB writes.
//
// A small recursive-descent reader over this grammar (blanks, tabs and line ends between
// tokens are skipped; names in any case):
//   value   := list | text | number | date | logical | NIL
//   list    := "{" [ value { "," value } ] "}"              nested at most kMaxDepth deep
//   text    := piece { "+" piece }
//   piece   := "..." | '...' | [...] | CHR( integer )
//   number  := [ "+" | "-" ] digits [ "." digits ]
//   date    := STOD( text ) | CTOD( text ) | digits "." digits "." digits
//   logical := .t. | .f. | .y. | .n.
#include "ui/czytajtab.hpp"

#include <cctype>
#include <string>

#include "rt/date_text.hpp"
#include "rt/number_text.hpp"

namespace ui {
namespace {

constexpr int kMaxDepth = 64;
constexpr std::uint64_t kMaxFileSize = 16 * 1024 * 1024;

class Reader {
 public:
  Reader(std::string_view s, const rt::Settings& settings) : s_(s), settings_(settings) {}

  std::optional<rt::Value> whole() {
    std::optional<rt::Value> v = value(0);
    skipBlanks();
    if (pos_ != s_.size()) return std::nullopt;
    return v;
  }

 private:
  std::optional<rt::Value> value(int depth) {
    skipBlanks();
    if (pos_ >= s_.size()) return std::nullopt;
    const char c = s_[pos_];
    if (c == '{') return list(depth);
    if (c == '"' || c == '\'' || c == '[') return textValue();
    if (c == '.') return logical();
    if (c == '+' || c == '-' || isDigit(c)) return numberOrDate();
    if (word("NIL")) return rt::Value();
    if (word("STOD")) return dateCall([](const std::string& t, const rt::Settings&) { return rt::Date::fromDtos(t); });
    if (word("CTOD")) return dateCall([](const std::string& t, const rt::Settings& st) { return rt::ctod(t, st); });
    if (word("CHR")) {
      pos_ -= 3;  // CHR(n) starts a text
      return textValue();
    }
    return std::nullopt;
  }

  std::optional<rt::Value> list(int depth) {
    if (depth >= kMaxDepth) return std::nullopt;
    ++pos_;  // {
    rt::Value result = rt::Value::newArray();
    skipBlanks();
    if (take('}')) return result;
    do {
      std::optional<rt::Value> item = value(depth + 1);
      if (!item) return std::nullopt;
      result.array()->push_back(std::move(*item));
      skipBlanks();
    } while (take(','));
    if (!take('}')) return std::nullopt;
    return result;
  }

  std::optional<rt::Value> textValue() {
    std::optional<std::string> t = text();
    if (!t) return std::nullopt;
    return rt::Value::character(std::move(*t));
  }

  std::optional<std::string> text() {
    std::string out;
    do {
      skipBlanks();
      std::optional<std::string> p = piece();
      if (!p) return std::nullopt;
      out += *p;
      skipBlanks();
    } while (take('+'));
    return out;
  }

  std::optional<std::string> piece() {
    if (pos_ >= s_.size()) return std::nullopt;
    const char open = s_[pos_];
    if (open == '"' || open == '\'' || open == '[') {
      const char close = open == '[' ? ']' : open;
      const std::size_t end = s_.find(close, pos_ + 1);
      if (end == std::string_view::npos) return std::nullopt;
      std::string p(s_.substr(pos_ + 1, end - pos_ - 1));
      pos_ = end + 1;
      return p;
    }
    if (!word("CHR") || !takeAfterBlanks('(')) return std::nullopt;
    skipBlanks();
    const std::size_t start = pos_;
    while (pos_ < s_.size() && isDigit(s_[pos_])) ++pos_;
    if (pos_ == start || pos_ - start > 3) return std::nullopt;
    const int code = std::stoi(std::string(s_.substr(start, pos_ - start)));
    if (code > 255 || !takeAfterBlanks(')')) return std::nullopt;
    return std::string(1, static_cast<char>(code));
  }

  template <typename Parse>
  std::optional<rt::Value> dateCall(Parse parse) {
    if (!takeAfterBlanks('(')) return std::nullopt;
    std::optional<std::string> t = text();
    if (!t || !takeAfterBlanks(')')) return std::nullopt;
    return rt::Value::date(parse(*t, settings_));
  }

  std::optional<rt::Value> logical() {
    if (pos_ + 3 > s_.size() || s_[pos_ + 2] != '.') return std::nullopt;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(s_[pos_ + 1])));
    pos_ += 3;
    if (letter == 'T' || letter == 'Y') return rt::Value::logical(true);
    if (letter == 'F' || letter == 'N') return rt::Value::logical(false);
    return std::nullopt;
  }

  std::optional<rt::Value> numberOrDate() {
    const std::size_t start = pos_;
    if (s_[pos_] == '+' || s_[pos_] == '-') ++pos_;
    const std::size_t digitsStart = pos_;
    skipDigits();
    if (pos_ == digitsStart) return std::nullopt;
    int decimals = 0;
    if (pos_ + 1 < s_.size() && s_[pos_] == '.' && isDigit(s_[pos_ + 1])) {
      const std::size_t fraction = ++pos_;
      skipDigits();
      decimals = static_cast<int>(pos_ - fraction);
      if (pos_ + 1 < s_.size() && s_[pos_] == '.' && isDigit(s_[pos_ + 1])) {  // dd.mm.yy
        if (digitsStart != start) return std::nullopt;
        ++pos_;
        skipDigits();
        return rt::Value::date(rt::ctod(s_.substr(start, pos_ - start), settings_));
      }
    }
    const double v = rt::val(s_.substr(start, pos_ - start)).value;
    return decimals == 0 ? rt::Value::integer(v) : rt::Value::number(v, rt::kDefaultWidth, decimals);
  }

  // A name in any case, not followed by another letter, digit or "_".
  bool word(std::string_view w) {
    if (s_.size() - pos_ < w.size()) return false;
    for (std::size_t i = 0; i < w.size(); ++i)
      if (std::toupper(static_cast<unsigned char>(s_[pos_ + i])) != w[i]) return false;
    const std::size_t after = pos_ + w.size();
    if (after < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[after])) || s_[after] == '_')) return false;
    pos_ = after;
    return true;
  }

  bool take(char c) {
    if (pos_ >= s_.size() || s_[pos_] != c) return false;
    ++pos_;
    return true;
  }
  bool takeAfterBlanks(char c) {
    skipBlanks();
    return take(c);
  }
  void skipBlanks() {
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\r' || s_[pos_] == '\n')) ++pos_;
  }
  void skipDigits() {
    while (pos_ < s_.size() && isDigit(s_[pos_])) ++pos_;
  }
  static bool isDigit(char c) { return c >= '0' && c <= '9'; }

  std::string_view s_;
  const rt::Settings& settings_;
  std::size_t pos_ = 0;
};

rt::Value raise(rt::Runtime& rt, rt::GenCode code, const char* description, const std::string& file, int osCode) {
  rt::Error e;
  e.genCode = code;
  e.description = description;
  e.operation = "CZYTAJTAB";
  e.fileName = file;
  e.osCode = osCode;
  e.canDefault = true;
  return rt.raise(std::move(e));
}

base::Result<std::string> readAll(sys::File& f) {
  base::Result<std::uint64_t> size = f.size();
  if (!size) return size.error();
  if (*size > kMaxFileSize) return base::Status(base::Errc::Invalid, "file too large");
  std::string bytes(static_cast<std::size_t>(*size), '\0');
  base::Result<std::size_t> n = f.readAt(0, std::as_writable_bytes(std::span(bytes)));
  if (!n) return n.error();
  bytes.resize(*n);
  return bytes;
}

}  // namespace

std::optional<rt::Value> readTabText(std::string_view text, const rt::Settings& settings) {
  return Reader(text, settings).whole();
}

rt::Value CZYTAJTAB(rt::Runtime& rt, sys::Env& env, const sys::PathResolver& paths, std::string_view file) {
  const std::string path = paths.resolve(file);
  base::Result<std::unique_ptr<sys::File>> f = env.open(path, sys::Access::ReadOnly);
  if (!f) {
    if (f.error().is(base::Errc::NotFound)) return rt::Value();
    return raise(rt, rt::GenCode::Open, "Open error", path, 0);
  }
  base::Result<std::string> text = readAll(**f);
  if (!text) return raise(rt, rt::GenCode::Read, "Read error", path, 0);
  std::optional<rt::Value> v = readTabText(*text, rt.settings());
  if (!v) return raise(rt, rt::GenCode::Syntax, "Syntax error", path, 0);
  return std::move(*v);
}

}  // namespace ui
