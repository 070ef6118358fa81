// src/ui/browse/field_reader.cpp — the in-place line editor and the search prompts.
#include "ui/browse/field_reader.hpp"

#include <algorithm>

#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "rt/date_text.hpp"
#include "rt/number_text.hpp"
#include "rt/transform.hpp"
#include "ui/modal_box.hpp"

namespace ui::browse {
namespace {

constexpr int kDictionaryKey = 532;

std::string initialBuffer(Context& c, const FieldRead& f) {
  if (f.value.isText()) return f.value.text();
  if (f.value.isDate()) return rt::dtoc(f.value.date(), c.rt.settings());
  if (f.value.isLogical()) return f.value.logical() ? "T" : "F";
  return rt::transform(f.value, f.picture, c.rt.settings()).value_or(std::string());
}

rt::Value valueOf(Context& c, const FieldRead& f, const std::string& buffer) {
  const rt::Picture p = rt::parsePicture(f.picture);
  if (f.value.isNumber()) {
    std::string digits;
    for (char ch : buffer) {
      if (p.european && ch == '.') continue;
      if (p.european && ch == ',') ch = '.';
      if (!p.european && ch == ',') continue;
      if (ch != ' ') digits += ch;
    }
    const rt::Number n = rt::val(digits);
    const rt::Number& was = f.value.numberParts();
    return rt::Value::number(n.value, was.width, was.decimals);
  }
  if (f.value.isDate()) return rt::Value::date(rt::ctod(buffer, c.rt.settings()));
  if (f.value.isLogical()) return rt::Value::logical(!buffer.empty() && std::string_view("TtYy").find(buffer[0]) != std::string_view::npos);
  std::string text = buffer;
  if (p.upper || p.tmpl.find('!') != std::string::npos) text = rt::upperCp852(text);
  return f.value.type() == rt::Type::Memo ? rt::Value::memo(text) : rt::Value::character(text);
}

void show(Context& c, const FieldRead& f, const std::string& buffer, int pos, int& shift) {
  if (pos < shift) shift = pos;
  if (pos >= shift + f.width) shift = pos - f.width + 1;
  std::string part = buffer.substr(std::min<std::size_t>(shift, buffer.size()));
  part.resize(static_cast<std::size_t>(f.width), ' ');
  c.con.writeCells(f.row, f.col, part, f.attr);
  c.con.moveCursor(f.row, f.col + pos - shift);
}

}  // namespace

ReadEnd readInPlace(Context& c, FieldRead& f) {
  std::string buffer = initialBuffer(c, f);
  if (buffer.empty()) buffer.assign(static_cast<std::size_t>(std::max(f.width, 1)), ' ');
  const int length = static_cast<int>(buffer.size());
  int pos = 0, shift = 0;
  const con::HotKeyCall where{"DOEDIT", 0, {}};
  for (;;) {
    show(c, f, buffer, pos, shift);
    const int k = c.con.waitKey(con::KeyWait::forever(), where);
    bool confirm = false;
    switch (k) {
      case con::key::kEsc: return ReadEnd::Escaped;
      case con::key::kEnter: case con::key::kUp: case con::key::kDown: case con::key::kPgUp: case con::key::kPgDn:
        confirm = true;
        break;
      case con::key::kLeft: pos = std::max(0, pos - 1); break;
      case con::key::kRight: pos = std::min(length - 1, pos + 1); break;
      case con::key::kHome: pos = 0; break;
      case con::key::kEnd: {
        const std::size_t last = buffer.find_last_not_of(' ');
        pos = last == std::string::npos ? 0 : std::min(length - 1, static_cast<int>(last) + 1);
        break;
      }
      case con::key::kBackspace:
        if (pos > 0) {
          buffer.erase(static_cast<std::size_t>(--pos), 1);
          buffer.push_back(' ');
        }
        break;
      case con::key::kDel:
        buffer.erase(static_cast<std::size_t>(pos), 1);
        buffer.push_back(' ');
        break;
      case con::key::kIns: c.insertMode = !c.insertMode; break;
      default:
        if ((k == con::key::function(8) || k == kDictionaryKey) && f.dictionary) {
          f.dictionary();
          break;
        }
        if (k >= 32 && k <= 255) {
          if (c.insertMode) {
            buffer.insert(static_cast<std::size_t>(pos), 1, static_cast<char>(k));
            buffer.pop_back();
          } else {
            buffer[static_cast<std::size_t>(pos)] = static_cast<char>(k);
          }
          if (++pos >= length) {
            pos = length - 1;
            confirm = !c.rt.settings().confirm;
          }
        }
    }
    if (!confirm) continue;
    if (f.assign) f.assign(valueOf(c, f, buffer));
    if (!f.valid || f.valid()) return ReadEnd::Confirmed;
  }
}

std::optional<std::string> askText(Context& c, std::string_view question, int width) {
  const std::string q = " " + std::string(question) + " ";
  const int w = static_cast<int>(q.size()) + width + 1;
  const int left = centredLeft(w);
  ModalBox box(c.con, {kMiddleRow - 1, left - 1, kMiddleRow + 1, left + w}, kBoxColour);
  c.con.writeCells(kMiddleRow, left, q, con::parseColourEntry(kBoxColour));
  FieldRead f;
  f.row = kMiddleRow;
  f.col = left + static_cast<int>(q.size());
  f.width = width;
  f.value = rt::Value::character(std::string(static_cast<std::size_t>(width), ' '));
  f.attr = con::parseColourEntry("W+/N");
  std::string typed;
  f.assign = [&typed](const rt::Value& v) { typed = v.text(); };
  const bool wasInsert = c.insertMode;
  c.insertMode = false;
  const ReadEnd end = readInPlace(c, f);
  c.insertMode = wasInsert;
  if (end == ReadEnd::Escaped) return std::nullopt;
  while (!typed.empty() && typed.back() == ' ') typed.pop_back();
  return typed;
}

}  // namespace ui::browse
