// src/core/commands.cpp — the command table and its stand-ins.
#include "core/commands.hpp"

#include <array>

#include "ui/menu/ret2.hpp"

namespace core {
namespace {

constexpr std::array kCommands = {
    Command{"EZAM", "EDYCJA ZAMÓWIEŃ"},
    Command{"PZAM", "PRZEGLĄDANIE ZAMÓWIEŃ"},
    Command{"PRZAM", "PRZEGLĄDANIE REALIZACJI ZAMÓWIEŃ"},
    Command{"ENR_ZAM", "EDYCJA AKTYWNYCH NUMERÓW ZAMÓWIEŃ"},
    Command{"SKASUJ_ZAM", "SKASOWANIE ZAMÓWIEŃ ARCHIWALYCH"},
    Command{"SKASUJ_ZNA", "SKASOWANIE ZNACZNIKÓW NOWOŚCI"},
    Command{"EKON", "SŁOWNIK KONTRAHENTÓW"},
    Command{"PTOW", "PRZEGLĄDANIE SŁOWNIKA TOWARÓW"},
    Command{"PGRU_TOW", "SŁOWNIK GRUP TOWARÓW"},
    Command{"PUPU", "PRZEGLĄDANIE TABELI UPUSTÓW DLA ODBIORCÓW"},
    Command{"ESL_KONT", "EDYCJA SŁOWNIKA KONT PRZEDSTAWICIELI HANDLOWYCH"},
    Command{"ZZAM", "ZESTAWIENIE ZAMÓWIEŃ"},
    Command{"ZFAK", "ZESTAWIENIE FAKTUR"},
    Command{"ASO", "RAPORT ASORTYMENTOWY SPRZEDAŻY"},
    Command{"RAP_OMA", "RAPORT O KOMPLETACJI ZAMÓWIEŃ"},
    Command{"ECRM", "EDYCJA DANYCH MODUŁU CRM (Customer Relationship Management)"},
    Command{"ESL_CRM", "EDYCJA SŁOWNIKA ZDARZEŃ MODUŁU CRM"},
    Command{"KCRM", "KASOWANIE DANYCH MODUŁU CRM"},
    Command{"INDEX_CRM", "SORTOWANIE PLIKÓW CRM"},
    Command{"POUFNE", "KONFIGURACJA POCZTY E-MAIL I FTP"},
    Command{"TEST_MAIL", ""},
    Command{"EXPORT_HAN", "UTWORZENIE I EKSPORT DANYCH HANDLOWYCH"},
    Command{"CZYTAJ_HAN", "WCZYTANIE DANYCH HANDLOWYCH DO PROGRAMU Z FOLDERU POŚREDNIEGO"},
    Command{"IMPORT_HAN", "IMPORT DANYCH HANDLOWYCH Z FTP"},
    Command{"ZAPIS_ZAM", "ZAPIS ZAMÓWIEŃ DO FOLDERU POŚREDNIEGO"},
    Command{"EXPORT_ZAM", "EKSPORT ZAMÓWIEŃ"},
    Command{"IMPORT_ZAM", "IMPORT ZAMÓWIEŃ Z FTP DO FOLDERU POŚREDNIEGO"},
    Command{"CZYTAJ_ZAM", "WCZYTANIE ZAMÓWIEŃ Z FOLDERU POŚREDNIEGO"},
    Command{"IMPORT_CRM", "IMPORT I PRZETWORZENIE DANYCH CRM Z FTP"},
    Command{"DRUK_PLI", "PRZEGLĄDANIE I WYDRUK ZAPAMIĘTANYCH PLIKÓW"},
    Command{"ESL_OPE", "EDYCJA SŁOWNIKA OPERATORÓW"},
    Command{"CONFIG", "KONFIGURACJA PODSTAWOWA"},
    Command{"USTAW", "USTALANIE PARAMETRÓW KONFIGURACYJNYCH PROGRAMU"},
    Command{"USTAW_DRUK", "USTAWIANIE GLOBALNYCH PARAMETRÓW WYDRUKÓW"},
    Command{"INDEX", "SORTOWANIE ZBIORÓW"},
    Command{"ARCH", "ARCHIWIZACJA DANYCH"},
    Command{"TMP", ""},
    Command{"RET2", "Opcja w opracowaniu"},
    // Operator administration and the screen framework's own commands.
    Command{"USTAW_DOSTEP", "USTAWIANIE DOSTĘPU DO OPCJI MENU"},
    Command{"ZMIANA_HASLA", "ZMIANA HASŁA OPERATORA"},
    Command{"USTAW_KOLOR", "USTAWIENIE KOLORÓW"},
};

}  // namespace

std::span<const Command> commandTable() { return kCommands; }

void registerCommands(rt::FunctionTable& fns, ui::Context& c) {
  for (const Command& command : kCommands) {
    if (fns.contains(command.name)) continue;
    fns.add(command.name, [&c](rt::Runtime&, rt::Args&) {
      ui::RET2(c);
      return rt::Value();
    });
  }
}

}  // namespace core
