// src/store/index_catalogue.cpp — the index catalogue itself.
#include "store/index_catalogue.hpp"

#include <array>

namespace store {
namespace {

constexpr IndexEntry kEdit[] = {{"EDIT", "BAZA"}};
constexpr IndexEntry kZmiany[] = {{"ZMIANY", "INDEKS"}};
constexpr IndexEntry kSlOpe[] = {{"SL_OPE_H", "HASLO"}};
constexpr IndexEntry kSlPla[] = {{"SL_PLA", "SPOSOB_PLA"}};
constexpr IndexEntry kParadruk[] = {{"PARADRUK", "WARIANT", {}, false, true}};
constexpr IndexEntry kSlKont[] = {{"SL_KONT", "KONTO"}};
constexpr IndexEntry kNrZam[] = {{"NR_ZAM", "ROK_ZAM+KONTO"}};

constexpr IndexEntry kEwizam[] = {
    {"EWIZ_SI", "SYMBOL()+TYP+INDEKS"},
    {"EWIZ_SN", "SYMBOL()+TYP+NAZWA_TOW"},
    {"EWIZ_KS", "NR_KON+SYMBOL()+TYP"},
    {"EWIZ_DS", "dtos(DATA_ZAM)+SYMBOL()+TYP"},
    {"EWIZ_TE", "TYP+ETAP"},
};
constexpr IndexEntry kEwiarc[] = {
    {"EWIA_SI", "SYMBOL()+TYP+INDEKS"},
    {"EWIA_SN", "SYMBOL()+TYP+NAZWA_TOW"},
    {"EWIA_KS", "NR_KON+SYMBOL()+TYP"},
    {"EWIA_DS", "dtos(DATA_ZAM)+SYMBOL()+TYP"},
    {"EWIA_TE", "TYP+ETAP"},
};
constexpr IndexEntry kZamN[] = {
    {"ZAM_N_S", "KONTO+subs(dtos(DATA_ZAM),1,4)+NR_ZAM"},
    {"ZAM_N_K", "dtos(DATA_MAG)+NR_KON"},
    {"ZAM_N_O", "OPE_MAG+DTOS(DATA_MAG)"},
};
constexpr IndexEntry kZamP[] = {{"ZAM_P_S", "KONTO+subs(dtos(DATA_ZAM),1,4)+NR_ZAM"}};

constexpr IndexEntry kCrm[] = {
    {"CRM_PH", "KONTO+dtos(DATA)"},
    {"CRM_KO", "NR_KON+dtos(DATA)"},
    {"CRM_TY", "TYP+dtos(DATA)"},
    {"CRM_TE", "TYP+dtos(TERMIN)+GODZ_T", "KONTO=_konto_ph"},
    {"CRM_KT", "KONTO+TIMEDATE"},
};
constexpr IndexEntry kSlCrm[] = {{"SL_CRM_N", "NR"}, {"SL_CRM_O", "OPERACJA"}};

constexpr IndexEntry kKon[] = {
    {"KON_NR_U", "NR_KON", {}, true, true, true},
    {"KON_NR", "NR_KON"},
    {"KON_NA", "NAZWA_KON", {}, false, false, false, "ltrim(SKROT)+NAZWA_KON"},
    {"KON_NI", "strtran(ID_KON,\"-\")"},
    {"KON_AD", "MIASTO+ADRES"},
};
constexpr IndexEntry kKonTxt[] = {{"KON_TXT", "NR_KON"}};
constexpr IndexEntry kSprN[] = {
    {"SPR_N_KO", "NR_KON+DOKUMENT"},
    {"SPR_N_NR", "DOKUMENT"},
    {"SPR_N_DA", "dtos(DATA_DOK)+DOKUMENT"},
};
constexpr IndexEntry kSprP[] = {
    {"SPR_P_NR", "DOKUMENT"},
    {"SPR_P_KDI", "NR_KON+dtos(DATA_DOK)+s_i(INDEKS)"},
    {"SPR_P_DI", "dtos(DATA_DOK)+s_i(INDEKS)"},
};
constexpr IndexEntry kTow[] = {
    {"TOW_IN", "s_i(INDEKS)"},
    {"TOW_NA", "NAZWA_TOW"},
    {"TOW_GR", "GRUPA_TOW+s_i(INDEKS)"},
    {"TOW_SW", "KOD_PAS"},
};
constexpr IndexEntry kUpusty[] = {{"UPUSTY_K", "NR_KON"}, {"UPUSTY_T", "NR_KON+GRUPA_TOW+INDEKS+DOSTAWCA"}};
constexpr IndexEntry kSlGTow[] = {{"SL_G_TOW", "GRUPA_TOW"}, {"SL_G_TON", "OPIS_G_TOW"}};
constexpr IndexEntry kSlGKon[] = {{"SL_G_KON", "GRUPA_KON"}};
constexpr IndexEntry kSlJm[] = {{"SL_JM", "JM"}};

//                       group table       station pack   repair               quiet  pair
constexpr std::array kCatalogue = {
    CatalogueTable{' ', "EDIT", false, false, Repair::None, false, false, kEdit, "screen layouts"},
    CatalogueTable{' ', "ZMIANY", false, false, Repair::None, false, false, kZmiany, "goods-code conversion log"},
    CatalogueTable{' ', "SL_OPE", false, true, Repair::None, true, false, kSlOpe, "operators"},
    CatalogueTable{' ', "SL_PLA", false, true, Repair::None, true, false, kSlPla, "ways of payment"},
    CatalogueTable{' ', "PARADRUK", true, false, Repair::None, false, false, kParadruk,
                   "the station's print settings, copied from the program folder when missing"},
    CatalogueTable{' ', "SL_KONT", false, true, Repair::None, false, false, kSlKont, "representatives' accounts"},
    CatalogueTable{' ', "NR_ZAM", false, true, Repair::None, true, false, kNrZam, "order numbers"},
    CatalogueTable{'Z', "EWIZAM", false, true, Repair::OrderLines, false, false, kEwizam, "order register"},
    CatalogueTable{'Z', "EWIARC", false, true, Repair::None, false, false, kEwiarc, "order archive"},
    CatalogueTable{'Z', "ZAM_N", false, true, Repair::None, false, true, kZamN, "fulfilment headers"},
    CatalogueTable{'Z', "ZAM_P", false, true, Repair::None, false, true, kZamP, "fulfilment lines"},
    CatalogueTable{'C', "CRM", false, true, Repair::None, false, false, kCrm, "contact records"},
    CatalogueTable{'C', "SL_CRM", false, true, Repair::None, true, false, kSlCrm, "CRM events"},
    CatalogueTable{'H', "KON", false, true, Repair::Contractors, false, false, kKon, "contractors"},
    CatalogueTable{'H', "KON_TXT", false, true, Repair::EmptyNotes, false, false, kKonTxt, "contractors' notes"},
    CatalogueTable{'H', "SPR_N", false, true, Repair::None, false, false, kSprN, "sales document headers"},
    CatalogueTable{'H', "SPR_P", false, true, Repair::None, false, false, kSprP, "sales document lines"},
    CatalogueTable{'H', "TOW", false, true, Repair::None, false, false, kTow, "goods"},
    CatalogueTable{'H', "UPUSTY", false, true, Repair::None, false, false, kUpusty, "discounts"},
    CatalogueTable{'H', "SL_G_TOW", false, true, Repair::None, true, false, kSlGTow, "goods groups"},
    CatalogueTable{'H', "SL_G_KON", false, true, Repair::None, true, false, kSlGKon, "contractor groups"},
    CatalogueTable{'H', "SL_JM", false, true, Repair::None, false, false, kSlJm, "units of measure"},
};

}  // namespace

std::span<const CatalogueTable> indexCatalogue() { return kCatalogue; }

bool groupRebuilds(char group, char tableGroup) {
  return tableGroup == ' ' || group == ' ' || group == tableGroup;
}

}  // namespace store
