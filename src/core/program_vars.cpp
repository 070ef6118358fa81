// src/core/program_vars.cpp — the program-wide variables: declaration and typed reads.
#include "core/program_vars.hpp"

#include "base/fault.hpp"
#include "rt/number_text.hpp"

namespace core {
namespace {

enum class Kind { Text, Number, Logical, Unset, EmptyList };

struct VarDef {
  std::string_view name;
  Kind kind;
  std::string_view text;  // Kind::Text
  double number;          // Kind::Number; Kind::Logical: 1 true
  int decimals;           // Kind::Number
};

constexpr VarDef kPublics[] = {
    {"NUMER_STAN", Kind::Text, "01", 0, 0},
    {"WER", Kind::Text, "STANDARD", 0, 0},
    {"_INOUT", Kind::Logical, "", 0, 0},
    {"_NOTY", Kind::Logical, "", 1, 0},
    {"_UDOCEZAK", Kind::Logical, "", 1, 0},
    {"_DRU_DOK", Kind::Text, "               ", 0, 0},
    {"DESK", Kind::Unset, "", 0, 0},
    {"_ALERT_CRM", Kind::Number, "", 0, 0},
    {"_WERSJA", Kind::Text, "", 0, 0},
    {"_HOR1", Kind::Unset, "", 0, 0},
    {"_HOR2", Kind::Unset, "", 0, 0},
    {"_HOR3", Kind::Unset, "", 0, 0},
    {"_VERT1", Kind::Unset, "", 0, 0},
    {"_VERT2", Kind::Unset, "", 0, 0},
    {"_VERT3", Kind::Unset, "", 0, 0},
    {"_REST1", Kind::Unset, "", 0, 0},
    {"_REST2", Kind::Unset, "", 0, 0},
    {"_REST3", Kind::Unset, "", 0, 0},
    {"_NAZWA_PRG", Kind::Text, "ZELMORAN", 0, 0},
    {"_OPERATOR", Kind::Text, "OPE", 0, 0},
    {"_NR_OPE", Kind::Number, "", 0, 0},
    {"_PRIORYTET", Kind::Number, "", 0, 0},
    {"_BIERNY", Kind::Text, " ", 0, 0},
    {"_TOTAL", Kind::Number, "", 0, 0},
    {"_STARY", Kind::Logical, "", 0, 0},
    {"_MNOZNIK", Kind::Number, "", 1.0, 1},
    {"_NAZWISKO", Kind::Text, "                      ", 0, 0},
    {"_SZER", Kind::Logical, "", 0, 0},
    {"_MAX_WZ", Kind::Text, "9999:", 0, 0},
    {"_KARTOTEKA", Kind::Text, "", 0, 0},
    {"_KONTO_PH", Kind::Text, "", 0, 0},
    {"_KONTA_CE", Kind::Text, "", 0, 0},
    {"_SCL", Kind::Text, "", 0, 0},
    {"_SC", Kind::Text, "", 0, 0},
    {"_MAG_ZAM", Kind::Text, "", 0, 0},
    {"_SERIA_FAK", Kind::Text, "01", 0, 0},
    {"_SERIA_PAR", Kind::Text, "09", 0, 0},
    {"_LICZBA_STA", Kind::Number, "", 0, 0},
    {"_FIRMA_MENU", Kind::Text, "", 0, 0},
    {"_HASLO", Kind::Text, "", 0, 0},
    {"_FORMAT_IND", Kind::Text, "", 0, 0},
    {"_FORMAT_ILO", Kind::Text, "", 0, 0},
    {"_FORMAT_CEN", Kind::Text, "", 0, 0},
    {"_FORMAT_WAR", Kind::Text, "", 0, 0},
    {"_FORFAK_ILO", Kind::Text, "", 0, 0},
    {"_FORFAK_CEN", Kind::Text, "", 0, 0},
    {"_FORFAK_WAR", Kind::Text, "", 0, 0},
    {"_LEN_NAZ", Kind::Number, "", 0, 0},
    {"_LEN_OPI", Kind::Number, "", 0, 0},
    {"_OPISY_TOW", Kind::Text, "", 0, 0},
    {"_OPAKOWANIA", Kind::Text, "", 0, 0},
    {"_FIRMA", Kind::Text, "", 0, 0},
    {"_VAT1", Kind::Text, "", 0, 0},
    {"_VAT2", Kind::Text, "", 0, 0},
    {"_VAT3", Kind::Text, "", 0, 0},
    {"_VAT4", Kind::Text, "", 0, 0},
    {"_VAT5", Kind::Text, "", 0, 0},
    {"_VAT6", Kind::Text, "", 0, 0},
    {"_VAT7", Kind::Text, "", 0, 0},
    {"_EKRA_BLO", Kind::Text, "W/N, N/W, N/N", 0, 0},
    {"_EDIT_BLO", Kind::Text, "W/N, N/W, N/N,,,,,W+/N", 0, 0},
    {"_SLOW_BLO", Kind::Text, "W/N, N/W, N/N,,,,,W+/N", 0, 0},
    {"_FORMAT_SWW", Kind::Text, "########", 0, 0},
    {"_CENY_1", Kind::Text, "", 0, 0},
    {"_CENY_2", Kind::Text, "", 0, 0},
    {"_CENY_3", Kind::Text, "", 0, 0},
    {"_CENA_1", Kind::Text, "netto", 0, 0},
    {"_CENA_2", Kind::Text, "netto", 0, 0},
    {"_CENA_3", Kind::Text, "netto", 0, 0},
    {"_ZNAKI_UPU", Kind::Number, "", 0, 0},
    {"_CENNIK_SPR", Kind::Text, "", 0, 0},
    {"_TYP_MAR", Kind::Text, "", 0, 0},
    {"_ST_ZAM", Kind::Text, "01", 0, 0},
    {"_DOSTAWCY", Kind::Text, "", 0, 0},
    {"_STANY", Kind::Logical, "", 1, 0},
    {"_MAIL_CE", Kind::Text, "", 0, 0},
    {"_MAIL_SE", Kind::Text, "", 0, 0},
    {"_SERWIS", Kind::Text, "", 0, 0},
    {"_TMP_FTP", Kind::Logical, "", 0, 0},
    {"_GDZIE_KV", Kind::Text, "", 0, 0},
    {"_GDZIE_KON", Kind::Text, "", 0, 0},
    {"_GDZIE_DAN", Kind::Text, "", 0, 0},
    {"_FONT_PS", Kind::Text, "Lucida Console", 0, 0},
    {"_PL", Kind::Text, " ", 0, 0},
    {"_CKON", Kind::Text, "A", 0, 0},
    {"_VAT", Kind::Text, "", 0, 0},
    {"_ZMIANA_I", Kind::Logical, "", 0, 0},
    {"APOLAVR", Kind::EmptyList, "", 0, 0},
    {"_UWAGA", Kind::Text, "A     ", 0, 0},
};

// Exchange settings: privates of the routine that declares the program-wide variables,
// so that everything it runs sees them; filled when the exchange settings are read.
constexpr std::string_view kExchangePrivates[] = {"_FTP_OPEN", "_FTP_LOGIN", "_FTP_PASS", "_FTP_PATH", "_FTP_OPEN2", "_FTP_LOGI2", "_FTP_PASS2", "_FTP_PATH2", "_MAIL_FROM", "_MAIL_HOST", "_MAIL_PORT", "_MAIL_USER", "_MAIL_PASS"};

rt::Value initialValue(const VarDef& d) {
  switch (d.kind) {
    case Kind::Text: return rt::Value::character(std::string(d.text));
    case Kind::Number: return rt::Value::number(d.number, rt::kDefaultWidth, d.decimals);
    case Kind::Logical: return rt::Value::logical(d.number != 0);
    case Kind::EmptyList: return rt::Value::newArray();
    case Kind::Unset: break;
  }
  return rt::Value::logical(false);  // a public declared without a value
}

[[noreturn]] void wrongType(std::string_view name, const char* expected) {
  throw base::InternalFault("program-wide variable " + std::string(name) + " does not hold " + expected);
}

std::string textVar(const rt::Runtime& rt, std::string_view name) {
  const rt::Value* v = rt.vars().find(name);
  if (v == nullptr || !v->isText()) wrongType(name, "a character value");
  return v->text();
}

double numberVar(const rt::Runtime& rt, std::string_view name) {
  const rt::Value* v = rt.vars().find(name);
  if (v == nullptr || !v->isNumber()) wrongType(name, "a number");
  return v->num();
}

int intVar(const rt::Runtime& rt, std::string_view name) { return static_cast<int>(numberVar(rt, name)); }

bool flagVar(const rt::Runtime& rt, std::string_view name) {
  const rt::Value* v = rt.vars().find(name);
  if (v == nullptr || !v->isLogical()) wrongType(name, "a logical value");
  return v->logical();
}

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

}  // namespace

void declareProgramVars(rt::Runtime& rt) {
  rt::Memvars& vars = rt.vars();
  for (const VarDef& d : kPublics) {
    vars.declarePublic(d.name);
    vars.set(d.name, initialValue(d));
  }
  for (std::string_view name : kExchangePrivates) vars.declarePrivate(name, rt::Value::character(""));
  vars.set("_CKON", rt::Value::character(ckonOf(KONTO_PH_(rt))));
  vars.set("_VAT", rt::Value::character(vatChoicesOf(rt)));
}

std::optional<std::string> stationFromArgument(std::optional<std::string_view> argument) {
  if (!argument || argument->empty()) return "01";  // an empty argument is no argument
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  const std::string_view a = *argument;
  if (a.size() == 1 && digit(a[0])) return "0" + std::string(a);
  if (a.size() == 2 && digit(a[0]) && digit(a[1])) return std::string(a);
  return std::nullopt;
}

void setStationFolder(rt::Runtime& rt) {
  const std::string scl = trimmed(KARTOTEKA_(rt)) + "#" + NUMER_STAN(rt);
  rt.vars().set("_SCL", rt::Value::character(scl));
  rt.vars().set("_SC", rt::Value::character(scl + "\\"));
}

std::string ckonOf(std::string_view kontoPh) {
  const std::string_view digits = kontoPh.size() > 3 ? kontoPh.substr(3, 2) : std::string_view();
  const double n = rt::val(digits).value;
  return std::string(1, static_cast<char>('A' + static_cast<int>(n)));
}

std::string vatChoicesOf(const rt::Runtime& rt) {
  return "zw| 0|" + VAT1_(rt) + "|" + VAT2_(rt) + "|" + VAT3_(rt) + "|" + VAT4_(rt) + "|" + VAT5_(rt) + "|" +
         VAT6_(rt) + "|" + VAT7_(rt);
}

std::string NUMER_STAN(const rt::Runtime& rt) { return textVar(rt, "NUMER_STAN"); }
std::string WER(const rt::Runtime& rt) { return textVar(rt, "WER"); }
bool INOUT_(const rt::Runtime& rt) { return flagVar(rt, "_INOUT"); }
bool NOTY_(const rt::Runtime& rt) { return flagVar(rt, "_NOTY"); }
bool UDOCEZAK_(const rt::Runtime& rt) { return flagVar(rt, "_UDOCEZAK"); }
std::string DRU_DOK_(const rt::Runtime& rt) { return textVar(rt, "_DRU_DOK"); }
int ALERT_CRM_(const rt::Runtime& rt) { return intVar(rt, "_ALERT_CRM"); }
std::string WERSJA_(const rt::Runtime& rt) { return textVar(rt, "_WERSJA"); }
std::string NAZWA_PRG_(const rt::Runtime& rt) { return textVar(rt, "_NAZWA_PRG"); }
std::string OPERATOR_(const rt::Runtime& rt) { return textVar(rt, "_OPERATOR"); }
int NR_OPE_(const rt::Runtime& rt) { return intVar(rt, "_NR_OPE"); }
int PRIORYTET_(const rt::Runtime& rt) { return intVar(rt, "_PRIORYTET"); }
std::string BIERNY_(const rt::Runtime& rt) { return textVar(rt, "_BIERNY"); }
int TOTAL_(const rt::Runtime& rt) { return intVar(rt, "_TOTAL"); }
bool STARY_(const rt::Runtime& rt) { return flagVar(rt, "_STARY"); }
double MNOZNIK_(const rt::Runtime& rt) { return numberVar(rt, "_MNOZNIK"); }
std::string NAZWISKO_(const rt::Runtime& rt) { return textVar(rt, "_NAZWISKO"); }
bool SZER_(const rt::Runtime& rt) { return flagVar(rt, "_SZER"); }
std::string MAX_WZ_(const rt::Runtime& rt) { return textVar(rt, "_MAX_WZ"); }
std::string KARTOTEKA_(const rt::Runtime& rt) { return textVar(rt, "_KARTOTEKA"); }
std::string KONTO_PH_(const rt::Runtime& rt) { return textVar(rt, "_KONTO_PH"); }
std::string KONTA_CE_(const rt::Runtime& rt) { return textVar(rt, "_KONTA_CE"); }
std::string SCL_(const rt::Runtime& rt) { return textVar(rt, "_SCL"); }
std::string SC_(const rt::Runtime& rt) { return textVar(rt, "_SC"); }
std::string MAG_ZAM_(const rt::Runtime& rt) { return textVar(rt, "_MAG_ZAM"); }
std::string SERIA_FAK_(const rt::Runtime& rt) { return textVar(rt, "_SERIA_FAK"); }
std::string SERIA_PAR_(const rt::Runtime& rt) { return textVar(rt, "_SERIA_PAR"); }
int LICZBA_STA_(const rt::Runtime& rt) { return intVar(rt, "_LICZBA_STA"); }
std::string FIRMA_MENU_(const rt::Runtime& rt) { return textVar(rt, "_FIRMA_MENU"); }
std::string HASLO_(const rt::Runtime& rt) { return textVar(rt, "_HASLO"); }
std::string FORMAT_IND_(const rt::Runtime& rt) { return textVar(rt, "_FORMAT_IND"); }
std::string FORMAT_ILO_(const rt::Runtime& rt) { return textVar(rt, "_FORMAT_ILO"); }
std::string FORMAT_CEN_(const rt::Runtime& rt) { return textVar(rt, "_FORMAT_CEN"); }
std::string FORMAT_WAR_(const rt::Runtime& rt) { return textVar(rt, "_FORMAT_WAR"); }
std::string FORFAK_ILO_(const rt::Runtime& rt) { return textVar(rt, "_FORFAK_ILO"); }
std::string FORFAK_CEN_(const rt::Runtime& rt) { return textVar(rt, "_FORFAK_CEN"); }
std::string FORFAK_WAR_(const rt::Runtime& rt) { return textVar(rt, "_FORFAK_WAR"); }
int LEN_NAZ_(const rt::Runtime& rt) { return intVar(rt, "_LEN_NAZ"); }
int LEN_OPI_(const rt::Runtime& rt) { return intVar(rt, "_LEN_OPI"); }
std::string OPISY_TOW_(const rt::Runtime& rt) { return textVar(rt, "_OPISY_TOW"); }
std::string OPAKOWANIA_(const rt::Runtime& rt) { return textVar(rt, "_OPAKOWANIA"); }
std::string FIRMA_(const rt::Runtime& rt) { return textVar(rt, "_FIRMA"); }
std::string VAT1_(const rt::Runtime& rt) { return textVar(rt, "_VAT1"); }
std::string VAT2_(const rt::Runtime& rt) { return textVar(rt, "_VAT2"); }
std::string VAT3_(const rt::Runtime& rt) { return textVar(rt, "_VAT3"); }
std::string VAT4_(const rt::Runtime& rt) { return textVar(rt, "_VAT4"); }
std::string VAT5_(const rt::Runtime& rt) { return textVar(rt, "_VAT5"); }
std::string VAT6_(const rt::Runtime& rt) { return textVar(rt, "_VAT6"); }
std::string VAT7_(const rt::Runtime& rt) { return textVar(rt, "_VAT7"); }
std::string EKRA_BLO_(const rt::Runtime& rt) { return textVar(rt, "_EKRA_BLO"); }
std::string EDIT_BLO_(const rt::Runtime& rt) { return textVar(rt, "_EDIT_BLO"); }
std::string SLOW_BLO_(const rt::Runtime& rt) { return textVar(rt, "_SLOW_BLO"); }
std::string FORMAT_SWW_(const rt::Runtime& rt) { return textVar(rt, "_FORMAT_SWW"); }
std::string CENY_1_(const rt::Runtime& rt) { return textVar(rt, "_CENY_1"); }
std::string CENY_2_(const rt::Runtime& rt) { return textVar(rt, "_CENY_2"); }
std::string CENY_3_(const rt::Runtime& rt) { return textVar(rt, "_CENY_3"); }
std::string CENA_1_(const rt::Runtime& rt) { return textVar(rt, "_CENA_1"); }
std::string CENA_2_(const rt::Runtime& rt) { return textVar(rt, "_CENA_2"); }
std::string CENA_3_(const rt::Runtime& rt) { return textVar(rt, "_CENA_3"); }
int ZNAKI_UPU_(const rt::Runtime& rt) { return intVar(rt, "_ZNAKI_UPU"); }
std::string CENNIK_SPR_(const rt::Runtime& rt) { return textVar(rt, "_CENNIK_SPR"); }
std::string TYP_MAR_(const rt::Runtime& rt) { return textVar(rt, "_TYP_MAR"); }
std::string ST_ZAM_(const rt::Runtime& rt) { return textVar(rt, "_ST_ZAM"); }
std::string DOSTAWCY_(const rt::Runtime& rt) { return textVar(rt, "_DOSTAWCY"); }
bool STANY_(const rt::Runtime& rt) { return flagVar(rt, "_STANY"); }
std::string MAIL_CE_(const rt::Runtime& rt) { return textVar(rt, "_MAIL_CE"); }
std::string MAIL_SE_(const rt::Runtime& rt) { return textVar(rt, "_MAIL_SE"); }
std::string SERWIS_(const rt::Runtime& rt) { return textVar(rt, "_SERWIS"); }
bool TMP_FTP_(const rt::Runtime& rt) { return flagVar(rt, "_TMP_FTP"); }
std::string GDZIE_KV_(const rt::Runtime& rt) { return textVar(rt, "_GDZIE_KV"); }
std::string GDZIE_KON_(const rt::Runtime& rt) { return textVar(rt, "_GDZIE_KON"); }
std::string GDZIE_DAN_(const rt::Runtime& rt) { return textVar(rt, "_GDZIE_DAN"); }
std::string FONT_PS_(const rt::Runtime& rt) { return textVar(rt, "_FONT_PS"); }
std::string PL_(const rt::Runtime& rt) { return textVar(rt, "_PL"); }
std::string CKON_(const rt::Runtime& rt) { return textVar(rt, "_CKON"); }
std::string VAT_(const rt::Runtime& rt) { return textVar(rt, "_VAT"); }
bool ZMIANA_I_(const rt::Runtime& rt) { return flagVar(rt, "_ZMIANA_I"); }
std::string UWAGA_(const rt::Runtime& rt) { return textVar(rt, "_UWAGA"); }

}  // namespace core
