// src/app/first_run.cpp — the representative's number at the first run of a copy.
#include "app/first_run.hpp"

#include <cstdio>

#include "core/program_vars.hpp"
#include "db/work_area.hpp"
#include "rt/codepage.hpp"
#include "store/use.hpp"
#include "ui/form/read_form.hpp"

namespace app {

namespace {

using namespace rt::literals;

constexpr std::string_view kMailPrefix = "handel", kMailDomain = "zelmoran.pl";
constexpr int kQuestionRow = 10, kQuestionCol = 10;

std::string digits(int n, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, n);
  return buf;
}

// The number question; nullopt after Esc.
std::optional<int> askNumber(Station& st) {
  const std::string question = "Podaj numer przedstawiciela handlowego :"_pl;
  st.con().clearScreen();
  st.con().write(kQuestionRow, kQuestionCol, question);
  rt::Value number = rt::Value::number(0, 2, 0);
  ui::Get get;
  get.row = kQuestionRow;
  get.col = kQuestionCol + static_cast<int>(question.size()) + 1;
  get.var = ui::Variable("NR_PH", [&number] { return number; }, [&number](const rt::Value& v) { number = v; });
  get.picture = "@Z 99";
  get.valid = [&number](ui::Context&) { return number.num() > 0; };
  if (!ui::readOne(st.ctx, get).saved()) return std::nullopt;
  return static_cast<int>(number.num());
}

void fillConfig(Station& st, db::WorkArea& config, int number) {
  const std::string nn = digits(number, 2);
  config.goTop();
  if (config.eof() && !config.appendBlank()) return;
  (void)config.lockRecord();
  (void)config.replace("KONTO_PH", rt::Value::character(digits(number, 5)));
  (void)config.replace("ARCH_1", rt::Value::character("arj a ARC_PH" + nn + ".ARJ *.db? *.mem lzap.exe"));
  (void)config.replace("ARCH_2", rt::Value::character("dir ARC_PH" + nn + ".ARJ"));
  config.commit();
  st.ws.closeAll();
}

void addAccount(Station& st, int number) {
  if (!store::USE_(st.tables, "SL_KONT", "E")) return;
  db::WorkArea& accounts = *st.ws.current();
  const std::string account = digits(number, 5);
  const auto konto = accounts.fieldIndex("KONTO");
  bool found = false;
  for (accounts.goTop(); konto && !accounts.eof(); accounts.skip()) {
    if (accounts.value(*konto).text() == account) {
      found = true;
      break;
    }
  }
  if (!found) {
    if (!accounts.appendBlank()) return st.ws.closeAll();
    (void)accounts.replace("KONTO", rt::Value::character(account));
    (void)accounts.replace("OPIS_KONTA", rt::Value::character("PH " + digits(number, 2)));
    (void)accounts.replace("MAIL", rt::Value::character(representativeMail(number)));
  }
  (void)accounts.replace("AKTYWNY", rt::Value::character("T"));
  accounts.commit();
  st.ws.closeAll();
}

}  // namespace

std::string representativeMail(int number) {
  return std::string(kMailPrefix) + "-ph" + digits(number, 2) + "@" + std::string(kMailDomain);
}

bool firstRunOfRepresentative(Station& st) {
  if (core::KONTO_PH_(st.rt) != "     ") return false;
  if (!store::USE_(st.tables, "CONFIG", "E")) return false;
  const std::optional<int> number = askNumber(st);
  if (!number) {
    st.ws.closeAll();
    throw store::ProgramEnd(0);
  }
  fillConfig(st, *st.ws.current(), *number);
  addAccount(st, *number);
  return true;
}

}  // namespace app
