// src/rt/memvars.hpp — memory variables: publics and privates with dynamic scoping.
//
// A public lives until it is released. A private belongs to the routine that declares it
// (a Memvars::Scope held by that routine) and to everything the routine calls; it hides
// any variable of the same name until the scope ends, when it vanishes and the hidden one
// is visible again. The program's program-wide variables are ordinary publics.
//
// Names are case-insensitive and significant to their first 10 characters (the width of a
// name in a .MEM file): "_KONTO_PH_X" and "_konto_ph_" are the same variable.
//
// Rules kept after every public call:
//   M1  each name has a stack of bindings; the top one is the visible variable.
//   M2  a public binding is always the bottom of its stack (it is created only when the name
//       has no binding at all).
//   M3  a private binding records the scope depth that declared it; ending that scope pops
//       exactly the bindings it declared that are still on top.
//   M4  there is always a base scope (depth 0): privates declared outside any routine live
//       there until releaseAll().
// Not here: .MEM files (they are written and read through list() and set()), expression
// syntax (the compiler resolves names to Symbol handles once).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rt/value.hpp"

namespace rt {

enum class MaskMatch { Like, Except };

class Memvars {
 public:
  // One name's entry. Stable for the life of the Memvars (entries are never erased), so
  // compiled expressions keep a pointer instead of looking the name up on every read.
  struct Symbol;

  // RAII: the privates declared while this is the innermost scope vanish when it ends.
  // Scopes end in the reverse order of their creation.
  class Scope {
   public:
    explicit Scope(Memvars& vars);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    Memvars& vars_;
    std::size_t depth_;
  };

  struct Entry {
    std::string name;  // upper case, at most 10 characters
    Value value;
    bool isPublic = false;
  };

  Memvars();
  ~Memvars();
  Memvars(const Memvars&) = delete;
  Memvars& operator=(const Memvars&) = delete;

  // PUBLIC name: a new public starts as .F.; a name that is already visible (public or
  // private) keeps its variable and value.
  void declarePublic(std::string_view name);
  // PRIVATE name [:= value]: a new private of the innermost scope, hiding any other of the
  // same name. Declaring it again in the same scope assigns the value.
  void declarePrivate(std::string_view name, Value value = Value());

  bool exists(std::string_view name) const { return find(name) != nullptr; }
  // The visible variable, or nullptr.
  Value* find(std::string_view name);
  const Value* find(std::string_view name) const;
  // The visible variable's value; NIL when there is none.
  Value get(std::string_view name) const;
  // Assigns the visible variable; an unknown name becomes a private of the innermost scope.
  void set(std::string_view name, Value value);

  // RELEASE name: a public is removed; a private becomes NIL and keeps hiding the variables
  // below it until its scope ends.
  void release(std::string_view name);
  // RELEASE ALL [LIKE|EXCEPT mask]: the privates of the innermost scope whose names match
  // become NIL, as release() does.
  void releaseScope(std::string_view mask = "*", MaskMatch match = MaskMatch::Like);
  // Every public and private is gone (RESTORE FROM without ADDITIVE).
  void releaseAll();

  // The visible variables whose names match `mask` (`?` one character, `*` any run, no
  // case) or, with MaskMatch::Except, do not; in the order they were created.
  std::vector<Entry> list(std::string_view mask = "*", MaskMatch match = MaskMatch::Like) const;

  // Handles for the compiler: symbol() makes the entry if needed and never fails.
  Symbol* symbol(std::string_view name);
  static Value* visible(Symbol* s);
  // Assigns through a handle; creates a private of the innermost scope when not visible.
  void assign(Symbol* s, Value value);

  // Upper case, first 10 characters.
  static std::string normalize(std::string_view name);
  static bool matchesMask(std::string_view name, std::string_view mask);

 private:
  void pushScope();
  void popScopesTo(std::size_t depth);
  Symbol* findSymbol(std::string_view name) const;
  void pushPrivate(Symbol* s, Value value);

  std::unordered_map<std::string, std::unique_ptr<Symbol>> symbols_;
  std::vector<std::vector<Symbol*>> scopes_;  // declared privates per scope depth
  std::uint64_t nextSeq_ = 0;
};

struct Memvars::Symbol {
  struct Binding {
    Value value;
    std::int32_t depth;  // -1 public, else the scope depth that declared it
    std::uint64_t seq;   // creation order, for list()
  };
  std::string name;
  std::vector<Binding> stack;  // back() is visible
};

inline Value* Memvars::visible(Symbol* s) { return s->stack.empty() ? nullptr : &s->stack.back().value; }

}  // namespace rt
