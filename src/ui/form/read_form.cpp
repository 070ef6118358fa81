// src/ui/form/read_form.cpp — the form-reading cycle and the one-field read.
#include "ui/form/read_form.hpp"

#include <optional>

#include "ui/form/cpgetreader.hpp"
#include "ui/form/field_edit.hpp"

namespace ui {
namespace {

bool canTakeFocus(Context& c, const Get& g) { return !g.displayOnly && g.when.holds(c); }

// Focus on `g` until its reader leaves it; the field is drawn without focus afterwards.
struct Visit {
  Exit exit;
  bool assigned;
  rt::Value entry;
};

Visit visit(Context& c, Get& g) {
  FieldEdit fe(c, g);
  if (g.reader)
    g.reader(fe);
  else
    CPGETREADER(fe);
  if (fe.exit() == Exit::Escape) fe.restore();
  Visit v{fe.exit(), fe.assigned(), fe.entryValue()};
  drawGet(c, g);
  return v;
}

}  // namespace

ReadResult readForm(Context& c, std::vector<Get>& gets, const ReadOptions& options) {
  ActiveFormScope scope(c, gets);
  REDISPLAY(c, gets);
  const int n = static_cast<int>(gets.size());
  // The value each changed variable had before the form, for Esc.
  std::vector<std::optional<rt::Value>> before(gets.size());
  ReadResult result;
  const auto finish = [&](FormEnd end) {
    result.end = end;
    if (end == FormEnd::Escaped) {
      for (int i = n - 1; i >= 0; --i) {
        const auto& old = before[static_cast<std::size_t>(i)];
        if (!old) continue;
        gets[static_cast<std::size_t>(i)].var.set(*old);
        drawGet(c, gets[static_cast<std::size_t>(i)]);
      }
      result.updated = false;
    }
    return result;
  };
  int i = 0, step = 1;
  for (;;) {
    if (i < 0) i = 0, step = 1;
    if (i >= n) return finish(FormEnd::Saved);
    Get& g = gets[static_cast<std::size_t>(i)];
    if (!canTakeFocus(c, g)) {
      i += step;
      continue;
    }
    const Visit v = visit(c, g);
    result.lastKey = c.con.lastKey();
    if (v.assigned) {
      result.updated = true;
      if (!before[static_cast<std::size_t>(i)]) before[static_cast<std::size_t>(i)] = v.entry;
    }
    switch (v.exit) {
      case Exit::Escape: return finish(FormEnd::Escaped);
      case Exit::Write: return finish(FormEnd::Saved);
      case Exit::Enter: i += 1, step = 1; break;
      case Exit::Top: i = 0, step = 1; break;
      case Exit::Down:
        step = 1;
        if (i + 1 < n) ++i;
        else if (options.exitAtEdges) return finish(FormEnd::Saved);
        break;
      case Exit::Up:
        step = -1;
        if (i > 0) --i;
        else if (options.exitAtEdges) return finish(FormEnd::Saved);
        break;
      case Exit::None: break;
    }
  }
}

ReadResult readOne(Context& c, Get& get, const ReadOptions& options) {
  ActiveFormScope scope(c, std::span<Get>(&get, 1));
  drawGet(c, get);
  ReadResult result;
  std::optional<rt::Value> before;
  for (;;) {
    if (!canTakeFocus(c, get)) return result;
    const Visit v = visit(c, get);
    result.lastKey = c.con.lastKey();
    if (v.assigned) {
      result.updated = true;
      if (!before) before = v.entry;
    }
    switch (v.exit) {
      case Exit::Escape:
        if (before) {
          get.var.set(*before);
          drawGet(c, get);
        }
        result.updated = false;
        result.end = FormEnd::Escaped;
        return result;
      case Exit::Up:
      case Exit::Down:
        if (options.exitAtEdges) return result;
        break;
      default: return result;
    }
  }
}

}  // namespace ui
