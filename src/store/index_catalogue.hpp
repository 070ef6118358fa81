// src/store/index_catalogue.hpp — the index files of every shared table, as data: which
// table each belongs to, its key and condition, the group that rebuilds it and what the
// rebuild does to the table first (packing, repairs). Listed in build order; the rebuild
// (reindex.hpp) walks it from top to bottom.
//
// Rules:
//   C1  tables of group ' ' are rebuilt on every call; 'Z' holds the orders, 'C' the CRM
//       tables, 'H' the trade data (contractors, sales documents, goods, discounts and
//       their dictionaries).
//   C2  a file named with `inStation` lives in the station folder (_SC), every other one in
//       the program folder.
//   C3  the indexes of a table that are not `repairOnly` are attached in the listed order
//       once they are built; the first is the controlling order.
//   C4  the bar of the rebuild advances after a table unless `quiet` says otherwise.
#pragma once

#include <span>
#include <string_view>

namespace store {

struct IndexEntry {
  std::string_view file;       // without extension
  std::string_view key;        // evaluated as written, with the table current
  std::string_view condition = {};  // empty: every record
  bool unique = false;
  bool inStation = false;      // C2
  bool repairOnly = false;     // built by the table's repair, never attached
  // Used instead of `key` when character 66 of _WERSJA is "S" and the table has SKROT.
  std::string_view shortNameKey = {};
};

enum class Repair {
  None,
  OrderLines,   // "E" lines back to "A", then the table rewritten in "SYMBOL()+NAZWA_TOW" order
  Contractors,  // one record per contractor number, and a single "00000"
  EmptyNotes,   // records with an empty TEKST deleted
};

struct CatalogueTable {
  char group;                 // C1
  std::string_view table;     // without extension
  bool inStation = false;     // C2: the table itself lives in the station folder
  bool pack = false;
  Repair repair = Repair::None;
  bool quiet = false;         // C4
  bool needsOrderPair = false;  // rebuilt only when both ZAM_N.DBF and ZAM_P.DBF exist
  std::span<const IndexEntry> indexes;
  std::string_view notes;
};

// Every table in build order.
std::span<const CatalogueTable> indexCatalogue();

// Whether a call for `group` rebuilds the tables of `tableGroup` (C1).
bool groupRebuilds(char group, char tableGroup);

// The number of steps of the rebuild's progress bar.
inline constexpr int kRebuildSteps = 18;

}  // namespace store
