// src/rt/internal/expr_lexer.cpp — turns expression text into tokens.
#include "rt/internal/expr_lexer.hpp"

#include <cstdlib>

#include "rt/expression.hpp"

namespace rt::internal {

namespace {

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Tokens after which a value has ended, so "[" is a subscript and not a string.
bool endsValue(Tok t) {
  switch (t) {
    case Tok::Number: case Tok::String: case Tok::Ident: case Tok::Macro: case Tok::True:
    case Tok::False: case Tok::RParen: case Tok::RBracket: case Tok::RBrace: case Tok::Inc:
    case Tok::Dec:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool isNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isNameChar(char c) { return isNameStart(c) || isDigit(c); }

void syntaxError(std::size_t pos, const std::string& what) {
  Error e;
  e.genCode = GenCode::Syntax;
  e.subCode = 1449;
  e.description = "Syntax error";
  e.operation = what + " at position " + std::to_string(pos + 1);
  throw CompileError(std::move(e), pos);
}

bool Lexer::valueExpected() const { return atStart_ || !endsValue(prev_); }

Token Lexer::make(Tok k, std::size_t start, std::size_t end) {
  Token t;
  t.kind = k;
  t.pos = start;
  t.text = src_.substr(start, end - start);
  pos_ = end;
  return t;
}

Token Lexer::next() {
  while (pos_ < src_.size() && isSpace(src_[pos_])) ++pos_;
  Token t;
  const std::size_t start = pos_;
  if (pos_ >= src_.size()) {
    t = make(Tok::End, start, start);
  } else {
    const char c = src_[pos_];
    if (isDigit(c) || (c == '.' && pos_ + 1 < src_.size() && isDigit(src_[pos_ + 1])))
      t = lexNumber(start);
    else if (isNameStart(c)) {
      std::size_t e = pos_;
      while (e < src_.size() && isNameChar(src_[e])) ++e;
      t = make(Tok::Ident, start, e);
    } else if (c == '"' || c == '\'')
      t = lexString(start, c);
    else if (c == '[' && valueExpected())
      t = lexString(start, ']');
    else if (c == '.')
      t = lexDotWord(start);
    else if (c == '&')
      t = lexMacro(start);
    else
      t = lexOperator(start);
  }
  prev_ = t.kind;
  atStart_ = false;
  return t;
}

Token Lexer::lexNumber(std::size_t start) {
  std::size_t e = start;
  while (e < src_.size() && isDigit(src_[e])) ++e;
  int decimals = 0;
  if (e + 1 < src_.size() && src_[e] == '.' && isDigit(src_[e + 1])) {
    ++e;
    while (e < src_.size() && isDigit(src_[e])) ++e, ++decimals;
  }
  Token t = make(Tok::Number, start, e);
  t.number = std::strtod(std::string(t.text).c_str(), nullptr);
  t.decimals = decimals;
  return t;
}

Token Lexer::lexString(std::size_t start, char close) {
  const std::size_t end = src_.find(close, start + 1);
  if (end == std::string_view::npos) syntaxError(start, "unterminated string");
  Token t = make(Tok::String, start, end + 1);
  t.text = src_.substr(start + 1, end - start - 1);
  t.hasMacro = t.text.find('&') != std::string_view::npos;
  return t;
}

Token Lexer::lexDotWord(std::size_t start) {
  struct Word { std::string_view word; Tok kind; };
  static constexpr Word kWords[] = {{"T.", Tok::True},  {"Y.", Tok::True},  {"F.", Tok::False}, {"N.", Tok::False},
                                    {"AND.", Tok::And}, {"OR.", Tok::Or},   {"NOT.", Tok::Not}};
  for (const Word& w : kWords) {
    if (src_.size() - start - 1 < w.word.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < w.word.size() && same; ++i) same = upper(src_[start + 1 + i]) == w.word[i];
    if (same) return make(w.kind, start, start + 1 + w.word.size());
  }
  syntaxError(start, "unexpected '.'");
}

Token Lexer::lexMacro(std::size_t start) {
  if (start > 0 && isNameChar(src_[start - 1])) glued_ = true;
  std::size_t e = start + 1;
  if (e < src_.size() && src_[e] == '(') return make(Tok::MacroParen, start, e + 1);
  if (e >= src_.size() || !isNameStart(src_[e])) syntaxError(start, "'&' without a variable name");
  while (e < src_.size() && isNameChar(src_[e])) ++e;
  const std::string_view name = src_.substr(start + 1, e - start - 1);
  if (e < src_.size() && src_[e] == '.') ++e;  // "." ends the name: &cAl.->KOD
  if (e < src_.size() && isNameChar(src_[e])) glued_ = true;
  Token t = make(Tok::Macro, start, e);
  t.text = name;
  return t;
}

Token Lexer::lexOperator(std::size_t start) {
  struct Op { std::string_view text; Tok kind; };
  // Longest first, so "==" wins over "=" and "**" over "*".
  static constexpr Op kOps[] = {
      {":=", Tok::Assign}, {"+=", Tok::PlusAssign}, {"-=", Tok::MinusAssign}, {"*=", Tok::StarAssign},
      {"/=", Tok::SlashAssign}, {"->", Tok::Arrow}, {"++", Tok::Inc}, {"--", Tok::Dec}, {"**", Tok::Power},
      {"==", Tok::ExactEq}, {"!=", Tok::Ne}, {"<>", Tok::Ne}, {"<=", Tok::Le}, {">=", Tok::Ge},
      {"(", Tok::LParen}, {")", Tok::RParen}, {"{", Tok::LBrace}, {"}", Tok::RBrace}, {"[", Tok::LBracket},
      {"]", Tok::RBracket}, {",", Tok::Comma}, {"|", Tok::Pipe}, {"@", Tok::At}, {"+", Tok::Plus},
      {"-", Tok::Minus}, {"*", Tok::Star}, {"/", Tok::Slash}, {"%", Tok::Percent}, {"^", Tok::Power},
      {"=", Tok::Eq}, {"#", Tok::Ne}, {"<", Tok::Lt}, {">", Tok::Gt}, {"$", Tok::Dollar}, {"!", Tok::Not},
  };
  const std::string_view rest = src_.substr(start);
  for (const Op& op : kOps)
    if (rest.substr(0, op.text.size()) == op.text) return make(op.kind, start, start + op.text.size());
  syntaxError(start, "unexpected character '" + std::string(1, src_[start]) + "'");
}

}  // namespace rt::internal
