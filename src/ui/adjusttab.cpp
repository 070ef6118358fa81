// src/ui/adjusttab.cpp — ADJUSTTAB: a value as expression text.
#include "ui/adjusttab.hpp"

#include <algorithm>
#include <vector>

#include "rt/number_text.hpp"

namespace ui {
namespace {

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20; }

std::string quoted(const std::string& s) {
  if (std::none_of(s.begin(), s.end(), isControl)) {
    if (s.find('"') == std::string::npos) return '"' + s + '"';
    if (s.find('\'') == std::string::npos) return '\'' + s + '\'';
    if (s.find(']') == std::string::npos) return '[' + s + ']';
  }
  // Quoted runs of ordinary characters, CHR(n) for quotes and control characters.
  std::string out, run;
  auto flush = [&] {
    if (run.empty()) return;
    out += (out.empty() ? "\"" : "+\"") + run + '"';
    run.clear();
  };
  for (char c : s) {
    if (c != '"' && !isControl(c)) {
      run += c;
      continue;
    }
    flush();
    out += (out.empty() ? "CHR(" : "+CHR(") + std::to_string(static_cast<unsigned char>(c)) + ")";
  }
  flush();
  return out;
}

std::string number(const rt::Number& n) {
  std::string s = rt::str(n);
  if (s.find('*') != std::string::npos) s = rt::fixedText(n.value, n.decimals);  // too wide for its width
  if (s.empty()) return "0";                                                      // infinity, NaN
  return s.substr(s.find_first_not_of(' '));
}

void write(const rt::Value& v, std::vector<const rt::Array*>& open, std::string& out) {
  switch (v.type()) {
    case rt::Type::Character:
    case rt::Type::Memo: out += quoted(v.text()); return;
    case rt::Type::Numeric: out += number(v.numberParts()); return;
    case rt::Type::Date: out += "STOD(\"" + v.date().dtos() + "\")"; return;
    case rt::Type::Logical: out += v.logical() ? ".t." : ".f."; return;
    case rt::Type::Array: break;
    case rt::Type::Nil:
    case rt::Type::Block: out += "NIL"; return;
  }
  const rt::Array* items = v.array().get();
  if (std::find(open.begin(), open.end(), items) != open.end()) {
    out += "NIL";
    return;
  }
  open.push_back(items);
  out += '{';
  for (std::size_t i = 0; i < items->size(); ++i) {
    if (i > 0) out += ',';
    write((*items)[i], open, out);
  }
  out += '}';
  open.pop_back();
}

}  // namespace

std::string ADJUSTTAB(const rt::Value& value) {
  std::vector<const rt::Array*> open;  // the lists being written, to stop at one that contains itself
  std::string out;
  write(value, open, out);
  return out;
}

}  // namespace ui
