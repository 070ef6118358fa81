// src/rt/array_functions.cpp — the built-in functions on arrays: creating (ARRAY, ACLONE),
// growing and shrinking (AADD, ASIZE, ADEL, AINS), filling and copying (AFILL, ACOPY),
// searching (ASCAN, ATAIL), walking (AEVAL) and sorting (ASORT).
// Rules the functions share:
//   A1  arrays are shared by reference: a function changes the array it is given and
//       returns that same array (ACLONE alone makes new ones, at every level).
//   A2  start positions are 1-based, below 1 count as 1; a count runs at most to the end.
//       Positions outside the array change nothing.
//   A3  no array grows beyond kMaxArrayLength elements; a request for more raises a limit
//       error instead of exhausting memory.
//   A4  a code block called for the elements may change the array or fail part way: ASORT
//       sorts a copy and stores it back only when the sort is complete, and never relies on
//       the block being a consistent order.
#include <algorithm>
#include <span>
#include <vector>

#include "rt/arguments.hpp"
#include "rt/operators.hpp"
#include "rt/runtime.hpp"

namespace rt {
namespace {


inline constexpr long long kMaxArrayLength = 1 << 22;

Value limitError(Runtime& rt, std::string_view op) {
  Error e;
  e.genCode = GenCode::Limit;
  e.description = "Array too large";
  e.operation = std::string(op);
  return rt.raise(std::move(e));
}

Value callBlock(Runtime& rt, const Value& block, std::span<Value> args) { return rt.evalBlock(block, args); }

bool isTrue(const Value& v) { return v.isLogical() && v.logical(); }

// The 0-based range [first, last) that optional 1-based `start` and `count` select in an
// array of `size` elements.
struct Range {
  std::size_t first, last;
};
Range rangeOf(std::size_t size, const Value& start, const Value& count) {
  const auto n = static_cast<long long>(size);
  const long long from = std::clamp(start.isNumber() ? toCount(start.num()) : 1, 1LL, n + 1) - 1;
  const long long length = count.isNumber() ? std::clamp(toCount(count.num()), 0LL, n - from) : n - from;
  return {static_cast<std::size_t>(from), static_cast<std::size_t>(from + length)};
}

Value makeArray(std::span<const long long> dims) {
  Value a = Value::newArray(static_cast<std::size_t>(dims.front()));
  if (dims.size() > 1)
    for (Value& element : *a.array()) element = makeArray(dims.subspan(1));
  return a;
}

Value ARRAY(Runtime& rt, Args& a) {
  std::vector<long long> dims;
  long long total = 1;
  for (const Value& d : a.all()) {
    if (!d.isNumber() || toCount(d.num()) < 0) return argumentError(rt, "ARRAY");
    dims.push_back(toCount(d.num()));
    total = std::min(total * std::max(dims.back(), 1LL), kMaxArrayLength + 1);
  }
  if (dims.empty()) return Value();
  if (total > kMaxArrayLength) return limitError(rt, "ARRAY");
  return makeArray(dims);
}

Value AADD(Runtime& rt, Args& a) {
  if (!a[0].isArray()) return argumentError(rt, "AADD", 1123);
  Array& arr = *a[0].array();
  if (static_cast<long long>(arr.size()) >= kMaxArrayLength) return limitError(rt, "AADD");
  arr.push_back(a[1]);
  return a[1];
}

Value ASIZE(Runtime& rt, Args& a) {
  if (!a[0].isArray() || !a[1].isNumber()) return argumentError(rt, "ASIZE");
  const long long n = std::max(toCount(a[1].num()), 0LL);
  if (n > kMaxArrayLength) return limitError(rt, "ASIZE");
  a[0].array()->resize(static_cast<std::size_t>(n));
  return a[0];
}

// ADEL(a, pos): the element goes, the rest move up and the last becomes NIL.
Value ADEL(Runtime& rt, Args& a) {
  if (!a[0].isArray() || !a[1].isNumber()) return argumentError(rt, "ADEL");
  Array& arr = *a[0].array();
  const long long pos = toCount(a[1].num());
  if (pos >= 1 && pos <= static_cast<long long>(arr.size())) {
    std::move(arr.begin() + pos, arr.end(), arr.begin() + (pos - 1));
    arr.back() = Value();
  }
  return a[0];
}

// AINS(a, pos): a NIL enters at pos, the rest move down and the last one is lost.
Value AINS(Runtime& rt, Args& a) {
  if (!a[0].isArray() || !a[1].isNumber()) return argumentError(rt, "AINS");
  Array& arr = *a[0].array();
  const long long pos = toCount(a[1].num());
  if (pos >= 1 && pos <= static_cast<long long>(arr.size())) {
    std::move_backward(arr.begin() + (pos - 1), arr.end() - 1, arr.end());
    arr[static_cast<std::size_t>(pos - 1)] = Value();
  }
  return a[0];
}

Value ATAIL(Runtime& rt, Args& a) {
  if (!a[0].isArray()) return argumentError(rt, "ATAIL");
  const Array& arr = *a[0].array();
  return arr.empty() ? Value() : arr.back();
}

Value AFILL(Runtime& rt, Args& a) {
  if (!a[0].isArray()) return argumentError(rt, "AFILL");
  Array& arr = *a[0].array();
  const Range r = rangeOf(arr.size(), a[2], a[3]);
  std::fill(arr.begin() + static_cast<std::ptrdiff_t>(r.first), arr.begin() + static_cast<std::ptrdiff_t>(r.last), a[1]);
  return a[0];
}

// ACOPY(src, dst [, start [, count [, dstPos]]]): copies into the existing elements of dst
// only; dst never grows.
Value ACOPY(Runtime& rt, Args& a) {
  if (!a[0].isArray() || !a[1].isArray()) return argumentError(rt, "ACOPY");
  const Array source = *a[0].array();  // a copy: source and target may be the same array
  Array& target = *a[1].array();
  const Range r = rangeOf(source.size(), a[2], a[3]);
  long long to = a[4].isNumber() ? std::max(toCount(a[4].num()), 1LL) - 1 : 0;
  for (std::size_t i = r.first; i < r.last && to < static_cast<long long>(target.size()); ++i, ++to)
    target[static_cast<std::size_t>(to)] = source[i];
  return a[1];
}

Value cloneValue(const Value& v) {
  if (!v.isArray()) return v;
  Value copy = Value::newArray();
  Array& out = *copy.array();
  out.reserve(v.array()->size());
  for (const Value& element : *v.array()) out.push_back(cloneValue(element));
  return copy;
}

Value ACLONE(Runtime&, Args& a) { return a[0].isArray() ? cloneValue(a[0]) : Value(); }

// The "=" of ASCAN: the element on the left, the sought value on the right. Text compares
// over the length of the sought value unless SET EXACT is on, when trailing blanks are
// ignored and the rest must match; values of other types must be equal; different types
// never match.
bool scanMatches(const Runtime& rt, const Value& element, const Value& sought) {
  if (element.isText() && sought.isText())
    return compareText(element.text(), sought.text(), rt.settings().exact) == 0;
  if (element.type() != sought.type()) return false;
  switch (element.type()) {
    case Type::Nil: return true;
    case Type::Numeric: return element.num() == sought.num();
    case Type::Date: return element.date() == sought.date();
    case Type::Logical: return element.logical() == sought.logical();
    case Type::Array: return element.array() == sought.array();
    case Type::Block: return element.block() == sought.block();
    default: return false;
  }
}

// ASCAN(a, value or block [, start [, count]]): the position of the first match, 0 if none.
Value ASCAN(Runtime& rt, Args& a) {
  if (!a[0].isArray()) return argumentError(rt, "ASCAN");
  const ArrayRef arr = a[0].array();  // kept alive even if a block drops the caller's copy
  const Range r = rangeOf(arr->size(), a[2], a[3]);
  for (std::size_t i = r.first; i < r.last && i < arr->size(); ++i) {
    bool found;
    if (a[1].isBlock()) {
      Value element = (*arr)[i];
      found = isTrue(callBlock(rt, a[1], std::span<Value>(&element, 1)));
    } else {
      found = scanMatches(rt, (*arr)[i], a[1]);
    }
    if (found) return Value::integer(static_cast<double>(i + 1));
  }
  return Value::integer(0);
}

// AEVAL(a, block [, start [, count]]): the block gets each element and its position.
Value AEVAL(Runtime& rt, Args& a) {
  if (!a[0].isArray() || !a[1].isBlock()) return argumentError(rt, "AEVAL", 2017);
  const ArrayRef arr = a[0].array();
  const Range r = rangeOf(arr->size(), a[2], a[3]);
  for (std::size_t i = r.first; i < r.last && i < arr->size(); ++i) {
    Value args[2] = {(*arr)[i], Value::integer(static_cast<double>(i + 1))};
    callBlock(rt, a[1], args);
  }
  return a[0];
}

// The order ASORT gives without a block: by type first (NIL, logical, number, date, text,
// array, block), then .F. before .T., numbers and dates ascending, text by byte values with a
// shorter text before a longer one it begins.
int typeRank(const Value& v) {
  switch (v.type()) {
    case Type::Nil: return 0;
    case Type::Logical: return 1;
    case Type::Numeric: return 2;
    case Type::Date: return 3;
    case Type::Character:
    case Type::Memo: return 4;
    case Type::Array: return 5;
    case Type::Block: return 6;
  }
  return 7;
}

bool naturalLess(const Value& x, const Value& y) {
  if (typeRank(x) != typeRank(y)) return typeRank(x) < typeRank(y);
  switch (x.type()) {
    case Type::Logical: return !x.logical() && y.logical();
    case Type::Numeric: return x.num() < y.num();
    case Type::Date: return x.date() < y.date();
    case Type::Character:
    case Type::Memo: return std::lexicographical_compare(
        x.text().begin(), x.text().end(), y.text().begin(), y.text().end(),
        [](char p, char q) { return static_cast<unsigned char>(p) < static_cast<unsigned char>(q); });
    default: return false;
  }
}

// A merge sort that stays within its buffers whatever `less` answers (a block need not be a
// consistent order); stable for a consistent one.
template <typename Less>
void mergeSort(std::vector<Value>& v, Less less) {
  std::vector<Value> buffer(v.size());
  for (std::size_t width = 1; width < v.size(); width *= 2) {
    for (std::size_t lo = 0; lo < v.size(); lo += 2 * width) {
      const std::size_t mid = std::min(lo + width, v.size()), hi = std::min(lo + 2 * width, v.size());
      std::size_t i = lo, j = mid, k = lo;
      while (i < mid && j < hi) buffer[k++] = less(v[j], v[i]) ? v[j++] : v[i++];
      while (i < mid) buffer[k++] = v[i++];
      while (j < hi) buffer[k++] = v[j++];
    }
    v.swap(buffer);
  }
}

// ASORT(a [, start [, count [, block]]]): the block gets two elements and answers .T. when
// the first belongs before the second.
Value ASORT(Runtime& rt, Args& a) {
  if (!a[0].isArray() || !(a[3].isNil() || a[3].isBlock())) return argumentError(rt, "ASORT");
  Array& arr = *a[0].array();
  const Range r = rangeOf(arr.size(), a[1], a[2]);
  std::vector<Value> part(arr.begin() + static_cast<std::ptrdiff_t>(r.first),
                          arr.begin() + static_cast<std::ptrdiff_t>(r.last));
  if (a[3].isBlock()) {
    const Value block = a[3];
    mergeSort(part, [&](const Value& x, const Value& y) {
      Value args[2] = {x, y};
      return isTrue(callBlock(rt, block, args));
    });
  } else {
    mergeSort(part, naturalLess);
  }
  for (std::size_t i = 0; i < part.size() && r.first + i < arr.size(); ++i) arr[r.first + i] = std::move(part[i]);
  return a[0];
}

}  // namespace

void registerArrayFunctions(FunctionTable& t) {
  t.add("ARRAY", ARRAY);
  t.add("AADD", AADD);
  t.add("ASIZE", ASIZE);
  t.add("ADEL", ADEL);
  t.add("AINS", AINS);
  t.add("ATAIL", ATAIL);
  t.add("AFILL", AFILL);
  t.add("ACOPY", ACOPY);
  t.add("ACLONE", ACLONE);
  t.add("ASCAN", ASCAN);
  t.add("AEVAL", AEVAL);
  t.add("ASORT", ASORT);
}

}  // namespace rt
