// src/print/control_codes.cpp — the control sequences of the printer modes.
#include "print/control_codes.hpp"

#include <array>

namespace print {
namespace {

constexpr char kEsc = 0x1B, kSi = 0x0F, kDc2 = 0x12;

std::string esc(std::string_view rest) { return std::string(1, kEsc) + std::string(rest); }

}  // namespace

Dialect dialectOfMode(std::string_view mode) {
  if (mode == "IBM") return Dialect::Ibm;
  if (mode == "HPPCL") return Dialect::Hppcl;
  return Dialect::EscP;
}

int charactersPerInch(int density) {
  constexpr std::array<int, 4> kCpi = {10, 12, 15, 17};
  return kCpi[static_cast<std::size_t>(density < 1 ? 0 : density > 4 ? 3 : density - 1)];
}

std::string resetCode(Dialect d) {
  switch (d) {
    case Dialect::EscP:
    case Dialect::Ibm: return esc("@");
    case Dialect::Hppcl: return esc("E");
    default: return "";
  }
}

std::string densityCode(Dialect d, int density) {
  const int cpi = charactersPerInch(density);
  switch (d) {
    case Dialect::EscP:
      switch (cpi) {
        case 10: return esc("P") + kDc2;
        case 12: return esc("M") + kDc2;
        case 15: return esc("g") + kDc2;
        default: return esc("P") + kSi;
      }
    case Dialect::Ibm:
      switch (cpi) {
        case 10: return std::string(1, kDc2);
        case 12: return esc(":");
        default: return std::string(1, kSi);
      }
    case Dialect::Hppcl: return esc(cpi == 17 ? "(s16.67H" : "(s" + std::to_string(cpi) + "H");
    case Dialect::PageLibrary: return std::string{kEsc, static_cast<char>(cpi)};
    default: return "";
  }
}

std::string orientationCode(Dialect d, bool landscape) {
  return d == Dialect::Hppcl ? esc(landscape ? "&l1O" : "&l0O") : "";
}

std::string attributeCode(Dialect d, Attribute a, bool on) {
  switch (d) {
    case Dialect::EscP:
    case Dialect::Ibm:
      switch (a) {
        case Attribute::Bold: return esc(on ? "E" : "F");
        case Attribute::Italic: return d == Dialect::EscP ? esc(on ? "4" : "5") : "";
        case Attribute::Underline: return esc(on ? "-1" : "-0");
      }
      break;
    case Dialect::Hppcl:
      switch (a) {
        case Attribute::Bold: return esc(on ? "(s3B" : "(s0B");
        case Attribute::Italic: return esc(on ? "(s1S" : "(s0S");
        case Attribute::Underline: return esc(on ? "&d0D" : "&d@");
      }
      break;
    case Dialect::PageLibrary:
      switch (a) {
        case Attribute::Bold: return esc(on ? "B" : "b");
        case Attribute::Italic: return esc(on ? "I" : "i");
        case Attribute::Underline: return esc(on ? "U" : "u");
      }
      break;
    default: break;
  }
  return "";
}

std::optional<std::string> parseCodes(std::string_view text) {
  std::string out;
  int value = -1;
  const auto close = [&]() -> bool {
    if (value < 0) return false;
    out += static_cast<char>(value);
    value = -1;
    return true;
  };
  std::size_t first = text.find_first_not_of(' '), last = text.find_last_not_of(' ');
  if (first == std::string_view::npos) return out;
  for (char ch : text.substr(first, last - first + 1)) {
    if (ch >= '0' && ch <= '9') {
      value = (value < 0 ? 0 : value * 10) + (ch - '0');
      if (value > 255) return std::nullopt;
    } else if (ch == ',' || ch == '/') {
      if (!close()) return std::nullopt;
    } else {
      return std::nullopt;
    }
  }
  if (!close()) return std::nullopt;
  return out;
}

}  // namespace print
