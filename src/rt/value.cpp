// src/rt/value.cpp — Value accessors and the type-level questions.
#include "rt/value.hpp"

#include <cmath>

#include "base/check.hpp"
#include "rt/number_text.hpp"

namespace rt {

Value Value::integer(double v) {
  return number(v, integerWidth(v), 0);
}

const std::string& Value::text() const {
  ZEL_CHECK(isText());
  return std::get<std::string>(data_);
}
std::string& Value::text() {
  ZEL_CHECK(isText());
  return std::get<std::string>(data_);
}
const Number& Value::numberParts() const {
  ZEL_CHECK(isNumber());
  return std::get<Number>(data_);
}
Date Value::date() const {
  ZEL_CHECK(isDate());
  return std::get<Date>(data_);
}
bool Value::logical() const {
  ZEL_CHECK(isLogical());
  return std::get<bool>(data_);
}
const ArrayRef& Value::array() const {
  ZEL_CHECK(isArray());
  return std::get<ArrayRef>(data_);
}
const BlockRef& Value::block() const {
  ZEL_CHECK(isBlock());
  return std::get<BlockRef>(data_);
}

char Value::typeLetter() const {
  switch (type_) {
    case Type::Nil: return 'U';
    case Type::Character: return 'C';
    case Type::Memo: return 'M';
    case Type::Numeric: return 'N';
    case Type::Date: return 'D';
    case Type::Logical: return 'L';
    case Type::Array: return 'A';
    case Type::Block: return 'B';
  }
  return 'U';
}

bool Value::isEmpty() const {
  switch (type_) {
    case Type::Nil: return true;
    case Type::Character:
    case Type::Memo:
      for (char c : text())
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n') return false;
      return true;
    case Type::Numeric: return num() == 0;
    case Type::Date: return date().empty();
    case Type::Logical: return !logical();
    case Type::Array: return array()->empty();
    case Type::Block: return false;
  }
  return true;
}

}  // namespace rt
