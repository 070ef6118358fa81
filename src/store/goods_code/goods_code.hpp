// src/store/goods_code/goods_code.hpp — the widening of four-character goods codes to five:
// which fields hold a goods code, how one stored code is widened, and the pass that widens
// every code of an open table. The screen, the log table and the list of tables belong to
// ZMIANA (zmiana.hpp).
//
// Rules:
//   G1  a goods-code field is a character field whose name contains "IND" and whose width
//       is at least 4 and below 30.
//   G2  a code whose text, without the blanks around it, has exactly four characters
//       becomes "0" followed by those four, left-aligned and padded with blanks. Every other
//       value (empty, shorter, longer) stays byte for byte. A field too narrow for five
//       characters keeps its four: cutting the widened code would lose its last character.
//   G3  widening is idempotent: a widened code has five characters, so a second pass over
//       a table (after a run was broken off) changes nothing that the first one changed.
//   G4  the pass reads every record, deleted ones included, from the first; a record is
//       written back only when one of its codes changed, in one write of the whole record,
//       so a run killed at any moment leaves each record either old or new.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "xbase/dbf_field.hpp"
#include "xbase/dbf_file.hpp"

namespace store {

bool isGoodsCodeField(const xbase::dbf::Field& f);  // G1

// G2 on the stored bytes of one field; true when they changed.
bool widenGoodsCode(std::span<std::byte> cell);

// What the pass found in one goods-code field before it changed anything.
struct GoodsCodeSample {
  std::size_t field = 0;  // index in the table's field list
  std::string first;      // the first non-empty value; the first record's when all are empty
};

struct GoodsCodePass {
  std::vector<GoodsCodeSample> samples;  // one per goods-code field, in field order
  std::uint32_t records = 0;             // records read
  std::uint32_t changed = 0;             // records written back
};

struct GoodsCodeHooks {
  // Told the number of records still to go, at the start, now and then, and 0 at the end.
  std::function<void(std::uint32_t remaining)> progress;
  // Called once, before the first record is written back.
  std::function<void()> beforeFirstChange;
};

// The goods-code fields of a table, in field order.
std::vector<std::size_t> goodsCodeFields(const xbase::DbfFile& table);

// G4 over a table open in exclusive use. Throws IoFault when a write fails.
GoodsCodePass widenGoodsCodes(xbase::DbfFile& table, const GoodsCodeHooks& hooks = {});

}  // namespace store
