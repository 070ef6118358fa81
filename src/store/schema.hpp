// src/store/schema.hpp — the catalogue of every table of an installation, with its fields,
// and the creation of empty tables from it.
//
// The catalogue (schema_catalogue.cpp) names each table of the program folder once, with
// the fields every Part of the program reads or writes and the widths they are given there;
// where no width is given, the catalogue's choice is the one written there. The four tables
// of a sales-data package (TOW, KON, SPR_N, SPR_P as the package carries them) have their
// own definitions, because the package's SPR_P has no unit field.
//
// Rules:
//   S1  table and field names are upper case, unique within their list, at most 10
//       characters; types are C, N, D, L or M; a memo table has an M field and gets its
//       DBT file with the table.
//   S2  creating a table replaces an old file of that name unless another station has it
//       open (Errc::Locked); the new table is empty and closed again.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/status.hpp"
#include "store/tables.hpp"
#include "xbase/dbf_field.hpp"

namespace store {

struct FieldDef {
  std::string_view name;
  char type;
  int width;
  int decimals = 0;
};

struct TableDef {
  std::string_view name;
  std::span<const FieldDef> fields;
  std::string_view content;  // what the table holds, in a few words
};

// Every table of the program folder, in name order.
std::span<const TableDef> catalogue();
// The table called `name` (any case); nullptr when it is not catalogued.
const TableDef* findTable(std::string_view name);
// The package structures made by CREA_BAZY: TOW, KON, SPR_N, SPR_P.
std::span<const TableDef> packageTables();
const TableDef& packageTable(std::string_view name);  // REQUIRES: one of the four

std::vector<xbase::dbf::FieldSpec> fieldSpecs(const TableDef& def);
// Checks S1 for one definition; an empty text when it holds, else the broken rule.
std::string checkDefinition(const TableDef& def);

// Creates `def` empty as the DOS-style table name `name` ("DANE#01\TOW"; S2).
base::Status createTable(Tables& t, const TableDef& def, std::string_view name);
// Creates the catalogued table `name` empty in the program folder. Errc::NotFound when the
// name is not catalogued.
base::Status createEmpty(Tables& t, std::string_view name);

}  // namespace store
