// src/rt/transform.cpp — TRANSFORM(): parsing pictures and applying them to character,
// numeric, date and logical values.
#include "rt/transform.hpp"

#include <algorithm>

#include "rt/codepage.hpp"
#include "rt/date_text.hpp"
#include "rt/number_text.hpp"

namespace rt {
namespace {

bool isDigitPosition(char c) { return c == '9' || c == '#' || c == '$' || c == '*'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

char upper(char c) { return static_cast<char>(upperCp852(static_cast<unsigned char>(c))); }

// Leading blanks moved to the end, the length kept.
void leftJustify(std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos || first == 0) return;
  std::rotate(s.begin(), s.begin() + static_cast<std::ptrdiff_t>(first), s.end());
}

// ---- character values ----

// The template character `t` applied to the value character `c`; literal: false.
bool templateChar(char t, char c, bool upperAll, char& out) {
  switch (t) {
    case '9': case '#': case 'A': case 'N': case 'X': case 'L':
    case 'a': case 'n': case 'x': case 'l':
      out = upperAll ? upper(c) : c;
      return true;
    case '!':
      out = upper(c);
      return true;
    case 'Y': case 'y':
      out = (c == 't' || c == 'T' || c == 'y' || c == 'Y') ? 'Y' : 'N';
      return true;
    default:
      return false;
  }
}

}  // namespace

void transformText(std::string_view value, const Picture& p, std::string& out) {
  out.clear();
  if (p.tmpl.empty()) {
    out.assign(value);
    if (p.upper)
      for (char& c : out) c = upper(c);
  } else if (p.insertLiterals) {
    std::size_t j = 0;
    for (char t : p.tmpl) {
      char c = 0;
      if (templateChar(t, j < value.size() ? value[j] : ' ', p.upper, c)) {
        out += c;
        ++j;
      } else {
        out += t;
      }
    }
  } else {
    for (std::size_t i = 0; i < p.tmpl.size() && i < value.size(); ++i) {
      char c = 0;
      out += templateChar(p.tmpl[i], value[i], p.upper, c) ? c : p.tmpl[i];
    }
  }
  if (p.leftJustify) leftJustify(out);
  if (p.scrollWidth > 0 && out.size() > static_cast<std::size_t>(p.scrollWidth)) out.resize(p.scrollWidth);
}

namespace {

// ---- numeric values ----

struct Layout {
  int width = 0;     // characters of the formatted number
  int decimals = 0;
  bool fromTemplate = false;
};

Layout numericLayout(const Number& n, const std::string& tmpl) {
  int integer = 0, decimals = 0;
  bool point = false;
  for (char c : tmpl) {
    if (c == '.') point = true;
    if (!isDigitPosition(c)) continue;
    (point ? decimals : integer)++;
  }
  if (integer + decimals == 0) return {printedLength(n), n.decimals, false};
  return {integer + (decimals > 0 ? decimals + 1 : 0), decimals, true};
}

// STR(v, width, decimals); a fraction below 1 that is one place too wide drops its leading
// zero (".50", "-.5") before giving up.
std::string fitted(double v, int width, int decimals) {
  std::string t = str(v, std::max(width, 1), decimals);
  if (t[0] != '*' || decimals <= 0) return t;
  std::string f = fixedText(v, decimals);
  if (f.compare(0, 2, "0.") == 0) f.erase(0, 1);
  else if (f.compare(0, 3, "-0.") == 0) f.erase(1, 1);
  if (f.empty() || static_cast<int>(f.size()) > width) return t;
  return std::string(width - f.size(), ' ') + f;
}

// Walks the template over the formatted number.
std::string applyTemplate(const std::string& tmpl, const std::string& text, const Layout& l, bool overflow,
                          bool european) {
  const char pointChar = european ? ',' : '.';
  const char groupChar = european ? '.' : ',';
  std::string out;
  std::size_t j = 0;
  bool pointSeen = false;
  for (char c : tmpl) {
    if (isDigitPosition(c)) {
      char t = j < text.size() ? text[j++] : ' ';
      if (overflow) t = '*';
      else if (t == ' ' && (c == '$' || c == '*')) t = c;
      out += t;
    } else if (c == '.' && !pointSeen) {
      pointSeen = true;
      if (l.decimals > 0) ++j;
      out += pointChar;
    } else if (c == ',') {
      const char last = out.empty() ? ' ' : out.back();
      if (isDigit(last)) {
        out += groupChar;
      } else if (last == '-') {
        out.back() = ' ';
        out += '-';
      } else {
        out += (last == '*' || last == '$') ? last : ' ';
      }
    } else {
      out += c;
    }
  }
  return out;
}

std::string numericText(const Number& n, const Picture& p) {
  const Layout l = numericLayout(n, p.tmpl);
  const double v = n.value;
  std::string text = fitted(v, l.width, l.decimals);
  bool overflow = text.find('*') != std::string::npos;
  const bool negative = overflow ? v < 0 : text.find('-') != std::string::npos;
  if (p.debit && negative) {
    text = fitted(-v, l.width, l.decimals);
    overflow = text.find('*') != std::string::npos;
  }
  std::string out;
  if (l.fromTemplate) {
    out = applyTemplate(p.tmpl, text, l, overflow, p.european);
  } else {
    out = text;
    if (p.european) std::replace(out.begin(), out.end(), '.', ',');
  }
  if (p.parentheses && negative && !overflow) {
    std::replace(out.begin(), out.end(), '-', ' ');
    out.front() = '(';
    out += ')';
  }
  if (p.credit && v > 0 && !overflow) out += " CR";
  if (p.debit && negative && !overflow) out += " DB";
  if (p.zeroBlank && v == 0) return std::string(out.size(), ' ');
  if (p.leftJustify) leftJustify(out);
  return out;
}

// ---- dates and logicals ----

std::string dateText(Date d, const Picture& p, const Settings& s) {
  std::string out = dtoc(d, p.european ? britishLayout(s.dateFormat) : s.dateFormat);
  if (p.zeroBlank && d.empty()) return std::string(out.size(), ' ');
  return out;
}

std::string logicalText(bool b, const Picture& p) {
  if (p.tmpl.empty()) return b ? "T" : "F";
  std::string out;
  for (char t : p.tmpl) {
    switch (t) {
      case 'L': case 'l': case '#': out += b ? 'T' : 'F'; break;
      case 'Y': case 'y': out += b ? 'Y' : 'N'; break;
      default: out += t; break;
    }
    if (!p.insertLiterals) break;
  }
  return out;
}

void setFunction(Picture& p, std::string_view letters) {
  for (std::size_t i = 0; i < letters.size(); ++i) {
    switch (upper(letters[i])) {
      case '!': p.upper = true; break;
      case 'B': p.leftJustify = true; break;
      case 'C': p.credit = true; break;
      case 'X': p.debit = true; break;
      case '(': p.parentheses = true; break;
      case 'Z': p.zeroBlank = true; break;
      case 'E': p.european = true; break;
      case 'R': p.insertLiterals = true; break;
      case 'D': p.dateLayout = true; break;
      case 'K': p.clearOnType = true; break;
      case 'S': {
        int n = 0;
        while (i + 1 < letters.size() && isDigit(letters[i + 1])) {
          n = std::min(n * 10 + (letters[++i] - '0'), 65535);
        }
        p.scrollWidth = n;
        break;
      }
      default: break;  // unknown letters are ignored
    }
  }
}

}  // namespace

Picture parsePicture(std::string_view picture) {
  Picture p;
  if (picture.empty() || picture[0] != '@') {
    p.tmpl = std::string(picture);
    return p;
  }
  const std::size_t end = picture.find_first_of(" \t");
  setFunction(p, picture.substr(1, end == std::string_view::npos ? std::string_view::npos : end - 1));
  if (end != std::string_view::npos) p.tmpl = std::string(picture.substr(end + 1));
  return p;
}

std::optional<std::string> transform(const Value& v, const Picture& p, const Settings& s) {
  switch (v.type()) {
    case Type::Character:
    case Type::Memo: {
      std::string out;
      transformText(v.text(), p, out);
      return out;
    }
    case Type::Numeric: return numericText(v.numberParts(), p);
    case Type::Date: return dateText(v.date(), p, s);
    case Type::Logical: return logicalText(v.logical(), p);
    default: return std::nullopt;
  }
}

std::optional<std::string> transform(const Value& v, std::string_view picture, const Settings& s) {
  return transform(v, parsePicture(picture), s);
}

}  // namespace rt
