// tools/zelmoran-tool/print_command.cpp — print: a stored print file (".prn", made for an
// ESC/P printer) made into a PDF document, as the page library prints it.
//   zelmoran-tool print FILE.prn --pdf OUT.pdf [--from LAT|MAZ|ISO|WIN] [--landscape]
// The Polish letters are taken in the code page --from (default LAT, the program's own).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "commands.hpp"
#include "print/page/dialect.hpp"
#include "print/page/text_to_pdf.hpp"
#include "print/printer.hpp"
#include "sys/posix_env.hpp"

namespace tool {

int printCommand(Args args) {
  std::string file, pdf, from = "LAT";
  bool landscape = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--pdf" && i + 1 < args.size()) {
      pdf = args[++i];
    } else if (a == "--from" && i + 1 < args.size()) {
      from = args[++i];
    } else if (a == "--landscape") {
      landscape = true;
    } else if (file.empty()) {
      file = a;
    } else {
      file.clear();
      break;
    }
  }
  if (file.empty() || pdf.empty()) {
    std::fprintf(stderr, "usage: zelmoran-tool print FILE.prn --pdf OUT.pdf [--from LAT|MAZ|ISO|WIN] [--landscape]\n");
    return 2;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "zelmoran-tool: cannot read %s\n", file.c_str());
    return 2;
  }
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::string text = print::page::fromPrinterCodes(bytes.str());
  const auto table = print::codePageTable(from, "WIN");
  for (char& ch : text) ch = static_cast<char>(table[static_cast<unsigned char>(ch)]);
  const std::string work = pdf + ".txt";
  std::ofstream(work, std::ios::binary) << text;
  sys::PosixEnv env;
  print::page::PdfOptions o;
  o.landscape = landscape;
  o.title = file;
  const base::Status made = print::page::textToPdf(env, work, pdf, o);
  std::remove(work.c_str());
  if (!made) {
    std::fprintf(stderr, "zelmoran-tool: %s\n", made.toString().c_str());
    return 2;
  }
  return 0;
}

}  // namespace tool
