// tools/zelmoran-tool/demo_company.hpp — a made-up wholesaler for demonstrations and
// benchmarks: contractors, goods with prices and stock, discounts and a year of sales
// documents, written into an installation's tables.
//
// Rules:
//   D1  deterministic: the same scale, account and date give the same bytes. Every
//       contractor and every article is a pure function of its number (its own random
//       stream), so documents can draw any of them without keeping them in memory.
//   D2  sizes grow with the scale: 1000 contractors, 500 goods and 2000 documents of
//       1 to 9 lines (about 10,000 lines) per unit, codes capped at 99,999 (five digits).
//   D3  head office (account "00000") gets every contractor; a representative's copy gets
//       the contractors of its own account and their documents and discounts. Goods are
//       the same everywhere.
//   D4  documents run over the 365 days before the date given, in date order, numbered
//       from 1 in each year.
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
  // Called now and then while a table is written: its name, records so far, records in all.
  std::function<void(std::string_view table, std::uint64_t done, std::uint64_t total)> progress;
};

struct DemoCounts {
  std::uint64_t contractors = 0, goods = 0, discounts = 0, documents = 0, lines = 0;
};

// Writes KON, TOW, UPUSTY, SPR_N, SPR_P and DATA_AKT into `target`, replacing them.
// Throws BuildError.
DemoCounts writeDemoCompany(sys::Env& env, const sys::Clock& clock, const std::filesystem::path& target,
                            const DemoOptions& options);

}  // namespace tool
