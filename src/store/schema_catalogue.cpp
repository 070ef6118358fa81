// src/store/schema_catalogue.cpp — the tables of an installation and their fields. A data
// file: one constant list per table, so it runs longer than a file of code should.
//
// Widths fixed by the program's own operations (the package tables, the structure upgrade,
// the work tables built from these) are kept exactly. The others were chosen once, here:
//   * codes follow the codes they hold everywhere: account 5, contractor 5, goods code 20,
//     goods group 3, contractor group 2, operator 3, warehouse 3, station 2, VAT code 2;
//   * texts shown on one screen line are at most 78 (descriptions 30 to 40, remarks 70 to
//     80); expressions stored as text (menu commands, conditions, column values) 100;
//   * quantities N 10.3, money N 12.2, percentages N 5.2 (N 4.1 where given so), counters
//     wide enough for 99999;
//   * CONFIG's WERSJA has 200 characters (variants are tested up to position 190; the
//     configuration form may widen it further), its folder names 40.
#include "store/schema.hpp"

namespace store {
namespace {

// ---- configuration and status ----------------------------------------------------------
constexpr FieldDef kConfig[] = {
    {"KONTO_PH", 'C', 5},    {"KARTOTEKA", 'C', 20},  {"ARCH_1", 'C', 100},    {"ARCH_2", 'C', 100},
    {"ARCH_3", 'C', 100},    {"FORMAT_IND", 'C', 20}, {"FORMAT_ILO", 'C', 20}, {"FORMAT_CEN", 'C', 20},
    {"FORMAT_WAR", 'C', 20}, {"FORFAK_ILO", 'C', 20}, {"FORFAK_CEN", 'C', 20}, {"FORMAT_SWW", 'C', 20},
    {"LEN_NAZ", 'N', 2},     {"LEN_OPI", 'N', 2},     {"OPISY_TOW", 'C', 1},   {"OPAKOWANIA", 'C', 1},
    {"WERSJA", 'C', 200},    {"KONTA_CE", 'C', 60},   {"MAG_ZAM", 'C', 3},     {"SERIA_FAK", 'C', 2},
    {"SERIA_PAR", 'C', 2},   {"LICZBA_STA", 'N', 2},  {"FIRMA_MENU", 'C', 60}, {"FIRMA", 'C', 60},
    {"HASLO", 'C', 6},       {"VAT1", 'C', 2},        {"VAT2", 'C', 2},        {"VAT3", 'C', 2},
    {"VAT4", 'C', 2},        {"VAT5", 'C', 2},        {"VAT6", 'C', 2},        {"VAT7", 'C', 2},
    {"CENY_1", 'C', 1},      {"CENY_2", 'C', 1},      {"CENY_3", 'C', 1},      {"ZNAKI_UPU", 'N', 2},
    {"CENNIK_SPR", 'C', 1},  {"STANOW_ZAM", 'C', 2},  {"DOSTAWCY", 'C', 60},   {"STANY", 'C', 1},
    {"MAIL_CE", 'C', 40},    {"MAIL_SE", 'C', 40},    {"SERWIS", 'C', 1},      {"FTP2", 'C', 1},
    {"GDZIE_KV", 'C', 40},   {"GDZIE_KON", 'C', 40},  {"GDZIE_DAN", 'C', 40},  {"FONT_PS", 'C', 30},
    {"PL", 'C', 1},
};
constexpr FieldDef kStatus[] = {{"DATA_AKT", 'D', 8}, {"DATA_LIC", 'C', 6}};
constexpr FieldDef kDataAkt[] = {{"DATA", 'D', 8}, {"CZAS", 'C', 5}};

// ---- menu, screens, help, printing -----------------------------------------------------
constexpr FieldDef kMenu[] = {
    {"OPCJA", 'N', 6},      {"TRESC", 'C', 60},   {"PROCEDURA", 'C', 100}, {"HBAZA", 'C', 10},
    {"PRIORYTET", 'N', 2},  {"WARUNEK", 'C', 100}, {"WAR_OPE", 'C', 60},   {"BLOKADA", 'C', 1},
    {"UWAGI", 'C', 40},     {"MIEJSCE", 'C', 1},  {"TEST", 'C', 6},
};
// Column descriptions; V1..V9 and VR are the layouts the screens name (V0 is every record).
constexpr FieldDef kEdit[] = {
    {"BAZA", 'C', 10},      {"NAG1", 'C', 40},    {"NAG2", 'C', 40},      {"POLE", 'C', 100},
    {"FORMAT", 'C', 40},    {"STOPKA", 'C', 100}, {"KOLEJNOSC", 'N', 3},  {"WARUNEK", 'C', 100},
    {"SLOWNIK", 'C', 100},  {"WEJSCIE", 'C', 100}, {"POWROT", 'C', 20},   {"KOMENTARZ", 'C', 78},
    {"V1", 'N', 3},         {"V2", 'N', 3},       {"V3", 'N', 3},         {"V4", 'N', 3},
    {"V5", 'N', 3},         {"V6", 'N', 3},       {"V7", 'N', 3},         {"V8", 'N', 3},
    {"V9", 'N', 3},         {"VR", 'N', 3},
};
constexpr FieldDef kHelp[] = {{"BASE", 'C', 10}, {"OPIS", 'M', 10}};
constexpr FieldDef kParadruk[] = {
    {"WARIANT", 'C', 10},   {"GESTOSC", 'N', 1},  {"RAMKI", 'N', 1},      {"WYSUW", 'N', 2},
    {"MARG_GORNY", 'N', 2}, {"MARG_LEWY", 'N', 3}, {"DL_STRONY", 'N', 3}, {"ORIENTACJA", 'C', 1},
    {"PODKRE", 'C', 1},     {"CIAGLY", 'C', 1},   {"RESET", 'C', 1},      {"KODY_DOD", 'C', 30},
    {"TRYB", 'C', 5},       {"PORT", 'C', 30},    {"KONWERSJA", 'C', 6},  {"KODY", 'C', 30},
};
constexpr FieldDef kWydruki[] = {
    {"DOKUMENT", 'C', 15}, {"WYDRUK", 'N', 5}, {"DATA", 'D', 8}, {"GODZINA", 'C', 8}, {"OPERATOR", 'C', 3}};

// The main screen's messages: lines grouped by LP, as wide as the message box's inside.
constexpr FieldDef kHalo[] = {{"LP", 'N', 3}, {"TEKST", 'C', 30}};

// ---- operators and logs ----------------------------------------------------------------
constexpr FieldDef kSlOpe[] = {
    {"KOD", 'C', 3},     {"HASLO", 'C', 6},   {"PRIORYTET", 'N', 2}, {"NAZWA", 'C', 20},
    {"BIERNY", 'C', 4},  {"NR_KASY", 'C', 2}, {"STANOW_ZAM", 'C', 2}, {"TEST", 'C', 6},
};
constexpr FieldDef kHasla[] = {{"HASLO", 'C', 6}, {"OPIS", 'C', 40}};
constexpr FieldDef kErrLog[] = {
    {"DATA", 'D', 8},  {"CZAS", 'C', 8},       {"STA", 'C', 2}, {"OPE", 'C', 3},
    {"OPIS", 'C', 80}, {"PROCEDURA", 'C', 30}, {"LINIA", 'N', 6},
};
constexpr FieldDef kInfoLog[] = {
    {"DATA", 'D', 8},  {"CZAS", 'C', 8},    {"STANOWISKO", 'C', 2}, {"OPERATOR", 'C', 3},
    {"OPIS", 'C', 80}, {"INDEKS", 'C', 20}, {"MAGAZYN", 'C', 3},    {"FIRMA", 'C', 5},
};

// ---- dictionaries ----------------------------------------------------------------------
constexpr FieldDef kSlCrm[] = {{"NR", 'N', 3}, {"OPERACJA", 'C', 38}};
constexpr FieldDef kSlGKon[] = {{"GRUPA_KON", 'C', 2}, {"OPIS_G_KON", 'C', 30}};
constexpr FieldDef kSlGTow[] = {{"GRUPA_TOW", 'C', 3}, {"OPIS_G_TOW", 'C', 30}, {"UWAGI", 'M', 10}};
constexpr FieldDef kSlJm[] = {{"JM", 'C', 4}, {"OPIS_JM", 'C', 20}};
constexpr FieldDef kSlKont[] = {
    {"KONTO", 'C', 5}, {"OPIS_KONTA", 'C', 30}, {"MAIL", 'C', 40}, {"AKTYWNY", 'C', 1}, {"NR_MAG", 'C', 3}};
constexpr FieldDef kSlPla[] = {{"SPOSOB_PLA", 'C', 8}, {"OPIS_PLA", 'C', 30}, {"DNI", 'N', 3}};

// ---- contractors, goods, sales documents -----------------------------------------------
constexpr FieldDef kKon[] = {
    {"NR_KON", 'C', 5},     {"GRUPA_KON", 'C', 2},  {"ID_KON", 'C', 15},    {"NAZWA_KON", 'C', 60},
    {"NAZWA_KON2", 'C', 60}, {"SKROT", 'C', 15},    {"KOD", 'C', 6},        {"MIASTO", 'C', 20},
    {"ADRES", 'C', 30},     {"TELEFON", 'C', 20},   {"KONTO", 'C', 5},      {"KREDYT", 'C', 1},
    {"WN_ODB", 'N', 12, 2}, {"MA_ODB", 'N', 12, 2}, {"MA_DOS", 'N', 12, 2}, {"WN_DOS", 'N', 12, 2},
    {"CENNIK", 'C', 1},     {"RABAT_KON", 'N', 4, 1}, {"LIMIT", 'N', 12, 2}, {"UWAGI", 'C', 74},
    {"DNI", 'N', 3},        {"BLOKADA", 'C', 1},    {"SZEF", 'C', 36},      {"PRACOWNIK", 'C', 36},
    {"MAIL", 'C', 36},      {"PLATNIK", 'C', 5},    {"NR_POP", 'C', 5},     {"PUNKTY_RA", 'N', 5},
    {"PUNKTY_OK", 'N', 5},  {"CW", 'C', 1},
};
constexpr FieldDef kKonTxt[] = {{"NR_KON", 'C', 5}, {"TEKST", 'M', 10}};
constexpr FieldDef kTow[] = {
    {"INDEKS", 'C', 20},       {"NAZWA_TOW", 'C', 30}, {"OPIS_TOW", 'C', 20},    {"KOD_PAS", 'N', 13},
    {"GRUPA_TOW", 'C', 3},     {"OPAKOWANIE", 'N', 7, 1}, {"JM", 'C', 4},        {"VAT", 'C', 2},
    {"STAN", 'N', 10, 3},      {"STAN_PH", 'N', 10, 3}, {"CENA_1", 'N', 9, 2},   {"CENA_2", 'N', 9, 2},
    {"CENA_3", 'N', 9, 2},     {"CENA_ZAK", 'N', 12, 2}, {"NR_KON", 'C', 5},     {"SWW", 'C', 20},
    {"OPAK_ZWR", 'C', 1},      {"USLUGA", 'C', 3},     {"STAN_MIN", 'N', 10, 3},
};
constexpr FieldDef kSprN[] = {
    {"DOKUMENT", 'C', 14},   {"DATA_DOK", 'D', 8},   {"NR_MAG", 'C', 3},     {"WART_ZAK", 'N', 12, 2},
    {"WART_BRU", 'N', 12, 2}, {"KOREKTA", 'C', 14},  {"KONTO", 'C', 5},      {"NR_KON", 'C', 5},
    {"GRUPA_KON", 'C', 2},   {"ID_KON", 'C', 15},    {"NAZWA_KON", 'C', 60}, {"KOD", 'C', 6},
    {"MIASTO", 'C', 20},     {"ADRES", 'C', 30},     {"WN", 'N', 12, 2},     {"DATA_PLA", 'D', 8},
    {"DATA_ZAP", 'D', 8},    {"DNI_PO", 'C', 4},     {"RODZAJ_DOK", 'C', 2}, {"SERIA_FAK", 'C', 2},
    {"ROK_DOK", 'C', 4},     {"NR_DOK", 'C', 5},     {"UWAGI", 'C', 40},
};
constexpr FieldDef kSprPPackage[] = {
    {"DOKUMENT", 'C', 14}, {"DATA_DOK", 'D', 8}, {"NR_KON", 'C', 5},      {"INDEKS", 'C', 20},
    {"VAT", 'C', 2},       {"ILOSC", 'N', 10, 3}, {"CENA_SPR", 'N', 12, 2},
};
// The installation's lines carry the unit too.
constexpr FieldDef kSprP[] = {
    {"DOKUMENT", 'C', 14},  {"DATA_DOK", 'D', 8},    {"NR_KON", 'C', 5},       {"INDEKS", 'C', 20},
    {"VAT", 'C', 2},        {"ILOSC", 'N', 10, 3},   {"CENA_SPR", 'N', 12, 2}, {"JM", 'C', 4},
};
constexpr FieldDef kSprNUp[] = {
    {"DOKUMENT", 'C', 14},   {"DATA_DOK", 'D', 8},    {"NR_MAG", 'C', 3},      {"WART_ZAK", 'N', 12, 2},
    {"WART_BRU", 'N', 12, 2}, {"KOREKTA", 'C', 14},   {"KONTO", 'C', 5},       {"NR_KON", 'C', 5},
    {"GRUPA_KON", 'C', 2},   {"ID_KON", 'C', 15},     {"NAZWA_KON", 'C', 60},  {"KOD", 'C', 6},
    {"MIASTO", 'C', 20},     {"ADRES", 'C', 30},      {"WN", 'N', 12, 2},      {"DATA_PLA", 'D', 8},
    {"DATA_ZAP", 'D', 8},    {"DNI_PO", 'C', 4},      {"RODZAJ_DOK", 'C', 2},  {"SERIA_FAK", 'C', 2},
    {"ROK_DOK", 'C', 4},     {"NR_DOK", 'C', 5},      {"RODZAJ_KOR", 'C', 2},  {"SERIA_KOR", 'C', 2},
    {"ROK_KOR", 'C', 4},     {"NR_KOR", 'C', 5},      {"WART_ZAP", 'N', 12, 2}, {"UWAGI", 'C', 80},
};
constexpr FieldDef kUpusty[] = {
    {"NR_KON", 'C', 5},    {"GRUPA_TOW", 'C', 3}, {"INDEKS", 'C', 20}, {"DOSTAWCA", 'C', 5},
    {"CENA", 'N', 12, 2},  {"UPUST", 'N', 5, 2},  {"DATA_OD", 'D', 8}, {"DATA_DO", 'D', 8},
};
constexpr FieldDef kZmiany[] = {{"INDEKS", 'C', 20}, {"DATA", 'D', 8}, {"STATUS", 'C', 1}};
constexpr FieldDef kTabela[] = {{"INDEKS1", 'C', 20}, {"INDEKS2", 'C', 20}, {"KOD_PAS2", 'N', 13}};
constexpr FieldDef kFakTxt[] = {{"LINIA", 'C', 80}};

// ---- orders ----------------------------------------------------------------------------
// The order register: header records (TYP "N") and line records (TYP "P") in one table.
constexpr FieldDef kEwizam[] = {
    {"KONTO", 'C', 5},        {"DATA_ZAM", 'D', 8},      {"NR_ZAM", 'C', 4},       {"TYP", 'C', 1},
    {"STATUS", 'C', 1},       {"NR_KON", 'C', 5},        {"INDEKS", 'C', 20},      {"OPIS", 'M', 10},
    {"ETAP", 'C', 3},         {"MAGAZYN_PH", 'C', 1},    {"KURIER", 'C', 1},       {"OPLATA", 'C', 1},
    {"KUPONY", 'C', 1},       {"PACZKI", 'C', 14},       {"OPE_MAG", 'C', 3},      {"DATA_MAG", 'D', 8},
    {"TIME_MAG", 'C', 12},    {"NAZWA_TOW", 'C', 30},    {"OPIS_TOW", 'C', 20},    {"KOD_PAS", 'N', 13},
    {"JM", 'C', 4},           {"VAT", 'C', 2},           {"CENA_ZAK", 'N', 12, 2}, {"ILO_ZAM", 'N', 10, 3},
    {"ILO_FAK", 'N', 10, 3},  {"CENA_CEN", 'N', 12, 2},  {"CENA", 'N', 12, 2},     {"CENA_SPR", 'N', 12, 2},
    {"MARZA", 'N', 7, 2},     {"SKAN", 'C', 3},
};
constexpr FieldDef kNrZam[] = {{"KONTO", 'C', 5}, {"ROK_ZAM", 'C', 4}, {"NR_ZAM", 'N', 4}};
constexpr FieldDef kNzam[] = {
    {"DATA_ZAM", 'D', 8},    {"KONTO", 'C', 5},       {"NR_ZAM", 'C', 4},       {"NR_KON", 'C', 5},
    {"NAZWA_KON", 'C', 40},  {"MIASTO", 'C', 20},     {"ADRES", 'C', 30},       {"TERMIN", 'N', 3},
    {"PLATNOSC", 'C', 10},   {"FAKTURA", 'C', 1},     {"UWAGI", 'C', 70},       {"CENNIK", 'C', 1},
    {"RABAT_N", 'N', 9, 2},  {"WARTOSC", 'N', 12, 2}, {"OPE_ZAM", 'C', 3},      {"ETAP", 'C', 3},
    {"MAGAZYN_PH", 'C', 1},  {"KURIER", 'C', 1},      {"OPLATA", 'C', 1},       {"KUPONY", 'C', 1},
    {"PACZKI", 'C', 14},     {"STATUS", 'C', 1},      {"OPE_MAG", 'C', 3},      {"DATA_MAG", 'D', 8},
    {"TIME_MAG", 'C', 12},   {"CW", 'C', 1},
};
// Fulfilled order headers: the header fields, the fulfilment counts and the description.
constexpr FieldDef kZamN[] = {
    {"DATA_ZAM", 'D', 8},    {"KONTO", 'C', 5},       {"NR_ZAM", 'C', 4},       {"NR_KON", 'C', 5},
    {"NAZWA_KON", 'C', 40},  {"MIASTO", 'C', 20},     {"ADRES", 'C', 30},       {"TERMIN", 'N', 3},
    {"PLATNOSC", 'C', 10},   {"FAKTURA", 'C', 1},     {"UWAGI", 'C', 70},       {"CENNIK", 'C', 1},
    {"RABAT_N", 'N', 9, 2},  {"WARTOSC", 'N', 12, 2}, {"OPE_ZAM", 'C', 3},      {"ETAP", 'C', 3},
    {"MAGAZYN_PH", 'C', 1},  {"KURIER", 'C', 1},      {"OPLATA", 'C', 1},       {"KUPONY", 'C', 1},
    {"PACZKI", 'C', 14},     {"STATUS", 'C', 1},      {"OPE_MAG", 'C', 3},      {"DATA_MAG", 'D', 8},
    {"TIME_MAG", 'C', 12},   {"CW", 'C', 1},          {"ILO_ZAM", 'N', 9, 2},   {"ILO_FAK", 'N', 9, 2},
    {"ILO_SKA", 'N', 9, 2},  {"ILE_POZ", 'N', 6},     {"ILE_SKA", 'N', 6},      {"ILE_FAK", 'N', 6},
    {"OPIS", 'M', 10},
};
// Fulfilled order lines: the register's line fields and the sector of the warehouse.
constexpr FieldDef kZamP[] = {
    {"KONTO", 'C', 5},        {"DATA_ZAM", 'D', 8},      {"NR_ZAM", 'C', 4},       {"TYP", 'C', 1},
    {"NR_KON", 'C', 5},       {"INDEKS", 'C', 20},       {"OPIS", 'M', 10},        {"NAZWA_TOW", 'C', 30},
    {"OPIS_TOW", 'C', 20},    {"KOD_PAS", 'N', 13},      {"JM", 'C', 4},           {"VAT", 'C', 2},
    {"CENA_ZAK", 'N', 12, 2}, {"ILO_ZAM", 'N', 10, 3},   {"ILO_FAK", 'N', 10, 3},  {"CENA_CEN", 'N', 12, 2},
    {"CENA", 'N', 12, 2},     {"CENA_SPR", 'N', 12, 2},  {"MARZA", 'N', 7, 2},     {"SKAN", 'C', 3},
    {"SEKTOR", 'C', 5},
};

// ---- CRM -------------------------------------------------------------------------------
constexpr FieldDef kCrm[] = {
    {"DATA", 'D', 8},     {"TIMEDATE", 'C', 12}, {"KONTO", 'C', 5},   {"OPERACJA", 'C', 38},
    {"OPIS", 'M', 10},    {"TERMIN", 'D', 8},    {"GODZ_T", 'C', 5},  {"NR_KON", 'C', 5},
    {"TYP", 'C', 1},      {"ADRESAT", 'C', 5},   {"PRYWATNE", 'C', 1}, {"OPERATOR", 'C', 3},
};

constexpr TableDef kCatalogue[] = {
    {"CONFIG", kConfig, "configuration, one record"},
    {"CRM", kCrm, "customer contact records"},
    {"DATA_AKT", kDataAkt, "date and time of the sales data, one record"},
    {"EDIT", kEdit, "column descriptions of the screens, key BAZA"},
    {"EDIT_WZ", kEdit, "templates of column descriptions"},
    {"ERR_LOG", kErrLog, "error log, written only when the table exists"},
    {"EWIARC", kEwizam, "archive of sent orders"},
    {"EWIZAM", kEwizam, "order register: headers and lines"},
    {"FAK_TXT", kFakTxt, "invoice texts handed to the invoicing program"},
    {"HASLA", kHasla, "special passwords, record n for password n"},
    {"HALO", kHalo, "messages of the main screen, grouped by LP"},
    {"HELP", kHelp, "help texts by topic"},
    {"INFO_LOG", kInfoLog, "log of sensitive actions"},
    {"KON", kKon, "contractors"},
    {"KON_TXT", kKonTxt, "contractor notes"},
    {"MENU", kMenu, "the menu tree"},
    {"NR_ZAM", kNrZam, "last order number per account and year"},
    {"NZAM", kNzam, "order headers chosen for a screen"},
    {"PARADRUK", kParadruk, "print settings template, key WARIANT"},
    {"PZAM", kEwizam, "orders looked at in the orders browser"},
    {"SL_CRM", kSlCrm, "CRM event dictionary"},
    {"SL_G_KON", kSlGKon, "contractor groups"},
    {"SL_G_TOW", kSlGTow, "goods groups"},
    {"SL_JM", kSlJm, "units of measure"},
    {"SL_KONT", kSlKont, "accounts: head office and representatives"},
    {"SL_OPE", kSlOpe, "operators"},
    {"SL_PLA", kSlPla, "payment methods"},
    {"SPR_N", kSprN, "sales document headers"},
    {"SPR_N_UP", kSprNUp, "updates of sales document headers"},
    {"SPR_P", kSprP, "sales document lines"},
    {"STATUS", kStatus, "status and structure stamp, one record"},
    {"TABELA", kTabela, "goods-code translation of incoming orders"},
    {"TOW", kTow, "goods"},
    {"UPUSTY", kUpusty, "discounts and fixed prices"},
    {"WYDRUKI", kWydruki, "numbered printouts"},
    {"ZAM_N", kZamN, "fulfilled order headers"},
    {"ZAM_P", kZamP, "fulfilled order lines"},
    {"ZMIANY", kZmiany, "availability marks of goods codes"},
};

constexpr TableDef kPackage[] = {
    {"TOW", kTow, "goods of a sales-data package"},
    {"KON", kKon, "contractors of a sales-data package"},
    {"SPR_N", kSprN, "sales document headers of a sales-data package"},
    {"SPR_P", kSprPPackage, "sales document lines of a sales-data package"},
};

}  // namespace

std::span<const TableDef> catalogue() { return kCatalogue; }
std::span<const TableDef> packageTables() { return kPackage; }

}  // namespace store
