// src/rt/internal/expr_lexer.hpp — the tokens of the expression language.
// A "[" starts a string where a value is expected (at the start, after an operator, a comma
// or an opening bracket) and a subscript after a value. Words between dots (.T., .AND.)
// are recognised in any case. Macro names (&name, &name.) come out as one token; a macro
// glued to other name characters (x&y, &y.z) is flagged so the compiler can substitute the
// whole text instead.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace rt::internal {

enum class Tok {
  End, Number, String, Ident, Macro, MacroParen, True, False,
  LParen, RParen, LBrace, RBrace, LBracket, RBracket, Comma, Pipe, At, Arrow,
  Assign, PlusAssign, MinusAssign, StarAssign, SlashAssign,
  Plus, Minus, Star, Slash, Percent, Power, Eq, ExactEq, Ne, Lt, Le, Gt, Ge, Dollar,
  Not, And, Or, Inc, Dec,
};

struct Token {
  Tok kind = Tok::End;
  std::size_t pos = 0;
  std::string_view text;  // the source bytes; for String and Macro the contents / the name
  double number = 0;      // Number
  int decimals = 0;       // Number: digits written after the point
  bool hasMacro = false;  // String: contains '&'
};

class Lexer {
 public:
  explicit Lexer(std::string_view src) : src_(src) {}
  // Throws CompileError on a character that starts no token or an unterminated string.
  Token next();
  bool sawGluedMacro() const { return glued_; }

 private:
  bool valueExpected() const;
  Token lexNumber(std::size_t start);
  Token lexString(std::size_t start, char close);
  Token lexDotWord(std::size_t start);
  Token lexMacro(std::size_t start);
  Token lexOperator(std::size_t start);
  Token make(Tok k, std::size_t start, std::size_t end);

  std::string_view src_;
  std::size_t pos_ = 0;
  Tok prev_ = Tok::End;
  bool atStart_ = true;
  bool glued_ = false;
};

bool isNameStart(char c);
bool isNameChar(char c);

[[noreturn]] void syntaxError(std::size_t pos, const std::string& what);

}  // namespace rt::internal
