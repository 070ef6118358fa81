// src/store/upgrade/restructure.hpp — changing a table's structure in place: fields added,
// widened or otherwise changed, the records kept. Used by the structure upgrade and by the
// configuration's variant string when it must grow.
//
// The method goes through two structure tables in the program folder: the table's fields
// are listed in "XSTRUP" (FIELD_NAME, FIELD_TYPE, FIELD_LEN, FIELD_DEC, one record a field),
// the list is changed, a new empty table "XSTRUN" is created from it, every record of the
// old table is carried over (deleted ones too, still marked), and the new table takes the
// old one's name; XSTRUP and XSTRUN are deleted afterwards.
//
// Rules:
//   S1  a field that keeps its name keeps its data: the same type and width copy the bytes;
//       another width or type goes through the value (text cut or blank-padded, a number
//       too wide stored as '*', as other programs read it); a new field starts blank.
//   S2  memo fields keep their block numbers and the memo file stays as it is, so the new
//       table replaces the old one by one rename: a station killed at any moment leaves
//       the old table or the new one, whole, never a table pointing into the wrong memo file.
//   S3  a record adjustment, when given, changes each new record after its data was carried
//       over and before the new table takes the old one's place, so a change of the data
//       that goes with the change of structure is never seen half done.
//   S4  record numbers do not change. The table's index files are not touched; they are
//       rebuilt afterwards (the upgrade offers the rebuild).
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.hpp"
#include "store/tables.hpp"
#include "xbase/dbf_file.hpp"

namespace store {

struct FieldRow {
  std::string name;
  char type = 'C';
  int length = 0;
  int decimals = 0;
};

// The row named `name` in `rows` (any case), nullptr when none.
FieldRow* findRow(std::vector<FieldRow>& rows, std::string_view name);

// Changes the structure of table `table` (a name as _USE takes it) by `edit` on its field
// rows. The table must not be open. Errc::NotFound: no table; Errc::Locked: it is open
// elsewhere; Errc::Invalid: the edited rows do not make a table. Nothing is changed then.
using RecordAdjust = std::function<base::Status(xbase::DbfFile& table, std::span<std::byte> record)>;
base::Status changeStructure(Tables& t, std::string_view table, const std::function<void(std::vector<FieldRow>&)>& edit,
                             const RecordAdjust& adjust = {});

}  // namespace store
