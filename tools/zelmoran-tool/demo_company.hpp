// tools/zelmoran-tool/demo_company.hpp — the demo wholesaler written into an installation:
// its contractors, goods with prices, stock and availability marks, discounts, a year of
// sales documents and contractor notes; at head office also the invoicing program's folders
// with the same company in that program's own tables (invoicing_folder.hpp). The data
// themselves are drawn in demo_data.hpp.
//
// Rules:
//   D1  deterministic: the same scale, account and date give the same bytes.
//   D2  sizes grow with the scale: 1000 contractors, 500 goods and 2000 documents of 1 to 9
//       lines (about 10,000 lines) per unit, codes capped at 99,999 (five digits); besides
//       them the general contractor "00000" and the pseudo-goods "00000".
//   D3  head office (account "00000") gets every contractor; a representative's copy gets
//       the general contractor and those of its own account, with their documents and
//       discounts and the discounts for every contractor. Goods are the same everywhere.
//   D4  what the program's tables hold is what its import would make of the invoicing
//       program's tables: the contractors with balances and points summed over their
//       documents, the goods with the stock of their delivery batches, the documents in the
//       program's form with the dates of their payments.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "rt/date.hpp"
#include "sys/clock.hpp"
#include "sys/env.hpp"

namespace tool {

struct DemoOptions {
  int scale = 1;
  std::string account = "00000";  // the installation's own account (D3)
  rt::Date today;
  bool invoicingFolders = false;  // head office: the invoicing program's folders as well
  // Called now and then while a table is written: its name, records so far, records in all.
  std::function<void(std::string_view table, std::uint64_t done, std::uint64_t total)> progress;
};

struct DemoCounts {
  std::uint64_t contractors = 0, goods = 0, discounts = 0, documents = 0, lines = 0;
};

// Writes KON, TOW, ZMIANY, UPUSTY, SPR_N, SPR_P, KON_TXT and DATA_AKT into `target`,
// replacing them, and with invoicingFolders the invoicing program's folders. Throws
// BuildError.
DemoCounts writeDemoCompany(sys::Env& env, const sys::Clock& clock, const std::filesystem::path& target,
                            const DemoOptions& options);

}  // namespace tool
