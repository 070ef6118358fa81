// tests/xbase/ntx_fixture.cpp — expected index contents from the reference dumps.
#include "xbase/ntx_fixture.hpp"

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "testkit/temp_dir.hpp"

namespace xbase::test {
namespace {

std::string unescape(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] != '\\' || i + 1 == s.size()) {
      out += s[i];
      continue;
    }
    const char c = s[++i];
    if (c == 't') out += '\t';
    else if (c == 'r') out += '\r';
    else if (c == 'n') out += '\n';
    else if (c == 'x') {
      out += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else out += c;
  }
  return out;
}

std::vector<std::string> splitTabs(const std::string& line) {
  std::vector<std::string> parts;
  std::string cur;
  for (char c : line) {
    if (c == '\t') {
      parts.push_back(cur);
      cur.clear();
    } else cur += c;
  }
  parts.push_back(cur);
  return parts;
}

}  // namespace

const std::string& DumpTable::value(std::size_t row, const std::string& field) const {
  const auto it = std::find(names.begin(), names.end(), field);
  if (it == names.end()) throw std::runtime_error("no field " + field);
  return rows[row][static_cast<std::size_t>(it - names.begin())];
}

DumpTable readDump(const std::string& fixtureName) {
  std::istringstream in(testkit::readFile(testkit::fixture(fixtureName)));
  DumpTable t;
  std::string line;
  std::getline(in, line);
  const auto head = splitTabs(line);
  for (std::size_t i = 2; i < head.size(); ++i) t.names.push_back(head[i].substr(0, head[i].find(':')));
  while (std::getline(in, line)) {
    auto parts = splitTabs(line);
    std::vector<std::string> row;
    for (std::size_t i = 2; i < parts.size(); ++i) row.push_back(unescape(parts[i]));
    t.rows.push_back(std::move(row));
  }
  return t;
}

std::string numericKeyOf(const std::string& fieldText) {
  const bool negative = fieldText.find('-') != std::string::npos;
  std::string key;
  for (char c : fieldText) {
    if (c == ' ' || c == '-') c = '0';
    if (negative && c >= '0' && c <= '9') c = static_cast<char>(0x2C - (c - '0'));
    key += c;
  }
  return key;
}

std::vector<KeyRec> expectedKeys(const std::string& ntx) {
  const bool orders = ntx.rfind("ORD", 0) == 0, all = ntx.rfind("ALL", 0) == 0;
  const DumpTable t = readDump(orders ? "ORDERS.dump.tsv" : all ? "ALLTYPES.dump.tsv"
                               : ntx == "BIGKOD.NTX" ? "BIG.dump.tsv" : "BIGINC.dump.tsv");
  std::vector<KeyRec> out;
  for (std::size_t r = 0; r < t.rows.size(); ++r) {
    auto v = [&](const char* f) { return t.value(r, f); };
    std::string key;
    if (ntx == "ORDKEY.NTX") key = v("KONTO") + v("DATA_ZAM") + v("NR_ZAM") + v("TYP") + v("INDEKS");
    else if (ntx == "ORDNAZ.NTX" || ntx == "ORDNAZPL.NTX") key = v("NAZWA_TOW");
    else if (ntx == "ORDILO.NTX") key = numericKeyOf(v("ILO_ZAM"));
    else if (ntx == "ORDDAT.NTX") key = v("DATA_ZAM");
    else if (ntx == "ORDKONU.NTX" || ntx == "ORDKOND.NTX") key = v("NR_KON");
    else if (ntx == "ORDPOZ.NTX") {
      if (v("TYP") != "P") continue;
      key = v("INDEKS");
    } else if (ntx == "ALLNDEC.NTX") key = numericKeyOf(v("N_DEC"));
    else if (ntx == "ALLNNEG.NTX") key = numericKeyOf(v("N_NEG"));
    else if (ntx == "ALLDATE.NTX") key = v("D_DATE");
    else if (ntx == "ALLTEXT.NTX") key = v("C_TEXT");
    else key = v("KOD");
    out.push_back({key, static_cast<std::uint32_t>(r + 1)});
  }
  const bool descending = ntx == "ORDKOND.NTX";
  std::stable_sort(out.begin(), out.end(), [&](const KeyRec& a, const KeyRec& b) {
    return descending ? a.key > b.key : a.key < b.key;
  });
  if (ntx == "ALLTEXT.NTX" || ntx == "ORDKONU.NTX")
    out.erase(std::unique(out.begin(), out.end(), [](const KeyRec& a, const KeyRec& b) { return a.key == b.key; }),
              out.end());
  return out;
}

}  // namespace xbase::test
