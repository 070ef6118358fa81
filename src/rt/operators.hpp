// src/rt/operators.hpp — the operators of the expression language on values.
//
// Rules:
//   O1  arithmetic widths: +, - of integers give an integer (width 10, or 20 beyond ten
//       digits); with a decimal operand width 10 and the larger of the decimals; * gives the
//       sum of the decimals; /, % and ** give SET DECIMALS decimals.
//   O2  text: a + b concatenates; a - b moves a's trailing blanks to the end of the result.
//       A memo is text; results are character.
//   O3  dates: date + n, n + date and date - n give a date (n truncated toward zero);
//       date - date gives the number of days.
//   O4  = and != (also <>, #) compare text over the right operand's length unless SET
//       EXACT is on, when trailing blanks are ignored and the rest must match; == compares
//       text exactly, trailing blanks included. <, <=, >, >= order text with the same rule
//       as =. Dates order by day (the empty date first), logicals .F. before .T.
//   O5  NIL compares equal (=, ==) only to NIL and unequal to everything else; ordering it
//       is an error. == on arrays and code blocks is identity.
//   O6  any other pair of types raises "Argument error" (GenCode::Arg, subsystem BASE,
//       operation = the operator); division and modulus by zero raise GenCode::ZeroDiv.
//       The value the error hook supplies becomes the result.
//   O7  a text result longer than kMaxStringLength raises "String overflow" (GenCode::StrOverflow).
//   O8  % takes the sign of the dividend (-3 % 2 = -1, 7 % -3 = 1).
// Not here: the short-circuit operators .AND., .OR. (the evaluator), and := / ++ / --
// on variables (the evaluator, which uses increment()).
#pragma once

#include <cstddef>
#include <string_view>

#include "rt/value.hpp"

namespace rt {

class Runtime;

inline constexpr std::size_t kMaxStringLength = 65535;

enum class BinaryOp { Add, Sub, Mul, Div, Mod, Pow, Eq, ExactEq, Ne, Lt, Le, Gt, Ge, Contains };

// The operator as written ("+", "==", "$"); also the error's operation.
std::string_view opText(BinaryOp op);

Value applyBinary(Runtime& rt, BinaryOp op, const Value& a, const Value& b);
Value negate(Runtime& rt, const Value& a);         // unary -
Value unaryPlus(Runtime& rt, const Value& a);      // unary +
Value logicalNot(Runtime& rt, const Value& a);     // .NOT. / !
// ++ (step 1) and -- (step -1) of numbers and dates.
Value increment(Runtime& rt, const Value& a, int step);

// Text comparison of = and the orderings (O4): < 0, 0, > 0.
int compareText(std::string_view a, std::string_view b, bool exact);

// Raises "Argument error" of `op` for the operands' types (O6); returns the hook's value.
Value operandError(Runtime& rt, std::string_view op, int subCode);

}  // namespace rt
