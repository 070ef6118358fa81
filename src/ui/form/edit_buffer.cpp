// src/ui/form/edit_buffer.cpp — the edit buffer of a focused field.
#include "ui/form/edit_buffer.hpp"

#include <algorithm>

#include "rt/codepage.hpp"
#include "rt/date_text.hpp"
#include "rt/number_text.hpp"

namespace ui {
namespace {

constexpr std::string_view kCharacterPlaces = "!ANX9#LY";
constexpr std::string_view kNumberPlaces = "9#$*";
constexpr std::string_view kLogicalPlaces = "LY#";

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool in(std::string_view set, char c) { return set.find(c) != std::string_view::npos; }

FieldKind kindOf(const rt::Value& v) {
  if (v.isNumber()) return FieldKind::Numeric;
  if (v.isDate()) return FieldKind::Date;
  if (v.isLogical()) return FieldKind::Logical;
  return FieldKind::Character;
}

// The 9s of STR(): integer width, then "." and the decimals.
std::string defaultNumberTemplate(const rt::Number& n) {
  std::string t(static_cast<std::size_t>(std::max<int>(n.width, 1)), '9');
  if (n.decimals > 0) t += "." + std::string(static_cast<std::size_t>(n.decimals), '9');
  return t;
}

std::string dateLayout(const rt::Picture& p, const rt::Settings& s) {
  return p.european ? rt::britishLayout(s.dateFormat) : s.dateFormat;
}

}  // namespace

EditBuffer::EditBuffer(const rt::Value& v, std::string_view picture, const rt::Settings& s)
    : original_(v), pic_(rt::parsePicture(picture)), settings_(s), kind_(kindOf(v)) {
  if (kind_ == FieldKind::Numeric &&
      std::none_of(pic_.tmpl.begin(), pic_.tmpl.end(), [](char c) { return in(kNumberPlaces, c); }))
    pic_.tmpl = defaultNumberTemplate(v.numberParts());
  build(v);
  atFocus_ = text_;
  pos_ = std::max(firstEditable(), 0);
  clearPending_ = kind_ == FieldKind::Numeric || pic_.clearOnType;
}

void EditBuffer::build(const rt::Value& v) {
  rt::Picture shown = pic_;  // while edited: no blanking of zero, no left-justifying, no cut
  shown.zeroBlank = false;
  shown.leftJustify = false;
  shown.scrollWidth = 0;
  text_ = rt::transform(v, shown, settings_).value_or(std::string());
  switch (kind_) {
    case FieldKind::Character:
      if (pic_.tmpl.empty()) {
        mask_.assign(text_.size(), pic_.upper ? '!' : 'X');
      } else {
        mask_ = pic_.tmpl.substr(0, std::min(pic_.tmpl.size(), text_.size()));
        mask_.resize(text_.size(), 'X');
      }
      break;
    case FieldKind::Numeric:
      mask_ = pic_.tmpl;
      mask_.resize(text_.size(), ' ');
      pointAt_ = -1;
      for (std::size_t i = 0; i < mask_.size(); ++i)
        if (mask_[i] == '.') {
          pointAt_ = static_cast<int>(i);
          break;
        }
      break;
    case FieldKind::Date:
      mask_ = dateLayout(pic_, settings_);
      for (char& c : mask_)
        if (in("dDmMyY", c)) c = '9';
      mask_.resize(text_.size(), ' ');
      break;
    case FieldKind::Logical: {
      const char first = pic_.tmpl.empty() || !in(kLogicalPlaces, pic_.tmpl[0]) ? 'L' : pic_.tmpl[0];
      mask_ = pic_.insertLiterals ? pic_.tmpl : std::string(1, first);
      mask_.resize(text_.size(), ' ');
      break;
    }
  }
}

bool EditBuffer::isEditable(int i) const {
  if (i < 0 || i >= size()) return false;
  const char m = mask_[static_cast<std::size_t>(i)];
  switch (kind_) {
    case FieldKind::Character: return in(kCharacterPlaces, m);
    case FieldKind::Numeric: return in(kNumberPlaces, m);
    case FieldKind::Date: return m == '9';
    case FieldKind::Logical: return in(kLogicalPlaces, m);
  }
  return false;
}

int EditBuffer::firstEditable() const { return nextEditable(-1); }
int EditBuffer::lastEditable() const { return prevEditable(size()); }

int EditBuffer::nextEditable(int from) const {
  for (int i = from + 1; i < size(); ++i)
    if (isEditable(i)) return i;
  return -1;
}

int EditBuffer::prevEditable(int from) const {
  for (int i = std::min(from, size()) - 1; i >= 0; --i)
    if (isEditable(i)) return i;
  return -1;
}

int EditBuffer::segmentEnd(int from) const {
  int i = from;
  while (i < size() && isEditable(i)) ++i;
  return i;
}

bool EditBuffer::accepts(int i, unsigned char& ch) const {
  const char m = mask_[static_cast<std::size_t>(i)];
  const unsigned char up = rt::upperCp852(ch);
  switch (kind_) {
    case FieldKind::Numeric:
      return isDigit(ch) || ch == '+' || ch == '-' || (m == '#' && ch == ' ');
    case FieldKind::Date: return isDigit(ch);
    case FieldKind::Logical:
      ch = up;
      return m == 'Y' ? (up == 'Y' || up == 'N') : in("TFYN", static_cast<char>(up));
    case FieldKind::Character: break;
  }
  if (pic_.upper) ch = up;
  switch (m) {
    case 'A': return rt::isAlphaCp852(ch);
    case 'N': return rt::isAlphaCp852(ch) || isDigit(ch);
    case '9': return isDigit(ch);
    case '#': return isDigit(ch) || in(" .+-", static_cast<char>(ch));
    case 'L': ch = up; return in("TFYN", static_cast<char>(up));
    case 'Y': ch = up; return up == 'Y' || up == 'N';
    case '!': ch = up; return true;
    default: return true;  // X
  }
}

void EditBuffer::home() {
  touch();
  pos_ = std::max(firstEditable(), 0);
}

void EditBuffer::end() {
  touch();
  int last = -1;
  for (int i = 0; i < size(); ++i)
    if (isEditable(i) && text_[static_cast<std::size_t>(i)] != ' ') last = i;
  if (last < 0) return home();
  const int after = nextEditable(last);
  pos_ = after < 0 ? last : after;
}

void EditBuffer::left() {
  touch();
  if (const int p = prevEditable(pos_); p >= 0) pos_ = p;
}

void EditBuffer::right() {
  touch();
  if (const int n = nextEditable(pos_); n >= 0) pos_ = n;
}

void EditBuffer::wordLeft() {
  touch();
  int i = pos_ - 1;
  while (i > 0 && text_[static_cast<std::size_t>(i)] == ' ') --i;
  while (i > 0 && text_[static_cast<std::size_t>(i - 1)] != ' ') --i;
  if (i < 0) i = 0;
  if (!isEditable(i)) i = nextEditable(i);
  if (i >= 0) pos_ = i;
}

void EditBuffer::wordRight() {
  touch();
  int i = pos_;
  while (i < size() && text_[static_cast<std::size_t>(i)] != ' ') ++i;
  while (i < size() && text_[static_cast<std::size_t>(i)] == ' ') ++i;
  if (i >= size()) return;
  if (!isEditable(i)) i = nextEditable(i);
  if (i >= 0) pos_ = i;
}

bool EditBuffer::type(unsigned char ch, TypeMode mode) {
  if (!isEditable(pos_) || !accepts(pos_, ch)) return false;
  if (clearPending_ && pos_ == firstEditable()) clear();
  clearPending_ = false;
  if (mode == TypeMode::Insert) {
    const int e = segmentEnd(pos_);
    for (int j = e - 1; j > pos_; --j) text_[static_cast<std::size_t>(j)] = text_[static_cast<std::size_t>(j - 1)];
  }
  text_[static_cast<std::size_t>(pos_)] = static_cast<char>(ch);
  changed_ = true;
  const int n = nextEditable(pos_);
  typedOut_ = n < 0;
  if (n >= 0) pos_ = n;
  return true;
}

void EditBuffer::del() {
  touch();
  if (!isEditable(pos_)) return;
  const int e = segmentEnd(pos_);
  for (int j = pos_; j < e - 1; ++j) text_[static_cast<std::size_t>(j)] = text_[static_cast<std::size_t>(j + 1)];
  text_[static_cast<std::size_t>(e - 1)] = ' ';
  changed_ = true;
}

void EditBuffer::backspace() {
  touch();
  const int p = prevEditable(pos_);
  if (p < 0) return;
  pos_ = p;
  del();
}

void EditBuffer::deleteWordRight() {
  touch();
  int j = pos_;
  while (j < size() && text_[static_cast<std::size_t>(j)] != ' ') ++j;
  while (j < size() && text_[static_cast<std::size_t>(j)] == ' ') ++j;
  for (int n = j - pos_; n > 0; --n) del();
}

void EditBuffer::deleteWordLeft() {
  const int start = pos_;
  wordLeft();
  for (int n = start - pos_; n > 0; --n) del();
}

void EditBuffer::deleteToEnd() {
  touch();
  for (int j = pos_; j < size(); ++j)
    if (isEditable(j)) text_[static_cast<std::size_t>(j)] = ' ';
  changed_ = true;
}

void EditBuffer::undo() {
  touch();
  text_ = atFocus_;
  changed_ = false;
  if (!isEditable(pos_)) pos_ = std::max(firstEditable(), 0);
}

void EditBuffer::clear() {
  touch();
  for (int j = 0; j < size(); ++j)
    if (isEditable(j)) text_[static_cast<std::size_t>(j)] = ' ';
  pos_ = std::max(firstEditable(), 0);
  changed_ = true;
}

void EditBuffer::blankCommas() {
  if (kind_ != FieldKind::Numeric) return;
  for (int i = 0; i < size(); ++i)
    if (i != pointAt_ && !isEditable(i) && text_[static_cast<std::size_t>(i)] == ',') text_[static_cast<std::size_t>(i)] = ' ';
}

void EditBuffer::decimalPoint() {
  if (kind_ != FieldKind::Numeric || pointAt_ < 0) return;
  touch();
  const rt::Value v = numericValue();
  const bool negative = text_.find_first_of("-(") != std::string::npos;
  build(v);
  // A minus typed before any digit ("-" then ".") must survive the re-format of a zero.
  if (negative && v.num() == 0 && isEditable(pointAt_ - 1)) text_[static_cast<std::size_t>(pointAt_ - 1)] = '-';
  changed_ = true;
  const int n = nextEditable(pointAt_);
  pos_ = n < 0 ? pos_ : n;
}

rt::Value EditBuffer::numericValue() const {
  std::string digits;
  bool negative = false;
  for (int i = 0; i < size(); ++i) {
    const char c = text_[static_cast<std::size_t>(i)];
    if (c == '-' || c == '(') negative = true;
    if (i == pointAt_) {
      digits += '.';
    } else if (isEditable(i) && isDigit(static_cast<unsigned char>(c))) {
      digits += c;
    }
  }
  const rt::Number& n = original_.numberParts();
  const double x = rt::val(digits).value;
  return rt::Value::number(negative ? -x : x, n.width, n.decimals);
}

rt::Value EditBuffer::value() const {
  switch (kind_) {
    case FieldKind::Numeric: return numericValue();
    case FieldKind::Date:
      return rt::Value::date(rt::ctod(text_, dateLayout(pic_, settings_), settings_.epoch));
    case FieldKind::Logical: {
      const int f = firstEditable();
      const char c = f < 0 ? ' ' : static_cast<char>(rt::upperCp852(static_cast<unsigned char>(text_[static_cast<std::size_t>(f)])));
      return rt::Value::logical(c == 'T' || c == 'Y');
    }
    case FieldKind::Character: break;
  }
  std::string s;
  if (pic_.insertLiterals) {
    for (int i = 0; i < size(); ++i)
      if (isEditable(i)) s += text_[static_cast<std::size_t>(i)];
  } else {
    s = text_;
  }
  const std::string& old = original_.text();
  if (s.size() < old.size()) s += old.substr(s.size());
  return original_.isText() && original_.type() == rt::Type::Memo ? rt::Value::memo(std::move(s))
                                                                     : rt::Value::character(std::move(s));
}

bool EditBuffer::dateValid() const {
  if (kind_ != FieldKind::Date) return true;
  bool blank = true;
  for (int i = 0; i < size(); ++i)
    if (isEditable(i) && text_[static_cast<std::size_t>(i)] != ' ') blank = false;
  return blank || !value().date().empty();
}

void EditBuffer::reload(const rt::Value& v) {
  build(v);
  changed_ = false;
  typedOut_ = false;
  if (!isEditable(pos_)) {
    const int n = nextEditable(std::min(pos_, size()));
    pos_ = n >= 0 ? n : std::max(prevEditable(size()), 0);
  }
}

void EditBuffer::setText(std::string text) {
  text.resize(text_.size(), ' ');
  if (text != text_) changed_ = true;
  text_ = std::move(text);
}

}  // namespace ui
