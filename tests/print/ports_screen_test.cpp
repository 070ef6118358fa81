// Printing to ports: LPT1 mapped to a queue of the test's own CUPS scheduler (the job
// arrives with the letters converted), a port without a mapping, a queue that takes no
// jobs, system printers listed and printed to as PDF; and a printer that fails in the
// middle of a printout (a device that takes part of it), resumed with T or abandoned.
#include <gtest/gtest.h>

#include <fstream>

#include "con/key_codes.hpp"
#include "print/cups_server.hpp"
#include "print/page/cups_queue.hpp"
#include "print/print_fixture.hpp"
#include "print/send.hpp"
#include "print/wydruk.hpp"
#include "rt/codepage.hpp"

namespace {

using con::key::kEnter;
using rt::literals::operator""_pl;

print::ListPrint contractors() { return {"KON", "V1", 2, "SŁOWNIK KONTRAHENTÓW"_pl, {}, {}, {}}; }

void writePorts(printtest::PrintStation& s, const std::string& text) {
  std::ofstream(s.station("PORTY.TXT"), std::ios::binary) << text;
}

TEST(PortPrinting, LPT1MappedToACupsQueueGetsThePrintFileWithTheLettersConverted) {
  printtest::CupsServer cups({{"BIURO"}});
  ASSERT_TRUE(cups.running()) << cups.log();
  printtest::PrintStation s;
  print::Settings settings = printtest::testSettings("LPT1");
  settings.from = "LAT";
  settings.to = "ISO";
  s.makeSettings(settings);
  writePorts(s, "# stanowisko 01\nCUPS = " + cups.address() + "\nLPT1 = cups:BIURO\n");
  s.makeList(3);
  s.script.key(kEnter).key(kEnter);  // WYDRUK; "Przygotuj drukarkę !"
  const print::PrintResult r = print::WYDRUK(s.ctx, contractors());
  EXPECT_FALSE(r.stopped);
  EXPECT_TRUE(s.wasShown(12, "Przygotuj drukarkę !"));
  const std::string sent = s.read(s.station("PFILE_X"));
  const std::string got = cups.received("BIURO", sent.size());
  EXPECT_EQ(got, sent) << cups.log();
  EXPECT_NE(got.find("\xA3\xF3" "d\xBC"), std::string::npos) << "Łódź in ISO 8859-2";
  EXPECT_TRUE(print::PRINTER_OK(s.ctx, "LPT1"));
  EXPECT_TRUE(print::PRINTER_OK(s.ctx, "RAPORT")) << "a file is always ready";
}

TEST(PortPrinting, APortWithoutAMappingSaysSoAndSendsNothing) {
  printtest::PrintStation s;
  s.makeSettings(printtest::testSettings("LPT2"));
  writePorts(s, "LPT1 = /dev/null\n");
  s.makeList(2);
  s.script.key(kEnter).key(kEnter).key(kEnter);  // WYDRUK; ready; the message
  const print::PrintResult r = print::WYDRUK(s.ctx, contractors());
  EXPECT_TRUE(r.again);
  EXPECT_TRUE(r.stopped);
  EXPECT_TRUE(s.wasShownAnywhere("Sprawdź czy skonfigurowane jest drukowanie do portu LPT2"));
  EXPECT_FALSE(print::PRINTER_OK(s.ctx, "LPT2"));
}

TEST(PortPrinting, AQueueThatTakesNoJobsAsksWhetherToTryAgain) {
  printtest::CupsServer cups({{"STOJI", false}});
  ASSERT_TRUE(cups.running()) << cups.log();
  printtest::PrintStation s;
  s.makeSettings(printtest::testSettings("LPT3"));
  writePorts(s, "CUPS = " + cups.address() + "\nLPT3 = cups:STOJI\n");
  s.makeList(2);
  s.script.key(kEnter).key(kEnter).type("t").type("n");  // WYDRUK; ready; try again; give up
  const print::PrintResult r = print::WYDRUK(s.ctx, contractors());
  EXPECT_TRUE(r.stopped);
  EXPECT_TRUE(s.wasShown(12, "Drukarka nie jest gotowa  -  ponowienie próby wydruku ? (T/N)"));
  EXPECT_EQ(s.read(cups.device("STOJI")), "");
}

TEST(PortPrinting, SystemPrintersAreListedAndAWindowsPrintoutArrivesAsPdf) {
  printtest::CupsServer cups({{"HP"}, {"BIURO"}});
  ASSERT_TRUE(cups.running()) << cups.log();
  auto names = print::page::printerNames(cups.address());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"BIURO", "HP"}));
  printtest::PrintStation s;
  s.makeSettings(printtest::testSettings("WIN:HP"));
  writePorts(s, "CUPS = " + cups.address() + "\n");
  s.makeList(2);
  s.script.key(kEnter).key(kEnter);
  const print::PrintResult r = print::WYDRUK(s.ctx, contractors());
  EXPECT_FALSE(r.stopped);
  EXPECT_EQ(cups.received("HP", 5).substr(0, 5), "%PDF-");
}

// A printer that takes `first` bytes, then fails until it has been polled `failures` times.
class FailingPort final : public print::Port {
 public:
  FailingPort(std::size_t first, int failures) : first_(first), failures_(failures) {}
  print::Readiness readiness() override {
    return failed_ && polls_++ < failures_ ? print::Readiness::NotReady : print::Readiness::Ready;
  }
  base::Status write(std::string_view bytes, std::size_t& sent) override {
    if (!failed_ && sent + bytes.size() > first_) {
      taken_ += bytes.substr(sent, first_ - sent);
      sent = first_;
      failed_ = true;
      return base::Status(base::Errc::Io, "paper out");
    }
    taken_ += bytes.substr(sent);
    sent = bytes.size();
    return base::Status::ok();
  }
  std::string taken_;

 private:
  std::size_t first_;
  int failures_, polls_ = 0;
  bool failed_ = false;
};

TEST(PRINTERROR, TResumesWhereThePrinterStoppedAndNAbandons) {
  const std::string bytes = "wiersz pierwszy\r\nwiersz drugi\r\nwiersz trzeci\r\n";
  struct Case {
    const char* answer;
    print::Sent result;
    std::string taken;
  };
  const Case cases[] = {{"T", print::Sent::Printed, bytes}, {"t", print::Sent::Printed, bytes},
                        {"N", print::Sent::Abandoned, bytes.substr(0, 20)}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.answer);
    printtest::PrintStation s;
    FailingPort port(20, 3);
    s.script.waitSeconds(5).type(k.answer);
    EXPECT_EQ(print::sendToPort(s.ctx, &port, "LPT1", bytes), k.result);
    EXPECT_EQ(port.taken_, k.taken);
    EXPECT_TRUE(s.wasShownAnywhere("Drukarka jest sprawna !"));
  }
}

TEST(PRINTERROR, AKeyWhileThePrinterIsStillBrokenAbandons) {
  printtest::PrintStation s;
  FailingPort port(5, 1000000);
  s.script.key(kEnter);
  EXPECT_EQ(print::sendToPort(s.ctx, &port, "LPT1", "0123456789"), print::Sent::Abandoned);
  EXPECT_EQ(port.taken_, "01234");
  EXPECT_FALSE(s.wasShownAnywhere("Drukarka jest sprawna !"));
}

}  // namespace
