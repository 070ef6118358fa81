// src/rt/operators.cpp — operator semantics for every pair of types, with the result widths.
#include "rt/operators.hpp"

#include "rt/arguments.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "rt/number_text.hpp"
#include "rt/runtime.hpp"

namespace rt {

namespace {

struct OpInfo {
  std::string_view text;
  int argSubCode;
};

// Indexed by BinaryOp. The sub-codes are the classic runtime's numbers for an argument error
// of each operator, which the error handler shows.
constexpr OpInfo kOps[] = {
    {"+", 1081},  {"-", 1082}, {"*", 1083},  {"/", 1084},  {"%", 1085}, {"**", 1088}, {"=", 1071},
    {"==", 1070}, {"!=", 1072}, {"<", 1073}, {"<=", 1074}, {">", 1075}, {">=", 1076}, {"$", 1109},
};

const OpInfo& info(BinaryOp op) { return kOps[static_cast<int>(op)]; }

Value argError(Runtime& rt, BinaryOp op) { return operandError(rt, info(op).text, info(op).argSubCode); }

Value zeroDivide(Runtime& rt, BinaryOp op) {
  Error e;
  e.genCode = GenCode::ZeroDiv;
  e.subCode = op == BinaryOp::Div ? 1340 : 1341;
  e.description = "Zero divisor";
  e.operation = std::string(info(op).text);
  e.canSubstitute = true;
  return rt.raise(std::move(e));
}

int decimalsOf(const Value& v) { return v.numberParts().decimals; }

Value sumResult(double v, int decimals) {
  return decimals == 0 ? Value::integer(v) : Value::number(v, kDefaultWidth, decimals);
}

Value setDecimalsResult(const Runtime& rt, double v) {
  return Value::number(v, kDefaultWidth, rt.settings().decimals);
}

Date shiftDate(Date d, double n) {
  return Date(static_cast<std::int32_t>(d.julianDay() + static_cast<std::int64_t>(std::trunc(n))));
}

bool datePlusNumberFits(double n) { return std::isfinite(n) && std::fabs(n) < 1e9; }

// Text results longer than the runtime's longest string raise "String overflow" instead of
// growing without bound (a recursive block doubling a string would exhaust memory).
bool tooLong(const Value& a, const Value& b) { return a.text().size() + b.text().size() > kMaxStringLength; }

Value stringOverflow(Runtime& rt, BinaryOp op) {
  Error e;
  e.genCode = GenCode::StrOverflow;
  e.subCode = 1209;
  e.description = "String overflow";
  e.operation = std::string(info(op).text);
  e.canSubstitute = true;
  return rt.raise(std::move(e));
}

Value add(Runtime& rt, const Value& a, const Value& b) {
  if (a.isNumber() && b.isNumber()) return sumResult(a.num() + b.num(), std::max(decimalsOf(a), decimalsOf(b)));
  if (a.isText() && b.isText())
    return tooLong(a, b) ? stringOverflow(rt, BinaryOp::Add) : Value::character(a.text() + b.text());
  if (a.isDate() && b.isNumber() && datePlusNumberFits(b.num())) return Value::date(shiftDate(a.date(), b.num()));
  if (a.isNumber() && b.isDate() && datePlusNumberFits(a.num())) return Value::date(shiftDate(b.date(), a.num()));
  return argError(rt, BinaryOp::Add);
}

Value subtract(Runtime& rt, const Value& a, const Value& b) {
  if (a.isNumber() && b.isNumber()) return sumResult(a.num() - b.num(), std::max(decimalsOf(a), decimalsOf(b)));
  if (a.isText() && b.isText()) {
    if (tooLong(a, b)) return stringOverflow(rt, BinaryOp::Sub);
    const std::string& s = a.text();
    const std::size_t kept = s.find_last_not_of(' ') + 1;  // npos + 1 == 0 for all blanks
    std::string r = s.substr(0, kept);
    r += b.text();
    r.append(s.size() - kept, ' ');
    return Value::character(std::move(r));
  }
  if (a.isDate() && b.isNumber() && datePlusNumberFits(b.num())) return Value::date(shiftDate(a.date(), -b.num()));
  if (a.isDate() && b.isDate())
    return Value::integer(static_cast<double>(a.date().julianDay()) - b.date().julianDay());
  return argError(rt, BinaryOp::Sub);
}

Value arithmetic(Runtime& rt, BinaryOp op, const Value& a, const Value& b) {
  if (!a.isNumber() || !b.isNumber()) return argError(rt, op);
  const double x = a.num(), y = b.num();
  switch (op) {
    case BinaryOp::Mul: return Value::number(x * y, kDefaultWidth, decimalsOf(a) + decimalsOf(b));
    case BinaryOp::Div: return y == 0 ? zeroDivide(rt, op) : setDecimalsResult(rt, x / y);
    case BinaryOp::Mod: return y == 0 ? zeroDivide(rt, op) : setDecimalsResult(rt, std::fmod(x, y));
    default: return setDecimalsResult(rt, std::pow(x, y));
  }
}

// Three-way order of two values of one comparable type; nullopt when they cannot be ordered.
std::optional<int> order(const Runtime& rt, const Value& a, const Value& b) {
  if (a.isText() && b.isText()) return compareText(a.text(), b.text(), rt.settings().exact);
  if (a.type() != b.type()) return std::nullopt;
  switch (a.type()) {
    case Type::Numeric: return a.num() < b.num() ? -1 : (a.num() > b.num() ? 1 : 0);
    case Type::Date: return a.date() < b.date() ? -1 : (a.date() > b.date() ? 1 : 0);
    case Type::Logical: return static_cast<int>(a.logical()) - static_cast<int>(b.logical());
    default: return std::nullopt;
  }
}

// = and ==, with NIL, arrays and blocks (O5). nullopt: types that cannot be compared.
std::optional<bool> equal(const Runtime& rt, const Value& a, const Value& b, bool exact) {
  if (a.isNil() || b.isNil()) return a.isNil() && b.isNil();
  if (exact) {
    if (a.isText() && b.isText()) return a.text() == b.text();
    if (a.isArray() && b.isArray()) return a.array() == b.array();
    if (a.isBlock() && b.isBlock()) return a.block() == b.block();
  }
  auto o = order(rt, a, b);
  if (!o) return std::nullopt;
  return *o == 0;
}

Value compare(Runtime& rt, BinaryOp op, const Value& a, const Value& b) {
  if (op == BinaryOp::Eq || op == BinaryOp::ExactEq || op == BinaryOp::Ne) {
    auto e = equal(rt, a, b, op == BinaryOp::ExactEq);
    if (!e) return argError(rt, op);
    return Value::logical(op == BinaryOp::Ne ? !*e : *e);
  }
  auto o = order(rt, a, b);
  if (!o) return argError(rt, op);
  switch (op) {
    case BinaryOp::Lt: return Value::logical(*o < 0);
    case BinaryOp::Le: return Value::logical(*o <= 0);
    case BinaryOp::Gt: return Value::logical(*o > 0);
    default: return Value::logical(*o >= 0);
  }
}

}  // namespace

std::string_view opText(BinaryOp op) { return info(op).text; }

int compareText(std::string_view a, std::string_view b, bool exact) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (!exact) return b.size() > a.size() ? -1 : 0;
  // Exact: what is left of the longer operand must be blanks.
  std::string_view rest = a.size() > b.size() ? a.substr(n) : b.substr(n);
  for (char c : rest) {
    if (c == ' ') continue;
    const bool restGreater = static_cast<unsigned char>(c) > ' ';
    return (a.size() > b.size()) == restGreater ? 1 : -1;
  }
  return 0;
}

