// src/xbase/ntx_key.hpp — the bytes an index stores for a key value, and how keys compare.
// Not here: evaluating key expressions over records (the work-area layer does that and
// passes the value in), the tree that orders the keys (internal/ntx_tree.hpp).
//
//   type  size, decimals          bytes
//   C     length at creation, 0   the value's bytes, cut or padded with blanks to the size
//   N     width, decimals         the number as the N field writes it, leading blanks -> '0';
//                                 negative: the '-' -> '0' too and every digit d -> 0x2C - d
//   D     8, 0                    "YYYYMMDD"; the empty date is 8 blanks and sorts first
//   L     1, 0                    'T' or 'F'
// Keys compare as unsigned bytes. A descending key (made with a DESCEND() over the value)
// has each byte b replaced by (256 - b) mod 256.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rt/date.hpp"

namespace xbase {

std::string characterKey(std::string_view value, int size);

// `value` formatted as an N(size, dec) field (rounded half away from zero) and transformed
// so that byte order is numeric order. A value too wide for the field gives size '*'.
std::string numericKey(double value, int size, int dec);

// The same transform over an already formatted N field text (blanks, optional '-', digits).
std::string numericKeyFromText(std::string_view fieldText);

// The N field text of `value`, right-aligned in `size` columns ('*' x size on overflow).
std::string formatNumber(double value, int size, int dec);

std::string dateKey(rt::Date d);
std::string logicalKey(bool b);

// Complements each byte: (256 - b) mod 256, so 0x00 stays 0x00.
std::string descendBytes(std::string_view key);

// Byte order over the first min(a, b) bytes: <0, 0, >0. `a` equal to a prefix of `b`
// compares equal, which is how a shorter search key finds longer stored keys.
int comparePrefix(std::string_view a, std::string_view b);

}  // namespace xbase
