// src/core/program_vars.hpp — the program-wide variables: public memory variables of the
// runtime that live for the whole run, read by name from stored expressions (menu commands,
// column descriptions, conditions) and through the typed accessors below from C++.
//
// declareProgramVars() creates them with their initial values; start-up, the configuration
// form and the login write them afterwards (rt.vars().set). A name that begins with "_"
// has its underscore moved to the end in C++: _SC is read by SC_(rt).
// Rules:
//   V1  every variable below exists once declareProgramVars() has run; variables the
//       configuration fills hold its defaults until it is read.
//   V2  an accessor of a variable that no longer holds its type (a stored expression
//       assigned something else) raises InternalFault naming the variable.
//   V3  _SC is always _SCL followed by a backslash (setStationFolder writes both).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rt/runtime.hpp"

namespace core {

// Declares every program-wide variable as a public with its initial value, and the
// exchange settings (_FTP_..., _MAIL_...) as empty privates of the current scope.
void declareProgramVars(rt::Runtime& rt);

// NUMER_STAN from the program's argument: none (or an empty one) gives "01", one digit gets a leading "0",
// two digits stay; anything else (longer, or not digits) is no station: nullopt, and the
// program ends without a message.
std::optional<std::string> stationFromArgument(std::optional<std::string_view> argument);

// _SCL = _KARTOTEKA trimmed + "#" + NUMER_STAN (DANE#01), _SC = _SCL + "\\".
void setStationFolder(rt::Runtime& rt);

// The letter of an account: "A" + the value of its characters 4-5 ("00003" -> "D").
std::string ckonOf(std::string_view kontoPh);
// "zw| 0|" followed by _VAT1 .. _VAT7 joined with "|": the VAT codes offered for choice.
std::string vatChoicesOf(const rt::Runtime& rt);

// Station, run and operator.
std::string NUMER_STAN(const rt::Runtime& rt);  // station number, two digits
std::string WER(const rt::Runtime& rt);  // program variant word; menu rows whose UWAGI is empty or holds it are offered
bool INOUT_(const rt::Runtime& rt);
bool NOTY_(const rt::Runtime& rt);
bool UDOCEZAK_(const rt::Runtime& rt);  // purchase prices and margins may be shown
std::string DRU_DOK_(const rt::Runtime& rt);  // identifier of the document being printed (15 characters)
int ALERT_CRM_(const rt::Runtime& rt);  // CRM alert level
std::string WERSJA_(const rt::Runtime& rt);  // variant string: single characters at fixed positions switch features on
std::string NAZWA_PRG_(const rt::Runtime& rt);  // program title
std::string OPERATOR_(const rt::Runtime& rt);  // operator code, set by the login
int NR_OPE_(const rt::Runtime& rt);  // operator number, set by the login; the program's exit code
int PRIORYTET_(const rt::Runtime& rt);  // access level: 9 and more administrator, 10 and more service
std::string BIERNY_(const rt::Runtime& rt);
int TOTAL_(const rt::Runtime& rt);  // steps of the current progress bar
bool STARY_(const rt::Runtime& rt);
double MNOZNIK_(const rt::Runtime& rt);  // price multiplier of the pricing formulas
std::string NAZWISKO_(const rt::Runtime& rt);  // operator's name (22 characters)
bool SZER_(const rt::Runtime& rt);  // when true, SZER spreads text out
std::string MAX_WZ_(const rt::Runtime& rt);
std::string KARTOTEKA_(const rt::Runtime& rt);  // data folder prefix (KARTOTEKA, trimmed)
std::string KONTO_PH_(const rt::Runtime& rt);  // own account: "00000" head office, else a representative
std::string KONTA_CE_(const rt::Runtime& rt);  // accounts handled by head office
std::string SCL_(const rt::Runtime& rt);  // station folder without the trailing backslash (DANE#01)
std::string SC_(const rt::Runtime& rt);  // station folder with the trailing backslash (DANE#01\\)

// Configuration (CONFIG); the values until it is read.
std::string MAG_ZAM_(const rt::Runtime& rt);
std::string SERIA_FAK_(const rt::Runtime& rt);
std::string SERIA_PAR_(const rt::Runtime& rt);
int LICZBA_STA_(const rt::Runtime& rt);  // number of stations; below 2 means single-user working
std::string FIRMA_MENU_(const rt::Runtime& rt);  // company name on the main menu
std::string HASLO_(const rt::Runtime& rt);  // configuration password
std::string FORMAT_IND_(const rt::Runtime& rt);  // display picture of a goods code
std::string FORMAT_ILO_(const rt::Runtime& rt);  // display picture of a quantity
std::string FORMAT_CEN_(const rt::Runtime& rt);  // display picture of a price
std::string FORMAT_WAR_(const rt::Runtime& rt);  // display picture of a value
std::string FORFAK_ILO_(const rt::Runtime& rt);  // invoice picture of a quantity
std::string FORFAK_CEN_(const rt::Runtime& rt);  // invoice picture of a price
std::string FORFAK_WAR_(const rt::Runtime& rt);  // invoice picture of a value
int LEN_NAZ_(const rt::Runtime& rt);
int LEN_OPI_(const rt::Runtime& rt);
std::string OPISY_TOW_(const rt::Runtime& rt);
std::string OPAKOWANIA_(const rt::Runtime& rt);
std::string FIRMA_(const rt::Runtime& rt);
std::string VAT1_(const rt::Runtime& rt);  // VAT rate codes
std::string VAT2_(const rt::Runtime& rt);
std::string VAT3_(const rt::Runtime& rt);
std::string VAT4_(const rt::Runtime& rt);
std::string VAT5_(const rt::Runtime& rt);
std::string VAT6_(const rt::Runtime& rt);
std::string VAT7_(const rt::Runtime& rt);
std::string EKRA_BLO_(const rt::Runtime& rt);  // screen colours
std::string EDIT_BLO_(const rt::Runtime& rt);  // editor colours
std::string SLOW_BLO_(const rt::Runtime& rt);  // dictionary colours
std::string FORMAT_SWW_(const rt::Runtime& rt);
std::string CENY_1_(const rt::Runtime& rt);  // price-list kinds: "B" gross, else net
std::string CENY_2_(const rt::Runtime& rt);
std::string CENY_3_(const rt::Runtime& rt);
std::string CENA_1_(const rt::Runtime& rt);  // "brutto" or "netto" after the matching _CENY_n
std::string CENA_2_(const rt::Runtime& rt);
std::string CENA_3_(const rt::Runtime& rt);
int ZNAKI_UPU_(const rt::Runtime& rt);
std::string CENNIK_SPR_(const rt::Runtime& rt);
std::string TYP_MAR_(const rt::Runtime& rt);  // character 13 of the variant string
std::string ST_ZAM_(const rt::Runtime& rt);  // invoicing program's station for orders, two digits
std::string DOSTAWCY_(const rt::Runtime& rt);
bool STANY_(const rt::Runtime& rt);
std::string MAIL_CE_(const rt::Runtime& rt);  // head office mail address
std::string MAIL_SE_(const rt::Runtime& rt);  // service mail address
std::string SERWIS_(const rt::Runtime& rt);
bool TMP_FTP_(const rt::Runtime& rt);  // second FTP address in use
std::string GDZIE_KV_(const rt::Runtime& rt);  // folder of the invoicing program
std::string GDZIE_KON_(const rt::Runtime& rt);  // folder of its contractor dictionary
std::string GDZIE_DAN_(const rt::Runtime& rt);  // exchange folder
std::string FONT_PS_(const rt::Runtime& rt);
std::string PL_(const rt::Runtime& rt);  // character set of Polish letters in output
std::string CKON_(const rt::Runtime& rt);  // letter of the own account: A head office, B representative 1, ...
std::string VAT_(const rt::Runtime& rt);  // VAT rate codes offered for choice, joined with "|"

// Other.
bool ZMIANA_I_(const rt::Runtime& rt);  // the goods-code picture asks for the code conversion
std::string UWAGA_(const rt::Runtime& rt);

}  // namespace core
