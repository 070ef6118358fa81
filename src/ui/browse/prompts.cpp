// src/ui/browse/prompts.cpp — the cell read and the search questions, both on the form reader.
#include "ui/browse/prompts.hpp"

#include "con/colour.hpp"
#include "con/key_codes.hpp"
#include "ui/form/read_form.hpp"
#include "ui/modal_box.hpp"

namespace ui::browse {
namespace {

constexpr int kDictionaryKey = 532;

// Binds F8 and key 532 to `action` for its lifetime (nothing when it is empty).
class DictionaryKeys {
 public:
  DictionaryKeys(Context& c, const std::function<void()>& action) : c_(c) {
    if (!action) return;
    bound_ = true;
    const con::HotKeyHandler h = [action](const con::HotKeyCall&) { action(); };
    f8_ = c_.con.bindings().bind(con::key::function(8), h);
    k532_ = c_.con.bindings().bind(kDictionaryKey, h);
  }
  ~DictionaryKeys() {
    if (!bound_) return;
    c_.con.bindings().bind(con::key::function(8), f8_);
    c_.con.bindings().bind(kDictionaryKey, k532_);
  }
  DictionaryKeys(const DictionaryKeys&) = delete;
  DictionaryKeys& operator=(const DictionaryKeys&) = delete;

 private:
  Context& c_;
  bool bound_ = false;
  con::HotKeyHandler f8_, k532_;
};

}  // namespace

ReadEnd readCellWithForm(Context& c, FieldRead& f) {
  rt::Value current = f.value;
  Get g;
  g.row = f.row;
  g.col = f.col;
  g.width = f.width;
  g.picture = f.picture;
  g.var = Variable(
      f.name, [&current] { return current; },
      [&current, &f](const rt::Value& v) {
        current = v;
        if (f.assign) f.assign(v);
      });
  if (f.valid) g.valid = [&f](Context&) { return f.valid(); };
  const std::string entry = con::formatColourEntry(f.attr);
  g.colour = entry + "," + entry;
  DictionaryKeys keys(c, f.dictionary);
  ReadOptions options;
  options.exitAtEdges = true;
  const ReadResult r = readOne(c, g, options);
  return r.end == FormEnd::Escaped ? ReadEnd::Escaped : ReadEnd::Confirmed;
}

std::optional<std::string> askText(Context& c, std::string_view question, int width) {
  const std::string q = " " + std::string(question) + " ";
  const int w = static_cast<int>(q.size()) + width + 1;
  const int left = centredLeft(w);
  ModalBox box(c.con, {kMiddleRow - 1, left - 1, kMiddleRow + 1, left + w}, kBoxColour);
  c.con.writeCells(kMiddleRow, left, q, con::parseColourEntry(kBoxColour));
  rt::Value typed = rt::Value::character(std::string(static_cast<std::size_t>(width), ' '));
  Get g;
  g.row = kMiddleRow;
  g.col = left + static_cast<int>(q.size());
  g.width = width;
  g.var = Variable(
      "", [&typed] { return typed; }, [&typed](const rt::Value& v) { typed = v; });
  g.colour = "W+/N,W+/N";
  const bool wasInsert = c.insertMode;
  c.insertMode = false;
  const ReadResult r = readOne(c, g);
  c.insertMode = wasInsert;
  if (r.end == FormEnd::Escaped) return std::nullopt;
  std::string text = typed.isText() ? typed.text() : std::string();
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

}  // namespace ui::browse
