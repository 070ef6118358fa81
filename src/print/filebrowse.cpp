// src/print/filebrowse.cpp — the text viewer.
#include "print/filebrowse.hpp"

#include <algorithm>
#include <optional>
#include <vector>

#include "con/key_codes.hpp"
#include "print/freadln.hpp"
#include "rt/codepage.hpp"
#include "ui/form/read_form.hpp"
#include "ui/modal_box.hpp"

namespace print {
namespace {

using rt::literals::operator""_pl;
namespace k = con::key;

constexpr int kAltF = 289, kAltR = 275;
constexpr int kTabStep = 10;
constexpr int kPromptRow = 24;

std::optional<std::vector<std::string>> readLines(sys::Env& env, const std::string& file) {
  auto f = env.open(file, sys::Access::ReadOnly);
  if (!f) return std::nullopt;
  TextHandle h{**f};
  std::vector<std::string> lines;
  std::string line;
  while (FREADLN(h, line, kViewerLineLength)) lines.push_back(std::move(line));
  return lines;
}

class Viewer {
 public:
  Viewer(ui::Context& c, std::vector<std::string> lines, con::Rect window)
      : c_(c), lines_(std::move(lines)), w_(window) {
    for (const std::string& l : lines_) widest_ = std::max(widest_, static_cast<int>(l.size()));
  }

  void run() {
    for (;;) {
      draw();
      const int key = c_.con.waitKey(con::KeyWait::forever(), con::HotKeyCall{"FILEBROWSE", 0, {}});
      if (key == k::kEsc) return;
      handle(key);
    }
  }

 private:
  int height() const { return w_.bottom - w_.top + 1; }
  int width() const { return w_.right - w_.left + 1; }
  int lastTop() const { return std::max(0, static_cast<int>(lines_.size()) - height()); }

  void draw() {
    c_.con.beginUpdate();
    for (int r = 0; r < height(); ++r) {
      const std::size_t i = static_cast<std::size_t>(top_ + r);
      std::string text = i < lines_.size() && static_cast<std::size_t>(left_) < lines_[i].size()
                             ? lines_[i].substr(static_cast<std::size_t>(left_), static_cast<std::size_t>(width()))
                             : "";
      for (char& ch : text)
        if (static_cast<unsigned char>(ch) < 0x20) ch = ' ';
      text.resize(static_cast<std::size_t>(width()), ' ');
      const bool found = found_ && static_cast<int>(i) == *found_;
      c_.con.writeCells(w_.top + r, w_.left, text, c_.con.attr(found ? con::Slot::Enhanced : con::Slot::Standard));
    }
    c_.con.endUpdate();
  }

  void handle(int key) {
    switch (key) {
      case k::kUp: top_ = std::max(0, top_ - 1); break;
      case k::kDown: top_ = std::min(lastTop(), top_ + 1); break;
      case k::kPgUp: top_ = std::max(0, top_ - height()); break;
      case k::kPgDn: top_ = std::min(lastTop(), top_ + height()); break;
      case k::kCtrlPgUp: top_ = 0; break;
      case k::kCtrlPgDn: top_ = lastTop(); break;
      case k::kLeft: left_ = std::max(0, left_ - 1); break;
      case k::kRight: left_ = std::min(lastLeft(), left_ + 1); break;
      case k::kHome: left_ = 0; break;
      case k::kEnd: left_ = lastLeft(); break;
      case k::kTab: left_ = std::min(lastLeft(), left_ + kTabStep); break;
      case k::kShiftTab: left_ = std::max(0, left_ - kTabStep); break;
      case kAltF: ask(); break;
      case kAltR: next(); break;
      default: break;
    }
  }

  int lastLeft() const { return std::max(0, widest_ - width()); }

  void ask() {
    const std::string saved = c_.con.save(con::Rect{kPromptRow, 0, kPromptRow, 79});
    const std::string prompt = "Podaj szukany tekst:";
    c_.con.clearRow(kPromptRow, 0);
    c_.con.write(kPromptRow, 0, prompt);
    rt::Value text = rt::Value::character(std::string(40, ' '));
    ui::Get get = ui::getOn(kPromptRow, static_cast<int>(prompt.size()) + 1, text, "");
    const bool typed = ui::readOne(c_, get).saved();
    c_.con.restore(con::Rect{kPromptRow, 0, kPromptRow, 79}, saved);
    const std::string wanted = ui::trimmed(text.text());
    if (!typed || wanted.empty()) return;
    wanted_ = rt::upperCp852(wanted);
    found_.reset();
    next();
  }

  void next() {
    if (wanted_.empty()) return;
    const int from = found_ ? *found_ + 1 : top_;
    for (int i = from; i < static_cast<int>(lines_.size()); ++i) {
      if (rt::upperCp852(lines_[static_cast<std::size_t>(i)]).find(wanted_) == std::string::npos) continue;
      found_ = i;
      top_ = std::min(i, lastTop());
      return;
    }
    int count = 0;
    for (const std::string& l : lines_)
      if (rt::upperCp852(l).find(wanted_) != std::string::npos) ++count;
    const std::string end = " Razem liczba wystąpień: "_pl + std::to_string(count) +
                            " - Koniec szukania (naciśnij dowolny klawisz) "_pl;
    const std::string saved = c_.con.save(con::Rect{kPromptRow, 0, kPromptRow, 79});
    c_.con.clearRow(kPromptRow, 0);
    c_.con.write(kPromptRow, 0, end);
    c_.con.inkey(con::KeyWait::forever());
    c_.con.restore(con::Rect{kPromptRow, 0, kPromptRow, 79}, saved);
    found_.reset();
  }

  ui::Context& c_;
  std::vector<std::string> lines_;
  con::Rect w_;
  int top_ = 0, left_ = 0, widest_ = 0;
  std::string wanted_;
  std::optional<int> found_;
};

}  // namespace

bool FILEBROWSE(ui::Context& c, const std::string& file, con::Rect window) {
  auto lines = readLines(c.workspace->env(), file);
  if (!lines) return false;
  const con::CursorShape shape = c.con.setCursorShape(con::CursorShape::None);
  Viewer(c, std::move(*lines), window).run();
  c.con.setCursorShape(shape);
  return true;
}

}  // namespace print