Value operandError(Runtime& rt, std::string_view op, int subCode) { return argumentError(rt, op, subCode); }

Value applyBinary(Runtime& rt, BinaryOp op, const Value& a, const Value& b) {
  switch (op) {
    case BinaryOp::Add: return add(rt, a, b);
    case BinaryOp::Sub: return subtract(rt, a, b);
    case BinaryOp::Mul:
    case BinaryOp::Div:
    case BinaryOp::Mod:
    case BinaryOp::Pow: return arithmetic(rt, op, a, b);
    case BinaryOp::Contains:
      if (!a.isText() || !b.isText()) return argError(rt, op);
      return Value::logical(!a.text().empty() && b.text().find(a.text()) != std::string::npos);
    default: return compare(rt, op, a, b);
  }
}

Value negate(Runtime& rt, const Value& a) {
  if (!a.isNumber()) return operandError(rt, "-", 1080);
  Number n = a.numberParts();
  n.value = -n.value;
  return Value::number(n);
}

Value unaryPlus(Runtime& rt, const Value& a) {
  if (!a.isNumber()) return operandError(rt, "+", 1081);
  return a;
}

Value logicalNot(Runtime& rt, const Value& a) {
  if (!a.isLogical()) return operandError(rt, ".NOT.", 1077);
  return Value::logical(!a.logical());
}

Value increment(Runtime& rt, const Value& a, int step) {
  if (a.isNumber()) {
    Number n = a.numberParts();
    n.value += step;
    if (n.decimals == 0) n.width = static_cast<std::int16_t>(std::max<int>(n.width, integerWidth(n.value)));
    return Value::number(n);
  }
  if (a.isDate()) return Value::date(shiftDate(a.date(), step));
  return step > 0 ? operandError(rt, "++", 1086) : operandError(rt, "--", 1087);
}

}  // namespace rt
