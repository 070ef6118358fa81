// tools/zelmoran-tool/invoicing_folder.cpp — the invoicing program's folders: layouts,
// indexes, station folders (rules in the header). The layouts are data, one list a table.
#include "invoicing_folder.hpp"

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "db/bulk_index.hpp"
#include "db/work_area.hpp"
#include "inst_builder.hpp"

namespace tool {
namespace {

namespace fs = std::filesystem;

// Delivery batches of warehouse 001: what is left of each delivery, what pending invoices
// hold back of it, its purchase price, date, delivery note and supplier.
constexpr store::FieldDef kMag[] = {
    {"INDEKS", 'C', 20},     {"NR_DOS", 'C', 12},      {"DATA_DOS", 'D', 8},   {"NR_KON", 'C', 5},
    {"STAN", 'N', 10, 3},    {"STAN_B", 'N', 10, 3},   {"CENA_ZAK", 'N', 12, 2},
};
// Payments of invoices.
constexpr store::FieldDef kZap[] = {
    {"RODZAJ_DOK", 'C', 2}, {"SERIA_FAK", 'C', 2}, {"ROK_FAK", 'C', 4},  {"NR_FAK", 'C', 5},
    {"NR_KON", 'C', 5},     {"DATA_ZAP", 'D', 8},  {"KWOTA", 'N', 12, 2},
};
// Sales documents: issued ones (SPR_N) and the layout of pending ones (QSPR_N).
constexpr store::FieldDef kHeader[] = {
    {"RODZAJ_DOK", 'C', 2},     {"SERIA_FAK", 'C', 2},      {"ROK_DOK", 'C', 4},       {"NR_DOK", 'C', 5},
    {"RODZAJ_KOR", 'C', 2},     {"SERIA_KOR", 'C', 2},      {"ROK_KOR", 'C', 4},       {"NR_KOR", 'C', 5},
    {"DATA_DOK", 'D', 8},       {"NR_MAG", 'C', 3},         {"EXPORT", 'C', 1},        {"KONTO", 'C', 5},
    {"NR_KON", 'C', 5},         {"GRUPA_KON", 'C', 2},      {"ID_KON", 'C', 15},       {"NAZWA_KON", 'C', 60},
    {"KOD", 'C', 6},            {"MIASTO", 'C', 20},        {"ADRES", 'C', 30},        {"CENNIK_S", 'C', 1},
    {"AUTO", 'C', 1},           {"RABAT", 'N', 5, 2},       {"PREMIA", 'N', 5, 2},     {"OPERATOR", 'C', 3},
    {"TERMIN", 'N', 3},         {"DATA_PLA", 'D', 8},       {"SPOSOB_PLA", 'C', 8},    {"UWAGI", 'C', 80},
    {"WART_ZAK", 'N', 12, 2},   {"WART_NET_", 'N', 12, 2},  {"WART_NET0", 'N', 12, 2}, {"WART_NET1", 'N', 12, 2},
    {"WART_NET2", 'N', 12, 2},  {"WART_NET3", 'N', 12, 2},  {"WART_NET4", 'N', 12, 2}, {"WART_VAT1", 'N', 12, 2},
    {"WART_VAT2", 'N', 12, 2},  {"WART_VAT3", 'N', 12, 2},  {"WART_VAT4", 'N', 12, 2}, {"BONIFIKATA", 'N', 12, 2},
    {"RABAT_NET", 'N', 12, 2},  {"WART_ZAP", 'N', 12, 2},   {"WN", 'N', 12, 2},        {"PUNKTY", 'N', 5},
    {"ETAP", 'C', 3},           {"PACZKI", 'C', 14},        {"OPE_MAG", 'C', 3},       {"DATA_MAG", 'D', 8},
    {"TIME_MAG", 'C', 12},      {"NR_ZAM", 'C', 4},         {"REALIZACJA", 'C', 20},
};
// Their lines (SPR_P) and the layout of pending lines (QSPR_P).
constexpr store::FieldDef kLine[] = {
    {"RODZAJ_DOK", 'C', 2},     {"SERIA_FAK", 'C', 2},     {"ROK_DOK", 'C', 4},        {"NR_DOK", 'C', 5},
    {"DATA_DOK", 'D', 8},       {"NR_MAG", 'C', 3},        {"NR_KON", 'C', 5},         {"INDEKS", 'C', 20},
    {"GRUPA_TOW", 'C', 3},      {"NAZWA_TOW", 'C', 30},    {"OPIS_TOW", 'C', 20},      {"JM", 'C', 4},
    {"VAT", 'C', 2},            {"ILOSC", 'N', 10, 3},     {"ZNAK", 'N', 2},           {"CENA_ZAK", 'N', 12, 2},
    {"DATA_DOS", 'D', 8},       {"CENA_CEN_S", 'N', 12, 2}, {"CENA_BRU", 'N', 12, 2},  {"CENA_DET", 'N', 12, 2},
    {"BONIFIKATA", 'N', 12, 2}, {"CENA_SPR", 'N', 12, 2},  {"MARZA", 'N', 7, 2},
};

constexpr store::TableDef kOwn[] = {
    {"MAG001", kMag, "delivery batches of warehouse 001"},
    {"ZAP", kZap, "payments of invoices"},
    {"SPR_N", kHeader, "issued sales documents"},
    {"QSPR_N", kHeader, "layout of pending sales documents"},
    {"SPR_P", kLine, "lines of issued sales documents"},
    {"QSPR_P", kLine, "layout of pending sales-document lines"},
};

constexpr InvoicingIndex kIndexes[] = {
    {false, "TOW", "TOW_IN", "s_i(INDEKS)"},
    {false, "TOW", "TOW_NA", "NAZWA_TOW"},
    {false, "TOW", "TOW_GR", "GRUPA_TOW+s_i(INDEKS)"},
    {false, "TOW", "TOW_SW", "KOD_PAS"},
    {false, "MAG001", "M001_IP", "s_i(INDEKS)+DTOS(DATA_DOS)"},
    {false, "MAG001", "M001_N", "NR_DOS"},
    {false, "MAG001", "M001_IP0", "s_i(INDEKS)+DTOS(DATA_DOS)", "STAN>0"},
    {false, "MAG001", "M001_N0", "NR_DOS", "STAN>0"},
    {false, "UPUSTY", "UPUSTY_K", "NR_KON"},
    {false, "UPUSTY", "UPUSTY_T", "NR_KON+GRUPA_TOW+INDEKS+DOSTAWCA"},
    {false, "ZAP", "ZAP_FA", "RODZAJ_DOK+SERIA_FAK+ROK_FAK+NR_FAK"},
    {false, "KON_TXT", "KON_TXT", "NR_KON"},
    {false, "SPR_N", "SPR_N_NR", "RODZAJ_DOK+SERIA_FAK+ROK_DOK+NR_DOK"},
    {false, "SPR_N", "SPR_N_KO", "NR_KON+DTOS(DATA_DOK)"},
    {false, "SPR_P", "SPR_P_NR", "RODZAJ_DOK+SERIA_FAK+ROK_DOK+NR_DOK"},
    {false, "SL_G_TOW", "SL_G_TOW", "GRUPA_TOW"},
    {false, "SL_G_TOW", "SL_G_TON", "OPIS_G_TOW"},
    {false, "SL_JM", "SL_JM", "JM"},
    {true, "FIRMY", "FIRMY_NR", "NR_KON"},
    {true, "FIRMY", "FIRMY_NA", "NAZWA_KON"},
    {true, "FIRMY", "FIRMY_NI", "strtran(ID_KON,\"-\")"},
    {true, "FIRMY", "FIRMY_AD", "MIASTO+ADRES"},
    {true, "SL_G_KON", "SL_G_KON", "GRUPA_KON"},
};

// Copies a table of the installation (a dictionary, the print settings) into `to`.
void copyTable(sys::Env& env, const sys::Clock& clock, const fs::path& from, const fs::path& to,
               const store::TableDef& def) {
  auto source = xbase::DbfFile::open(env, clock, from.string(), xbase::Share::SharedReadOnly);
  if (!source) throw BuildError(from.string() + ": " + source.error().toString());
  TableWriter w(env, clock, to, def);
  std::vector<std::byte> rec((*source)->recordLength());
  for (std::uint32_t r = 1; (*source)->readRecord(r, rec); ++r) {
    w.clear();
    for (std::size_t i = 0; i < (*source)->fields().size(); ++i) w.set(i, (*source)->value(rec, i));
    w.append();
  }
  w.close();
  (*source)->close();
}

void makeDir(sys::Env& env, const fs::path& dir) {
  if (env.exists(dir.string())) return;
  if (const base::Status s = env.makeDir(dir.string()); !s) throw BuildError(dir.string() + ": " + s.toString());
}

}  // namespace

const store::TableDef& invoicingTable(std::string_view name) {
  for (const store::TableDef& d : kOwn)
    if (d.name == name) return d;
  if (name == "FIRMY") {
    static const store::TableDef firmy{"FIRMY", store::findTable("KON")->fields, "contractor register"};
    return firmy;
  }
  const store::TableDef* shared = store::findTable(name);
  if (shared == nullptr) throw BuildError("no table " + std::string(name) + " in the invoicing folder");
  return *shared;
}

std::span<const InvoicingIndex> invoicingIndexes() { return kIndexes; }

void makeInvoicingFolders(sys::Env& env, const sys::Clock& clock, const fs::path& target) {
  const fs::path data = target / kInvoicingFolder, contractors = target / kContractorFolder;
  makeDir(env, data);
  makeDir(env, contractors);
  for (const char* name : {"SL_G_TOW", "SL_JM"})
    copyTable(env, clock, target / (std::string(name) + ".DBF"), data / (std::string(name) + ".DBF"), invoicingTable(name));
  copyTable(env, clock, target / "SL_G_KON.DBF", contractors / "SL_G_KON.DBF", invoicingTable("SL_G_KON"));
  for (const char* name : {"QSPR_N", "QSPR_P", "FAK_TXT"}) TableWriter(env, clock, data / (std::string(name) + ".DBF"), invoicingTable(name)).close();
  for (const char* station : {"#00", "#01"}) {
    makeDir(env, data / station);
    copyTable(env, clock, target / "PARADRUK.DBF", data / station / "PARADRUK.DBF", invoicingTable("PARADRUK"));
  }
}

void buildInvoicingIndexes(core::HeadlessStation& station, const fs::path& target) {
  std::map<std::pair<bool, std::string_view>, std::vector<const InvoicingIndex*>> byTable;
  for (const InvoicingIndex& x : kIndexes) byTable[{x.contractorFolder, x.table}].push_back(&x);
  for (const auto& [where, indexes] : byTable) {
    const fs::path folder = target / (where.first ? kContractorFolder : kInvoicingFolder);
    db::UseOptions o;
    o.share = xbase::Share::Exclusive;
    o.newArea = true;
    auto area = station.ws.use((folder / (std::string(where.second) + ".DBF")).string(), o);
    if (!area) throw BuildError(std::string(where.second) + ": " + area.error().toString());
    std::vector<db::IndexTarget> targets;
    for (const InvoicingIndex* x : indexes)
      targets.push_back({(folder / (std::string(x->file) + ".NTX")).string(),
                         db::IndexSpec(std::string(x->key), std::string(x->condition))});
    if (const base::Status s = db::indexAll(**area, targets); !s)
      throw BuildError(std::string(where.second) + ": " + s.toString());
    station.ws.close((*area)->number());
  }
}

}  // namespace tool
