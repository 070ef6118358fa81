// src/ui/form/get.hpp — one field of a form (a `Get`): where it stands, the variable it
// edits, its picture, its entry condition (WHEN) and validation (VALID), its colour and its
// reader. The reading itself is in read_form.hpp; the focused field in field_edit.hpp.
//
// A variable is a getter/setter pair with the name READVAR() reports: a memory variable, a
// table field through the runtime's data source (`alias->field`), an array element, or any
// pair a screen supplies (the table browser edits one cell this way).
#pragma once

#include <functional>
#include <string>
#include <type_traits>

#include "rt/runtime.hpp"
#include "rt/value.hpp"

namespace ui {

struct Context;
class FieldEdit;

class Variable {
 public:
  using Getter = std::function<rt::Value()>;
  using Setter = std::function<void(const rt::Value&)>;

  Variable() = default;
  Variable(std::string name, Getter get, Setter set)
      : name_(std::move(name)), get_(std::move(get)), set_(std::move(set)) {}

  // The visible memory variable `name` (assigning an unknown one makes a private).
  static Variable memvar(rt::Runtime& rt, std::string name);
  // The field `name` of the work area `alias` (empty: the current area), found through the
  // runtime's data source at each access. A missing area or field raises the runtime's
  // error (NoAlias / NoVar), as an expression reading it would.
  static Variable field(rt::Runtime& rt, std::string alias, std::string name);
  // Element `index` (1-based, as in expressions) of `array`; the array is shared, so the
  // element changes in every holder of it. An index outside the array raises a bound error.
  static Variable element(rt::Runtime& rt, rt::Value array, std::size_t index, std::string name = {});

  const std::string& name() const { return name_; }
  rt::Value get() const { return get_ ? get_() : rt::Value(); }
  void set(const rt::Value& v) const {
    if (set_) set_(v);
  }

 private:
  std::string name_;
  Getter get_;
  Setter set_;
};

// An entry condition or a validation: nothing (always true), a C++ callable, or a stored
// expression text compiled through the runtime (once, by its cache). A result that is not
// logical counts as true.
class Condition {
 public:
  using Fn = std::function<bool(Context&)>;
  Condition() = default;
  // Any callable taking the context and giving a bool (implicit, so a lambda can be assigned).
  template <class F, class = std::enable_if_t<std::is_invocable_r_v<bool, F&, Context&>>>
  Condition(F fn) : fn_(std::move(fn)) {}  // NOLINT(google-explicit-constructor)
  static Condition expression(std::string text);
  bool empty() const { return !fn_ && text_.empty(); }
  bool holds(Context& c) const;

 private:
  Fn fn_;
  std::string text_;
};

// A field's reader: runs the focused field until it has an exit (see FieldEdit::exit()).
using Reader = std::function<void(FieldEdit&)>;

struct Get {
  int row = 0, col = 0;
  Variable var;
  std::string picture;
  Condition when, valid;
  // "unselected,selected" colour entries; an empty entry takes the console's unselected
  // (slot 5) or enhanced (slot 2) colour.
  std::string colour;
  Reader reader;             // empty: CPGETREADER, the program's reader of every field
  bool displayOnly = false;  // shown, never given focus
  bool secret = false;       // shown as one "*" per non-blank character (password fields)
  int width = 0;             // screen columns; 0: the picture's @S width, else the buffer's length
};

// A field at (row, col) over a value of the caller's, which must outlive the form.
Get getOn(int row, int col, rt::Value& value, std::string picture);

}  // namespace ui
