// src/ui/form/field_edit.hpp — the field that has focus: its edit buffer, how it is drawn,
// the standard meaning of every key, and what happens on leaving it. A reader (the field's
// own, CPGETREADER by default) drives it: it takes keys with readKey(), applies them, and
// stops once exit() is set; leave() then decides whether the field may be left.
//
// Leaving (every exit but Esc): a date buffer holding no possible date keeps the focus; a
// changed buffer is stored into the variable; the validation runs (whether or not anything
// changed) and the buffer is re-read from the variable, so a validation may change the
// value; a refused value keeps the focus. Esc gives the variable back the value it had
// when the field took focus.
#pragma once

#include <optional>
#include <span>

#include "con/colour.hpp"
#include "ui/context.hpp"
#include "ui/form/edit_buffer.hpp"
#include "ui/form/get.hpp"

namespace ui {

// How a field was left. Up/Down also stand for Shift+Tab/Tab; Write is PgUp, PgDn or
// Ctrl+W; Top is Ctrl+Home.
enum class Exit { None, Up, Down, Enter, Top, Write, Escape };

class FieldEdit {
 public:
  FieldEdit(Context& c, Get& g);  // the field takes focus: the current form's field is this one
  ~FieldEdit();
  FieldEdit(const FieldEdit&) = delete;
  FieldEdit& operator=(const FieldEdit&) = delete;

  Context& context() { return c_; }
  Get& get() { return g_; }
  EditBuffer& buffer() { return buf_; }
  Exit exit() const { return exit_; }
  void setExit(Exit e) { exit_ = e; }
  // True once this field stored a value into its variable.
  bool assigned() const { return assigned_; }
  const rt::Value& entryValue() const { return entry_; }

  // Draws the buffer in the selected colour (a window of the field's width that follows the
  // cursor) and puts the cursor on the edit position.
  void display();
  // The next key. A bound hot key runs here instead: the changed buffer is stored first
  // and re-read after the handler, which learns the variable's name.
  int readKey();
  // The standard meaning of `key` (moves, edits, exits); the field is redrawn.
  void applyKey(int key);
  // Types one character in the current insert mode; a full field ends with Enter unless
  // the confirm setting is on.
  void typeKey(unsigned char ch);
  // The leaving rules above. False: the focus stays (exit() is None again).
  bool leave();
  // The same with `value` stored in place of the buffer, which is not re-read afterwards
  // (it shows a mask, not the value).
  bool leaveWith(const rt::Value& value);
  // A changed buffer into the variable.
  void assign();
  // Esc: the variable gets back its value from the focus.
  void restore();

 private:
  Context& c_;
  Get& g_;
  rt::Value entry_;
  EditBuffer buf_;
  Exit exit_ = Exit::None;
  bool assigned_ = false;
  int offset_ = 0;  // first buffer position shown
};

// The field drawn without focus: its value under its picture in the unselected colour.
void drawGet(Context& c, const Get& g);
// REDISPLAY: every field redrawn without focus, from the last to the first.
void REDISPLAY(Context& c, std::span<Get> gets);

// The form being read, reachable by the routines its fields call (SZ, SP, REDISPLAY).
struct ActiveForm {
  std::span<Get> gets;
  FieldEdit* field = nullptr;
};

// While alive, `form` is the context's current form; the previous one comes back after.
class ActiveFormScope {
 public:
  ActiveFormScope(Context& c, std::span<Get> gets);
  ~ActiveFormScope() { c_.form = previous_; }
  ActiveFormScope(const ActiveFormScope&) = delete;
  ActiveFormScope& operator=(const ActiveFormScope&) = delete;
  ActiveForm& form() { return form_; }

 private:
  Context& c_;
  ActiveForm form_;
  ActiveForm* previous_;
};

// The field's width on screen.
int shownWidth(const Get& g, const EditBuffer& b);

}  // namespace ui
