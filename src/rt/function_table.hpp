// src/rt/function_table.hpp — every built-in function and every program operation, called
// by name from stored expressions. Names are case-insensitive. A built-in marked
// Abbrev::FourLetters may be called by any prefix of at least four letters (SUBS for SUBSTR),
// as the classic runtime allows for its own functions.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rt/value.hpp"

namespace rt {

class Runtime;

// The arguments of one call. Reading past the last argument gives NIL (the classic
// runtime's missing argument). An argument passed by reference (@name) is written back
// from its slot when the call returns; a function that changes ref(i) changes the caller's
// variable.
class Args {
 public:
  explicit Args(std::span<Value> values) : values_(values) {}
  std::size_t size() const { return values_.size(); }
  const Value& operator[](std::size_t i) const { return i < values_.size() ? values_[i] : nil(); }
  Value& ref(std::size_t i);  // REQUIRES: i < size()
  std::span<Value> all() const { return values_; }

 private:
  static const Value& nil() {
    static const Value kNil;
    return kNil;
  }
  std::span<Value> values_;
};

using Function = std::function<Value(Runtime&, Args&)>;

// A function of one character argument whose result is character and depends only on that
// text and the runtime's settings and variables may also be given in a text form. Preparing
// the form against a runtime reads once whatever the result depends on there (a setting, a
// variable, a parsed picture) and gives a TextMap; the map writes into `out` the function's
// result for the text `in` as things stood when it was prepared. Index keys over such a
// call are then read from record bytes without building values: one index build prepares
// once, index upkeep before every key. The map must agree with the function, and is used
// only while the runtime it was prepared against lives.
using TextMap = std::function<void(std::string_view in, std::string& out)>;
using TextForm = std::function<TextMap(const Runtime&)>;

enum class Abbrev { FullName, FourLetters };

class FunctionTable {
 public:
  // Registers (or replaces) `name`. Program operations replace placeholders this way.
  void add(std::string_view name, Function f, Abbrev abbrev = Abbrev::FullName);
  // Replaces the function registered under exactly `name` (any case) by around(it), which
  // may run it (a limit or a count around a routine); drops its text form.
  // REQUIRES: `name` is registered.
  void wrap(std::string_view name, const std::function<Function(Function)>& around);
  // The function called `name` (any case), or an abbreviable built-in it abbreviates;
  // nullptr when none. The pointer stays valid until the entry is replaced.
  const Function* find(std::string_view name) const;
  bool contains(std::string_view name) const { return find(name) != nullptr; }
  // Gives the registered `name` its text form; replacing the function drops the form.
  // REQUIRES: `name` is registered.
  void setTextForm(std::string_view name, TextForm form);
  // The text form of the function registered under exactly `name` (any case), if any.
  std::shared_ptr<const TextForm> textForm(std::string_view name) const;
  std::vector<std::string> names() const;
  // Changes whenever an entry is added or replaced, so a cached find() can be re-checked.
  std::uint64_t generation() const { return generation_; }

 private:
  struct Entry {
    std::string name;  // upper case
    std::shared_ptr<Function> fn;
    Abbrev abbrev;
    std::shared_ptr<const TextForm> text;
  };
  std::unordered_map<std::string, Entry> byName_;
  std::uint64_t generation_ = 1;
};

}  // namespace rt
