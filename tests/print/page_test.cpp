// The page printing: a print file made into a PDF document (read back with pdftotext), and
// PDF and printer destinations chosen in the print dialog.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "con/key_codes.hpp"
#include "print/page/page_script.hpp"
#include "print/page/text_to_pdf.hpp"
#include "print/print_fixture.hpp"
#include "print/wydruk.hpp"
#include "rt/codepage.hpp"
#include "sys/posix_env.hpp"
#include "testkit/temp_dir.hpp"

namespace {

using rt::literals::operator""_pl;

const std::string kLettersUtf8 = "ąćęłńóśźż ĄĆĘŁŃÓŚŹŻ";

std::string windows1250(const std::string& utf8) {
  return rt::convertPolishLetters(rt::cp852FromUtf8(utf8), rt::CodePage::Cp852, rt::CodePage::Windows1250);
}

// pdftotext's text of a PDF (UTF-8, pages ended by form feeds).
std::string pdfText(const std::string& pdf) {
  const std::string out = pdf + ".txt";
  const std::string command = "pdftotext -layout '" + pdf + "' '" + out + "' 2>&1";
  if (std::system(command.c_str()) != 0) return "(pdftotext failed)";
  std::ifstream in(out, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::size_t count(const std::string& s, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
  return n;
}

TEST(TextToPdf, PolishLettersBoldAndAFormFeedMakeTwoPagesThatReadBack) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  const std::string text = (dir / "PFILE_X").string(), pdf = (dir / "out.pdf").string();
  {
    std::ofstream f(text, std::ios::binary);
    f << "\x1b" "B" << windows1250("Pogrubione " + kLettersUtf8) << "\x1b" "b\r\n"
      << windows1250("Zwykłe " + kLettersUtf8) << "\r\n\f"
      << "\x1b\x11" << windows1250("Strona druga, gęsto: zażółć gęślą jaźń") << "\r\n";
  }
  ASSERT_TRUE(print::page::textToPdf(env, text, pdf, {}));
  const std::string back = pdfText(pdf);
  EXPECT_EQ(count(back, "\f"), 2u) << back;
  const std::string first = back.substr(0, back.find('\f'));
  EXPECT_NE(first.find("Pogrubione " + kLettersUtf8), std::string::npos) << back;
  EXPECT_NE(first.find("Zwykłe " + kLettersUtf8), std::string::npos) << back;
  EXPECT_NE(back.find("Strona druga, gęsto: zażółć gęślą jaźń"), first.size()) << back;
}

TEST(TextToPdf, AMissingFileOrFontFailsAndLeavesNoDocument) {
  testkit::TempDir dir;
  sys::PosixEnv env;
  const std::string text = (dir / "PFILE_X").string(), pdf = (dir / "out.pdf").string();
  EXPECT_TRUE(print::page::textToPdf(env, text, pdf, {}).is(base::Errc::NotFound));
  std::ofstream(text) << "x\r\n";
  print::page::PdfOptions o;
  o.fontFolder = (dir / "nofonts/").string();
  EXPECT_FALSE(print::page::textToPdf(env, text, pdf, o));
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST(DRUKUJ, APdfDestinationMakesADocumentOfTheListInThePdfFolder) {
  printtest::PrintStation s;
  print::Settings settings = printtest::testSettings("PDF LISTA");
  settings.reset = true;  // a printer's reset codes never reach the page library
  s.makeSettings(settings);
  s.makeList(80);  // 11 rows a page: 8 pages
  s.script.key(con::key::kEnter);
  const print::PrintResult r = print::WYDRUK(s.ctx, {"KON", "V1", 2, "SŁOWNIK KONTRAHENTÓW"_pl, {}, {}, {}});
  EXPECT_FALSE(r.stopped);
  const std::string back = pdfText(s.station("PDF/LISTA.pdf"));
  EXPECT_EQ(count(back, "\f"), 8u) << back;
  EXPECT_EQ(count(back, "SŁOWNIK KONTRAHENTÓW"), 8u);
  EXPECT_NE(back.find("Zakład Łączności Źródło 80"), std::string::npos);
  EXPECT_NE(back.find("Strona   8"), std::string::npos);
  EXPECT_NE(back.find("- koniec -"), std::string::npos);
}

TEST(DRUKUJ, APdfTheLibraryCannotMakeSaysSoAndKeepsThePrintFile) {
  printtest::PrintStation s;
  s.makeSettings(printtest::testSettings("PDF LISTA"));
  s.makeList(2);
  std::filesystem::create_directory(s.station("PDF"));
  std::filesystem::create_directory(s.station("PDF/LISTA.pdf"));  // a folder stands where the document would go
  s.script.key(con::key::kEnter).key(con::key::kEnter);
  const print::PrintResult r = print::WYDRUK(s.ctx, {"KON", "V1", 2, "LISTA", {}, {}, {}});
  EXPECT_TRUE(r.stopped);
  EXPECT_TRUE(s.wasShown(12, "Błąd wydruku - PScript !"));
  EXPECT_NE(s.read(s.station("PFILE_X")).find("- koniec -"), std::string::npos);
}

}  // namespace
