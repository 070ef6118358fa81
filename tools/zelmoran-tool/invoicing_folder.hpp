// tools/zelmoran-tool/invoicing_folder.hpp — the stand-in of the invoicing program's folders
// that a head-office demo carries: the program reads its master data there (GDZIE_KV, the
// data folder, and GDZIE_KON, the contractor folder) and later writes pending invoices
// into its station folders. The invoicing program itself lies outside the system; this is
// only its files, with the tables, fields and indexes the program opens and the data of
// the demo company (tools/zelmoran-tool/README.md describes them).
//
// Rules:
//   F1  the data folder is KALVERO inside the installation, the contractor folder
//       KALVERO/FIRMY; CONFIG names them as "KALVERO\" and "KALVERO\FIRMY\";
//   F2  every table lives in one of them under its own name and is written whole by the
//       demo; its indexes are built afterwards by the program's own engine (buildIndexes);
//   F3  the station folders #00 and #01 of the data folder hold the invoicing program's
//       print settings (PARADRUK), which is how a valid station is recognised.
#pragma once

#include <filesystem>
#include <span>
#include <string_view>

#include "core/headless_station.hpp"
#include "store/schema.hpp"

namespace tool {

inline constexpr std::string_view kInvoicingFolder = "KALVERO";
inline constexpr std::string_view kContractorFolder = "KALVERO/FIRMY";
inline constexpr std::string_view kInvoicingConfig = "KALVERO\\";
inline constexpr std::string_view kContractorConfig = "KALVERO\\FIRMY\\";
inline constexpr std::string_view kWarehouse = "001";

// The layout of a table of the invoicing program: its own (MAG001, ZAP, SPR_N, SPR_P,
// QSPR_N, QSPR_P, FIRMY) or one it shares with the program (TOW, UPUSTY, KON_TXT, FAK_TXT,
// SL_G_TOW, SL_JM, SL_G_KON, PARADRUK). REQUIRES: one of those.
const store::TableDef& invoicingTable(std::string_view name);

// One index file of the stand-in: its folder (the data folder or the contractor folder),
// table, file, key and condition.
struct InvoicingIndex {
  bool contractorFolder = false;
  std::string_view table, file, key, condition = {};
};
std::span<const InvoicingIndex> invoicingIndexes();

// The folders, their empty layout tables and the station folders (F1, F3).
void makeInvoicingFolders(sys::Env& env, const sys::Clock& clock, const std::filesystem::path& target);

// F2: builds every index of invoicingIndexes() over the tables written, with `station`'s
// runtime (its goods-code picture for S_I).
void buildInvoicingIndexes(core::HeadlessStation& station, const std::filesystem::path& target);

}  // namespace tool
