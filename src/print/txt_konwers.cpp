// src/print/txt_konwers.cpp — code-page conversions.
#include "print/txt_konwers.hpp"

#include <optional>
#include <span>

#include "print/send.hpp"
#include "rt/codepage.hpp"

namespace print {
namespace {

std::optional<rt::CodePage> pageOfLetter(std::string_view code) {
  if (code.empty()) return std::nullopt;
  switch (rt::upperCp852(code.substr(0, 1))[0]) {
    case 'M': return rt::CodePage::Mazovia;
    case 'L': return rt::CodePage::Cp852;
    case 'S': return rt::CodePage::Plain;
    case 'I': return rt::CodePage::Iso8859_2;
    case 'W': return rt::CodePage::Windows1250;
    default: return std::nullopt;
  }
}

}  // namespace

bool TXT_KONWERS(ui::Context& c, std::string_view file, std::string_view from, std::string_view to) {
  const auto f = pageOfLetter(from), t = pageOfLetter(to);
  if (!f || !t || (*f != rt::CodePage::Mazovia && *f != rt::CodePage::Cp852)) return false;
  sys::Env& env = c.workspace->env();
  auto in = env.open(c.paths.resolve(file), sys::Access::ReadOnly);
  if (!in) return false;
  const std::string target = stationFile(c, "XKONW.TXT");
  const std::string temporary = target + ".$$$";
  auto out = env.open(temporary, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
  if (!out) return false;
  constexpr std::size_t kBlock = 1024;
  std::string block(kBlock, '\0');
  std::uint64_t at = 0;
  base::Status st;
  for (;;) {
    auto n = (*in)->readAt(at, std::as_writable_bytes(std::span(block.data(), block.size())));
    if (!n) {
      st = n.error();
      break;
    }
    if (*n == 0) break;
    const std::string text = rt::convertPolishLetters(std::string_view(block).substr(0, *n), *f, *t);
    st = (*out)->writeAt(at, std::as_bytes(std::span(text.data(), text.size())));
    if (!st) break;
    at += *n;
  }
  if (st) st = (*out)->sync();
  out->reset();
  if (st) st = env.rename(temporary, target);
  if (!st) (void)env.remove(temporary);
  return st.isOk();
}

std::string MAZLAT_STD(std::string_view mazovia) {
  return rt::convertPolishLetters(rt::convertPolishLetters(mazovia, rt::CodePage::Mazovia, rt::CodePage::Cp852),
                                  rt::CodePage::Cp852, rt::CodePage::Plain);
}

std::string MAZLAT_WIN(std::string_view mazovia) {
  return rt::convertPolishLetters(rt::convertPolishLetters(mazovia, rt::CodePage::Mazovia, rt::CodePage::Cp852),
                                  rt::CodePage::Cp852, rt::CodePage::Windows1250);
}

}  // namespace print
