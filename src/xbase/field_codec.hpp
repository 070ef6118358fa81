// src/xbase/field_codec.hpp — the bytes of one field value inside a record, for each type.
// Not here: where a field sits (dbf_field.hpp), memo text (dbt_file.hpp).
//   C  the text, left-aligned, padded with blanks, cut at the width
//   N  ASCII, right-aligned, blank-padded; with d decimals the point is followed by exactly d
//      digits; '-' directly before the first digit, no '+'; a magnitude below 1 keeps one 0
//      before the point. Rounded to d places half away from zero, taking the number as its
//      shortest decimal form (1.005 gives 1.01, not the 1.00 its binary value would).
//      A negative that rounds to zero has no sign. A value that does not fit, sign included,
//      fills the field with '*'. A blank record holds blanks. Read: blanks around an
//      optional '-' and the digits are skipped; blanks or '*' read as 0.
//   D  YYYYMMDD; the empty date is 8 blanks. Read: anything that is not a calendar date is
//      the empty date.
//   L  'T' or 'F'; a blank record holds a blank. Read: T t Y y are true, all else false.
//   M  the first DBT block of the memo as decimal digits, right-aligned, blank-padded; no
//      memo = 10 blanks. Read: blanks, 0 or a leading NUL (other tools) mean no memo; any
//      other non-digit is corruption.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "base/status.hpp"
#include "rt/value.hpp"
#include "xbase/dbf_field.hpp"

namespace xbase {

void encodeCharacter(std::string_view text, std::span<std::byte> out);
// false when the value did not fit (or is not finite) and the field was filled with '*'.
bool encodeNumber(double value, int decimals, std::span<std::byte> out);
double decodeNumber(std::span<const std::byte> in);
void encodeDate(rt::Date d, std::span<std::byte> out);  // REQUIRES: out.size() == 8
rt::Date decodeDate(std::span<const std::byte> in);
void encodeLogical(bool b, std::span<std::byte> out);
bool decodeLogical(std::span<const std::byte> in);
void encodeMemoBlock(std::uint32_t block, std::span<std::byte> out);
// Throws Corrupt(file, offset) for a field that is not a block number.
std::uint32_t decodeMemoBlock(std::span<const std::byte> in, const std::string& file, std::int64_t offset);

// The value of a C, N, D or L field: character text, a number with the field's width and
// decimals, a date, a logical. REQUIRES: f is not a memo field (its text is in the DBT).
rt::Value decodeValue(const dbf::Field& f, std::span<const std::byte> in);
// Stores a value of the field's type (text for C). Errc::Invalid and nothing written for a
// value of another type; Errc::Invalid after filling the field with '*' when a number does
// not fit, which is what other programs then read. REQUIRES: f is not a memo field.
base::Status encodeValue(const dbf::Field& f, const rt::Value& v, std::span<std::byte> out);

}  // namespace xbase
