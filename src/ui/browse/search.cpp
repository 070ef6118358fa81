// src/ui/browse/search.cpp — the searches: by the order's key (F3), for a character string
// (F4), for words (F2), and incremental search as printable keys are typed. A search that
// finds nothing says so and leaves the record where it was; one that finds shows the
// record at the top of the view.
#include <algorithm>

#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "rt/date_text.hpp"
#include "rt/number_text.hpp"
#include "ui/browse/engine.hpp"
#include "ui/browse/prompts.hpp"
#include "ui/qke.hpp"
#include "ui/qtn.hpp"

namespace ui::browse {

using rt::literals::operator""_pl;
namespace {

bool allWordsIn(const std::string& haystack, const std::vector<std::string>& words) {
  return std::all_of(words.begin(), words.end(),
                     [&](const std::string& w) { return haystack.find(w) != std::string::npos; });
}

std::vector<std::string> splitWords(const std::string& text, char separator) {
  std::vector<std::string> words;
  std::string word;
  for (const char ch : text + separator) {
    if (ch != separator) {
      word += ch;
      continue;
    }
    const std::size_t a = word.find_first_not_of(' '), b = word.find_last_not_of(' ');
    if (a != std::string::npos) words.push_back(rt::upperCp852(word.substr(a, b - a + 1)));
    word.clear();
  }
  return words;
}

}  // namespace

bool Engine::keyIsText() {
  db::Order* o = area_.controllingOrder();
  if (o == nullptr) return false;
  return area_.workspace().evalIn(area_, o->key()).isText();
}

void Engine::showAtTop() {
  rowPos_ = 0;
  prefix_.clear();
}

bool Engine::incremental(int key) {
  if (!keyIsText()) return false;
  const std::uint32_t saved = area_.recno();
  prefix_ += static_cast<char>(rt::upperCp852(static_cast<unsigned char>(key)));
  const bool found = area_.seek(rt::Value::character(prefix_), db::SeekMode::Soft);
  (void)found;
  if (area_.eof() || !passesRowFilter()) {
    area_.goTo(saved);
    prefix_.pop_back();
    return true;
  }
  rowPos_ = 0;
  return true;
}

// A record passes when the text of its shown columns, upper-cased, holds every word.
std::string Engine::rowText() {
  std::string text;
  for (const Column& col : tableCols_) text += rt::upperCp852(displayText(c_.rt, col, evalColumn(col))) + '\x01';
  return text;
}

void Engine::EDITSEEK() {
  db::Order* o = area_.controllingOrder();
  if (o == nullptr) {
    QKE(c_, "WYSZUKIWANIE WYMAGA POSORTOWANIA KARTOTEKI !"_pl);
    return;
  }
  const rt::Value sample = area_.workspace().evalIn(area_, o->key());
  const auto typed = askText(c_, "WG KLUCZA SORTUJĄCEGO SZUKAJ :"_pl, std::min<int>(o->keySize(), 40));
  if (!typed || typed->empty()) return;
  rt::Value key = rt::Value::character(*typed);
  if (sample.isNumber()) key = rt::Value::number(rt::val(*typed));
  if (sample.isDate()) key = rt::Value::date(rt::ctod(*typed, c_.rt.settings()));
  const std::uint32_t saved = area_.recno();
  if (area_.seek(key, db::SeekMode::Exact) && passesRowFilter()) {
    showAtTop();
    return;
  }
  area_.goTo(saved);
  QKE(c_, "NIE ZNALEZIONO WIERSZA !");
}

void Engine::EDITFIND() {
  const auto typed = askText(c_, "SZUKAJ CIĄGU ZNAKÓW :"_pl, 30);
  if (!typed || typed->empty()) return;
  const std::vector<std::string> words{rt::upperCp852(*typed)};
  const std::uint32_t saved = area_.recno();
  if (!area_.eof()) {
    for (area_.skip(1); !area_.eof(); area_.skip(1))
      if (allWordsIn(rowText(), words)) return showAtTop();
  }
  if (QTN(c_, "Czy kontynuować przeszukiwanie od początku tabeli ?"_pl)) {
    for (area_.goTop(); !area_.eof() && area_.recno() != saved; area_.skip(1))
      if (allWordsIn(rowText(), words)) return showAtTop();
  }
  area_.goTo(saved);
  QKE(c_, "NIE ZNALEZIONO WIERSZA !");
}

void Engine::EDITLOCATE() {
  const auto typed = askText(c_, "SZUKAJ SŁÓW :"_pl, 22);
  if (!typed || typed->empty()) return;
  const auto sep = askText(c_, "SEPARATOR :", 1);
  if (!sep) return;
  const std::vector<std::string> words = splitWords(*typed, sep->empty() ? ' ' : (*sep)[0]);
  const std::uint32_t saved = area_.recno();
  for (area_.goTop(); !area_.eof(); area_.skip(1))
    if (allWordsIn(rowText(), words)) return showAtTop();
  area_.goTo(saved);
  QKE(c_, "Nie znaleziono wiersza !");
}

}  // namespace ui::browse
