// src/core/kart_ok.cpp — the station folder check of the configuration.
#include "core/kart_ok.hpp"

#include <string>

#include "base/check.hpp"
#include "core/current_record.hpp"
#include "core/program_vars.hpp"
#include "rt/codepage.hpp"
#include "store/dir_exist.hpp"
#include "ui/qtn.hpp"

namespace core {
namespace {

using rt::literals::operator""_pl;

std::string trimmed(std::string s) {
  const std::size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
  return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

}  // namespace

bool KART_OK(ui::Context& c) {
  ZEL_CHECK(c.tables != nullptr);
  const rt::Value prefix = requiredField(c, "KARTOTEKA");
  const std::string folder = trimmed(prefix.isText() ? prefix.text() : std::string()) + "#" + NUMER_STAN(c.rt);
  if (store::DIR_EXIST(*c.tables, folder)) return true;
  c.con.tone(440, 2);
  if (!ui::QTN(c, "Na dysku nie ma kartoteki "_pl + folder + " ! WYJŚCIE Z PROGRAMU ?"_pl)) return false;
  if (c.workspace != nullptr) c.workspace->closeAll();
  (void)c.workspace->env().remove(c.paths.resolve(SC_(c.rt) + "FLAGA"));
  c.tables->endProgram();
}

}  // namespace core
