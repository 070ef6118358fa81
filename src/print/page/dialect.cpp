// src/print/page/dialect.cpp — ESC/P and IBM codes to the page library's.
#include "print/page/dialect.hpp"

namespace print::page {
namespace {

constexpr char kEsc = 0x1B;

std::string code(char c) { return std::string{kEsc, c}; }

}  // namespace

std::string fromPrinterCodes(std::string_view in) {
  std::string out;
  out.reserve(in.size());
  for (std::size_t i = 0; i < in.size(); ++i) {
    const char ch = in[i];
    if (ch == 0x0F) {  // SI: condensed
      out += code(17);
      continue;
    }
    if (ch == 0x12) {  // DC2: condensed off
      out += code(10);
      continue;
    }
    if (ch != kEsc || i + 1 >= in.size()) {
      out += ch;
      continue;
    }
    const char c = in[++i];
    switch (c) {
      case 'E': out += code('B'); break;
      case 'F': out += code('b'); break;
      case '4': out += code('I'); break;
      case '5': out += code('i'); break;
      case 'P': out += code(10); break;
      case 'M': case ':': out += code(12); break;
      case 'g': out += code(15); break;
      case '-':  // underline: one more byte, 0/1 or '0'/'1'
        if (i + 1 < in.size()) out += code((in[++i] & 1) != 0 ? 'U' : 'u');
        break;
      default: break;  // the reset and others: nothing
    }
  }
  return out;
}

}  // namespace print::page
