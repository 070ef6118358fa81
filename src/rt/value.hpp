// src/rt/value.hpp — Value: what every expression, memory variable and field read yields.
// Types: NIL, character, memo, numeric, date, logical, array, code block.
// Owns the representation and the type-level questions (type letter, EMPTY). Operators are
// in operators.hpp, number text (STR, VAL) in number_text.hpp, pictures in transform.hpp.
// Invariants:
//   V1  a numeric value carries its display width (integer part) and decimals as the
//       classic runtime does: STR() of it prints width + (decimals > 0 ? decimals + 1 : 0)
//       characters.
//   V2  arrays and code blocks are shared by reference, as in the classic runtime:
//       copying a Value copies the reference, not the elements.
//   V3  character and memo text are CP852 bytes; a memo differs from character only in
//       its type letter.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "rt/date.hpp"

namespace rt {

enum class Type : std::uint8_t { Nil, Character, Memo, Numeric, Date, Logical, Array, Block };

class Value;
class CodeBlock;  // a compiled {|params| expr-list }; defined by the expression compiler
using Array = std::vector<Value>;
using ArrayRef = std::shared_ptr<Array>;
using BlockRef = std::shared_ptr<const CodeBlock>;

// Width given to integer results of arithmetic and to integer literals.
inline constexpr int kDefaultWidth = 10;

struct Number {
  double value = 0;
  std::int16_t width = kDefaultWidth;  // digits of the integer part (with sign) when printed
  std::int16_t decimals = 0;
};

class Value {
 public:
  Value() = default;  // NIL
  static Value character(std::string s) { return Value(Type::Character, std::move(s)); }
  static Value memo(std::string s) { return Value(Type::Memo, std::move(s)); }
  static Value number(double v, int width = kDefaultWidth, int decimals = 0) {
    Value r;
    r.type_ = Type::Numeric;
    r.data_ = Number{v, static_cast<std::int16_t>(width), static_cast<std::int16_t>(decimals)};
    return r;
  }
  static Value number(Number n) {
    Value r;
    r.type_ = Type::Numeric;
    r.data_ = n;
    return r;
  }
  // An integer result: width 10, or 20 beyond the range 10 digits can show.
  static Value integer(double v);
  static Value date(Date d) {
    Value r;
    r.type_ = Type::Date;
    r.data_ = d;
    return r;
  }
  static Value logical(bool b) {
    Value r;
    r.type_ = Type::Logical;
    r.data_ = b;
    return r;
  }
  static Value array(ArrayRef a) {
    Value r;
    r.type_ = Type::Array;
    r.data_ = std::move(a);
    return r;
  }
  static Value newArray(std::size_t n = 0) { return array(std::make_shared<Array>(n)); }
  static Value block(BlockRef b) {
    Value r;
    r.type_ = Type::Block;
    r.data_ = std::move(b);
    return r;
  }

  Type type() const { return type_; }
  bool isNil() const { return type_ == Type::Nil; }
  bool isText() const { return type_ == Type::Character || type_ == Type::Memo; }
  bool isNumber() const { return type_ == Type::Numeric; }
  bool isDate() const { return type_ == Type::Date; }
  bool isLogical() const { return type_ == Type::Logical; }
  bool isArray() const { return type_ == Type::Array; }
  bool isBlock() const { return type_ == Type::Block; }

  // Accessors. REQUIRES: the value has that type (checked; a wrong one throws InternalFault).
  const std::string& text() const;
  std::string& text();
  double num() const { return numberParts().value; }
  const Number& numberParts() const;
  Date date() const;
  bool logical() const;
  const ArrayRef& array() const;
  const BlockRef& block() const;

  // 'U' NIL, 'C', 'M', 'N', 'D', 'L', 'A', 'B' — the letter VALTYPE() gives.
  char typeLetter() const;
  // EMPTY(): blanks/tabs/CR/LF only, 0, empty date, .F., NIL, no elements; a block never.
  bool isEmpty() const;

 private:
  Value(Type t, std::string s) : type_(t), data_(std::move(s)) {}
  Type type_ = Type::Nil;
  std::variant<std::monostate, std::string, Number, Date, bool, ArrayRef, BlockRef> data_;
};

}  // namespace rt
