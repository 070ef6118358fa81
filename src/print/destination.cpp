// src/print/destination.cpp — the destination rules of the "Port/Plik:" entry.
#include "print/destination.hpp"

#include <array>

#include "rt/codepage.hpp"

namespace print {
namespace {

constexpr std::size_t kMaxName = 30;

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return "";
  return std::string(s.substr(first, s.find_last_not_of(' ') - first + 1));
}

bool startsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// The rest of an entry after its prefix, without a ":" or blanks between.
std::string restAfter(std::string_view entry, std::size_t prefix) {
  std::string_view rest = entry.substr(prefix);
  if (!rest.empty() && rest.front() == ':') rest.remove_prefix(1);
  return trimmed(rest);
}

bool deviceName(std::string_view name) {
  constexpr std::array<std::string_view, 4> kDevices = {"CON", "PRN", "AUX", "NUL"};
  for (std::string_view d : kDevices)
    if (name == d) return true;
  return name.size() == 4 && (startsWith(name, "COM") || startsWith(name, "LPT")) && name[3] >= '0' && name[3] <= '9';
}

}  // namespace

bool validFileName(std::string_view name) {
  if (name.empty() || name.size() > kMaxName || deviceName(rt::upperCp852(name))) return false;
  for (char ch : name) {
    const bool letter = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9');
    if (!letter && std::string_view("_-$#!&~").find(ch) == std::string_view::npos) return false;
  }
  return true;
}

base::Result<Destination> classify(std::string_view typed) {
  const std::string entry = rt::upperCp852(trimmed(typed));
  const auto refused = [&](base::Errc e) { return base::Result<Destination>(base::Status(e, entry)); };
  if (entry.empty()) return refused(base::Errc::Invalid);
  if (entry == "STOP" || startsWith(entry, "NAG")) return refused(base::Errc::Refused);
  if (entry == "LPT1" || entry == "LPT2" || entry == "LPT3") return Destination{Kind::Port, entry, entry};
  if (startsWith(entry, "WIN")) return Destination{Kind::Windows, entry, restAfter(entry, 3)};
  if (startsWith(entry, "PDF")) {
    const std::string name = restAfter(entry, 3);
    if (!name.empty() && !validFileName(name)) return refused(base::Errc::Invalid);
    return Destination{Kind::Pdf, entry, name};
  }
  if (entry.front() == '_') {
    if (!validFileName(entry)) return refused(base::Errc::Invalid);
    return Destination{Kind::WindowsFile, entry, entry};
  }
  if (startsWith(entry, "\\\\")) return Destination{Kind::Share, entry, entry};
  if (!validFileName(entry)) return refused(base::Errc::Invalid);
  return Destination{Kind::File, entry, entry};
}

void adjustSettings(Settings& s, const Destination& d) {
  if (d.kind != Kind::Windows && d.kind != Kind::Pdf && d.kind != Kind::WindowsFile) return;
  s.continuous = false;
  s.mode = "ESC/P";
  s.extraCodes.clear();
  if (s.from != "MAZ") s.from = "LAT";
  if (d.kind != Kind::Windows || s.to != "STD") s.to = "WIN";
}

}  // namespace print
