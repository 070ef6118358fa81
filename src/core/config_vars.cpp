// src/core/config_vars.cpp — the program-wide variables taken from the configuration record.
#include "core/config_vars.hpp"

#include "core/program_vars.hpp"
#include "rt/codepage.hpp"
#include "rt/number_text.hpp"

namespace core {
namespace {

enum class Shape { AsIs, Trimmed, TrimmedUpper, TrimmedLower };

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

rt::Value shaped(rt::Value v, Shape shape) {
  if (!v.isText() || shape == Shape::AsIs) return v;
  std::string t = trimmed(v.text());
  if (shape == Shape::TrimmedUpper) t = rt::upperCp852(t);
  if (shape == Shape::TrimmedLower) t = rt::lowerCp852(t);
  return rt::Value::character(std::move(t));
}

bool blank(const std::optional<rt::Value>& v) { return !v || v->isEmpty(); }

class Loader {
 public:
  Loader(rt::Runtime& rt, const ConfigField& field) : rt_(rt), field_(field) {}

  // The variable takes the field (shaped) when the table has it.
  void take(std::string_view var, std::string_view name, Shape shape = Shape::AsIs) {
    if (std::optional<rt::Value> v = field_(name)) set(var, shaped(std::move(*v), shape));
  }
  // The variable takes the field (shaped) when present and not blank, else `fallback`.
  void takeOr(std::string_view var, std::string_view name, Shape shape, rt::Value fallback) {
    std::optional<rt::Value> v = field_(name);
    set(var, blank(v) ? std::move(fallback) : shaped(std::move(*v), shape));
  }
  std::optional<rt::Value> field(std::string_view name) const { return field_(name); }
  void set(std::string_view var, rt::Value v) { rt_.vars().set(var, std::move(v)); }
  rt::Runtime& rt() { return rt_; }

 private:
  rt::Runtime& rt_;
  const ConfigField& field_;
};

rt::Value text(std::string s) { return rt::Value::character(std::move(s)); }

// STANOW_ZAM as two digits, whether the field is numeric or character.
std::string twoDigits(const rt::Value& v) {
  const double n = v.isNumber() ? v.num() : v.isText() ? rt::val(v.text()).value : 0;
  return rt::strZero(n, 2);
}

void readFolders(Loader& l) {
  l.take("_KARTOTEKA", "KARTOTEKA", Shape::Trimmed);
  l.take("_KONTO_PH", "KONTO_PH");
  l.takeOr("_KONTA_CE", "KONTA_CE", Shape::Trimmed, text(""));
  l.take("_GDZIE_KV", "GDZIE_KV", Shape::TrimmedUpper);
  l.take("_GDZIE_KON", "GDZIE_KON", Shape::TrimmedUpper);
  l.take("_GDZIE_DAN", "GDZIE_DAN", Shape::TrimmedUpper);
  l.take("_MAIL_CE", "MAIL_CE", Shape::TrimmedLower);
  l.take("_MAIL_SE", "MAIL_SE", Shape::TrimmedLower);
  l.take("_SERWIS", "SERWIS");
  if (std::optional<rt::Value> ftp2 = l.field("FTP2")) l.set("_TMP_FTP", rt::Value::logical(ftp2->isText() && ftp2->text() == "T"));
}

void readPictures(Loader& l) {
  l.take("_FORMAT_IND", "FORMAT_IND", Shape::Trimmed);
  l.take("_FORMAT_ILO", "FORMAT_ILO", Shape::Trimmed);
  l.take("_FORMAT_CEN", "FORMAT_CEN", Shape::Trimmed);
  l.take("_FORMAT_WAR", "FORMAT_WAR", Shape::Trimmed);
  l.takeOr("_FORFAK_ILO", "FORFAK_ILO", Shape::Trimmed, text(FORMAT_ILO_(l.rt())));
  l.takeOr("_FORFAK_CEN", "FORFAK_CEN", Shape::Trimmed, text(FORMAT_CEN_(l.rt())));
  l.take("_FORFAK_WAR", "FORMAT_WAR", Shape::Trimmed);
  l.takeOr("_FORMAT_SWW", "FORMAT_SWW", Shape::Trimmed, text("########"));
  l.set("_ZMIANA_I", rt::Value::logical(FORMAT_IND_(l.rt()).find("99999") == std::string::npos));
}

void readPrices(Loader& l) {
  static constexpr std::string_view kVat[] = {"VAT1", "VAT2", "VAT3", "VAT4", "VAT5", "VAT6", "VAT7"};
  for (std::string_view f : kVat) l.take("_" + std::string(f), f);
  for (char n : {'1', '2', '3'}) {
    const std::string ceny = std::string("CENY_") + n;
    l.take("_" + ceny, ceny);
    const rt::Value kind = l.rt().vars().get("_" + ceny);
    l.set(std::string("_CENA_") + n, text(kind.isText() && kind.text() == "B" ? "brutto" : "netto"));
  }
  l.takeOr("_ZNAKI_UPU", "ZNAKI_UPU", Shape::AsIs, rt::Value::integer(0));
  l.take("_CENNIK_SPR", "CENNIK_SPR");
}

void readRest(Loader& l) {
  l.take("_WERSJA", "WERSJA");
  const rt::Value wersja = l.rt().vars().get("_WERSJA");
  l.set("_TYP_MAR", text(wersja.isText() && wersja.text().size() >= 13 ? wersja.text().substr(12, 1) : ""));
  l.take("_MAG_ZAM", "MAG_ZAM");
  l.takeOr("_SERIA_FAK", "SERIA_FAK", Shape::AsIs, text("01"));
  l.takeOr("_SERIA_PAR", "SERIA_PAR", Shape::AsIs, text("09"));
  l.take("_LICZBA_STA", "LICZBA_STA");
  l.take("_FIRMA_MENU", "FIRMA_MENU", Shape::Trimmed);
  l.takeOr("_HASLO", "HASLO", Shape::AsIs, text(std::string(kDefaultConfigPassword)));
  l.take("_LEN_NAZ", "LEN_NAZ");
  l.take("_LEN_OPI", "LEN_OPI");
  l.take("_OPISY_TOW", "OPISY_TOW");
  l.take("_OPAKOWANIA", "OPAKOWANIA");
  l.takeOr("_FIRMA", "FIRMA", Shape::Trimmed, text(""));
  std::optional<rt::Value> stanowZam = l.field("STANOW_ZAM");
  l.set("_ST_ZAM", text(blank(stanowZam) ? "01" : twoDigits(*stanowZam)));
  l.takeOr("_DOSTAWCY", "DOSTAWCY", Shape::Trimmed, text(""));
  std::optional<rt::Value> stany = l.field("STANY");
  l.set("_STANY", rt::Value::logical(!(stany && stany->isText() && stany->text() == "N")));
  l.takeOr("_FONT_PS", "FONT_PS", Shape::Trimmed, text("Lucida Console"));
  std::optional<rt::Value> pl = l.field("PL");
  const bool knownSet = pl && pl->isText() && !pl->text().empty() &&
                        std::string_view("swlSWM ").find(pl->text()) != std::string_view::npos;
  l.set("_PL", knownSet ? *pl : text(" "));
}

}  // namespace

void readConfigVars(rt::Runtime& rt, const ConfigField& field) {
  Loader l(rt, field);
  readFolders(l);
  readPictures(l);
  readPrices(l);
  readRest(l);
  l.set("_CKON", text(ckonOf(KONTO_PH_(rt))));
  l.set("_VAT", text(vatChoicesOf(rt)));
}

}  // namespace core
