// src/ui/ustaw_kolor.cpp — the colour editor. Keys: Up/Down step the text colour forward /
// back through the sixteen codes (wrapping 16 to 1 and 1 to 16; an unknown code steps to
// the first or last), Right/Left the background, Home/End the highlighted text, PgUp/PgDn
// the highlighted background; M monochrome, I inversion; Tab the next section.
// Saved strings: _EKRA_BLO "t/b,ht/hb, N/N"; _EDIT_BLO and _SLOW_BLO
// "t/b,ht/hb,N/N,,,,,W+/" followed by the section's background code.
#include "ui/ustaw_kolor.hpp"

#include <cstdio>
#include <string>

#include "con/box.hpp"
#include "con/key_codes.hpp"
#include "rt/codepage.hpp"
#include "rt/mem_save_restore.hpp"
#include "ui/modal_box.hpp"
#include "ui/operation.hpp"
#include "ui/qke.hpp"

namespace ui {
namespace {

using rt::literals::operator""_pl;

constexpr std::string_view kVariables[3] = {"_EKRA_BLO", "_EDIT_BLO", "_SLOW_BLO"};
constexpr std::string_view kMask = "_????_blo";
constexpr std::string_view kMarked = "N/W";
constexpr int kSectionColumn[3] = {13, 36, 60};

int indexOf(std::string_view code) {
  const std::string c = rt::upperCp852(trimmed(code));
  for (std::size_t i = 0; i < kColourCodes.size(); ++i)
    if (kColourCodes[i] == c) return static_cast<int>(i) + 1;
  return 0;
}

std::string_view codeOf(int index) { return index >= 1 && index <= 16 ? kColourCodes[index - 1] : "N"; }

int step(int index, int by) {
  if (by > 0) return index >= 16 ? 1 : index + 1;
  return index <= 1 ? 16 : index - 1;
}

std::string entry(int fore, int back) { return std::string(codeOf(fore)) + "/" + std::string(codeOf(back)); }

std::string colourString(int section, const ColourIndexes& x) {
  const std::string base = entry(x.text, x.back) + "," + entry(x.hiText, x.hiBack);
  if (section == 0) return base + ", N/N";
  return base + ",N/N,,,,,W+/" + std::string(codeOf(x.back));
}

void readIndexes(Context& c) {
  for (int s = 0; s < 3; ++s) c.colourEditor.sections[s] = colourIndexes(c.text(kVariables[s]));
  c.colourEditor.known = true;
}

// --- drawing ---

struct Attrs {
  con::Attr plain, marked;
};

Attrs attrsOf(const ColourIndexes& x) {
  return {con::parseColourEntry(entry(x.text, x.back)), con::parseColourEntry(entry(x.hiText, x.hiBack))};
}

std::string today(const Context& c) {
  const sys::CivilTime t = c.con.time().now();
  char s[16];
  std::snprintf(s, sizeof s, "%02d.%02d.%02d", t.day, t.month, t.year % 100);
  return s;
}

void drawScreenSample(Context& c) {
  const Attrs a = attrsOf(c.colourEditor.sections[0]);
  c.con.box({3, 3, 20, 77}, std::string(con::kSingleFrame) + " ", a.plain);
  c.con.writeCells(12, 6, "Data :", a.plain);
  c.con.writeCells(12, 13, today(c), a.marked);
}

// A list sample: a box with a heading rule at row 7 and a column rule from row 8 to 18.
void drawListSample(Context& c, int section, int left, std::string_view frame, std::string_view junctions) {
  const Attrs a = attrsOf(c.colourEditor.sections[section]);
  const int right = left + 20, rule = left + 8;
  c.con.box({4, left, 19, right}, std::string(frame) + " ", a.plain);
  // junctions: rule left end, rule line, rule right end, column top, column line, column bottom
  c.con.writeCells(7, left, std::string(1, junctions[0]) + std::string(19, junctions[1]) + junctions[2], a.plain);
  c.con.writeCells(7, rule, std::string(1, junctions[3]), a.plain);
  for (int r = 8; r <= 18; ++r) c.con.writeCells(r, rule, std::string(1, junctions[4]), a.plain);
  c.con.writeCells(19, rule, std::string(1, junctions[5]), a.plain);
  c.con.writeCells(5, left + 1, "Liczba", a.plain);
  c.con.writeCells(5, rule + 1, "Tekst", a.plain);
  c.con.writeCells(8, left + 1, " 123.45", a.marked);
  c.con.writeCells(8, rule + 1, "TEKST      ", a.marked);
  c.con.writeCells(9, left + 1, "   7.00", a.plain);
  c.con.writeCells(9, rule + 1, "TEKST      ", a.plain);
}

void drawSamples(Context& c) {
  c.con.beginUpdate();
  drawScreenSample(c);
  drawListSample(c, 1, 30, con::kDoubleFrame, "\xCC\xCD\xB9\xCB\xBA\xCA");   // ╠═╣ ╦ ║ ╩
  drawListSample(c, 2, 55, con::kSingleFrame, "\xC3\xC4\xB4\xC2\xB3\xC1");   // ├─┤ ┬ │ ┴
  c.con.endUpdate();
}

void drawSections(Context& c) {
  static const std::string kNames[3] = {"EKRAN", "KARTOTEKA", "SŁOWNIK (F8)"_pl};
  const con::Attr base = c.con.attr(con::Slot::Standard), marked = con::parseColourEntry(kMarked);
  for (int s = 0; s < 3; ++s)
    c.con.writeCells(2, kSectionColumn[s], kNames[s], s == c.colourEditor.section ? marked : base);
}

void legend(Context& c, int row, int col, std::string_view keys, std::string_view words) {
  const con::Attr base = c.con.attr(con::Slot::Standard), marked = con::parseColourEntry(kMarked);
  c.con.writeCells(row, col, keys, marked);
  c.con.writeCells(row, col + width(keys) + 1, words, base);
}

// The keys on rows 22 and 24 under the title the operation wrote.
void drawEditorKeys(Context& c) {
  const con::Attr base = c.con.attr(con::Slot::Standard), marked = con::parseColourEntry(kMarked);
  c.con.writeCells(22, 2, "\x18", marked);
  c.con.writeCells(22, 4, "\x19", marked);
  c.con.writeCells(22, 6, "Tekst", base);
  c.con.writeCells(22, 15, "\x1A", marked);
  c.con.writeCells(22, 17, "\x1B", marked);
  c.con.writeCells(22, 19, "Tło"_pl, base);
  legend(c, 22, 25, "Home", "");
  legend(c, 22, 30, "End", "Tekst wyróżniony"_pl);
  legend(c, 22, 67, "Z", "Zapis");
  legend(c, 24, 2, "PgUp", "");
  legend(c, 24, 7, "PgDn", "Tło wyróżnione"_pl);
  legend(c, 24, 28, "Tab", "Tabela");
  legend(c, 24, 40, "M", "");
  legend(c, 24, 42, "I", "Mono (Inwersja)");
  legend(c, 24, 65, "Esc", "Rezygnacja");
  drawSections(c);
}

// --- saving ---

bool saveTo(Context& c, const std::string& dosName) {
  const std::filesystem::path path = rt::memFilePath(c.paths.resolve(dosName));
  if (rt::saveMemFile(c.rt.vars(), path, kMask).isOk()) return true;
  QKE(c, "Nie można zapisać kolorów do pliku "_pl + path.string());
  return false;
}

void save(Context& c) {
  for (int s = 0; s < 3; ++s) c.setPublic(kVariables[s], rt::Value::character(colourString(s, c.colourEditor.sections[s])));
  saveTo(c, c.text("_SC") + "ekran");
  saveTo(c, "dorvik");
}

}  // namespace

ColourIndexes colourIndexes(std::string_view s) {
  const auto field = [](std::string_view t, std::size_t from, char stop) {
    const std::size_t end = t.find(stop, from);
    return std::pair(t.substr(from, end == std::string_view::npos ? t.size() - from : end - from), end);
  };
  ColourIndexes x;
  const auto [text, slash] = field(s, 0, '/');
  if (slash == std::string_view::npos) return {indexOf(text), 0, 0, 0};
  const auto [back, comma] = field(s, slash + 1, ',');
  x.text = indexOf(text);
  x.back = indexOf(back);
  if (comma == std::string_view::npos) return x;
  const auto [hiText, slash2] = field(s, comma + 1, '/');
  x.hiText = indexOf(hiText);
  if (slash2 == std::string_view::npos) return x;
  x.hiBack = indexOf(field(s, slash2 + 1, ',').first);
  return x;
}

EditorStep ZMIEN(Context& c, int key) {
  namespace k = con::key;
  if (!c.colourEditor.known) readIndexes(c);
  ColourEditorState& e = c.colourEditor;
  ColourIndexes& x = e.sections[e.section];
  switch (key) {
    case k::kUp: x.text = step(x.text, +1); break;
    case k::kDown: x.text = step(x.text, -1); break;
    case k::kRight: x.back = step(x.back, +1); break;
    case k::kLeft: x.back = step(x.back, -1); break;
    case k::kHome: x.hiText = step(x.hiText, +1); break;
    case k::kEnd: x.hiText = step(x.hiText, -1); break;
    case k::kPgUp: x.hiBack = step(x.hiBack, +1); break;
    case k::kPgDn: x.hiBack = step(x.hiBack, -1); break;
    case 'M': case 'm': x = {12, 1, 1, 12}; break;
    case 'I': case 'i': x = {1, 12, 12, 1}; break;
    case k::kTab: e.section = (e.section + 1) % 3; break;
    case 'Z': case 'z': return EditorStep::Save;
    case k::kEsc: return EditorStep::Cancel;
    default: return EditorStep::Continue;
  }
  c.con.beginUpdate();
  drawSections(c);
  drawSamples(c);
  c.con.endUpdate();
  return EditorStep::Continue;
}

void USTAW_KOLOR(Context& c) {
  const std::string screen = c.con.save();
  const std::string colour = c.con.colour();
  const con::Cursor cursor = c.con.cursor();
  readIndexes(c);
  c.colourEditor.section = 0;
  c.con.setCursorShape(con::CursorShape::None);
  c.con.beginUpdate();
  Operation op(c, "USTAWIENIE KOLORÓW"_pl);
  drawEditorKeys(c);
  drawSamples(c);
  c.con.endUpdate();
  EditorStep step = EditorStep::Continue;
  while (step == EditorStep::Continue) step = ZMIEN(c, c.con.inkey(con::KeyWait::forever()));
  c.con.beginUpdate();
  c.con.restore(con::Rect::whole(), screen);
  c.con.setColour(colour);
  c.con.moveCursor(cursor.row, cursor.col);
  c.con.setCursorShape(cursor.shape);
  c.con.endUpdate();
  if (step == EditorStep::Save) {
    save(c);
    c.con.setColour(c.text("_EKRA_BLO"));
  }
}

}  // namespace ui
