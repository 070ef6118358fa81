// src/rt/memvars.cpp — the binding stacks behind publics and privates.
#include "rt/memvars.hpp"

#include <algorithm>

namespace rt {

namespace {

constexpr std::size_t kNameWidth = 10;

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

Memvars::Scope::Scope(Memvars& vars) : vars_(vars), depth_(vars.scopes_.size()) { vars_.pushScope(); }

Memvars::Scope::~Scope() { vars_.popScopesTo(depth_); }

Memvars::Memvars() { scopes_.emplace_back(); }

Memvars::~Memvars() = default;

std::string Memvars::normalize(std::string_view name) {
  std::string r(name.substr(0, std::min(name.size(), kNameWidth)));
  for (char& c : r) c = upper(c);
  return r;
}

bool Memvars::matchesMask(std::string_view name, std::string_view mask) {
  // Iterative wildcard match with one backtrack point for the last '*'.
  std::size_t n = 0, m = 0, starM = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || upper(mask[m]) == upper(name[n]))) {
      ++n, ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      starM = m++, starN = n;
    } else if (starM != std::string_view::npos) {
      m = starM + 1, n = ++starN;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

void Memvars::pushScope() { scopes_.emplace_back(); }

void Memvars::popScopesTo(std::size_t depth) {
  if (depth == 0) depth = 1;  // the base scope stays
  while (scopes_.size() > depth) {
    const auto d = static_cast<std::int32_t>(scopes_.size() - 1);
    for (Symbol* s : scopes_.back())
      if (!s->stack.empty() && s->stack.back().depth == d) s->stack.pop_back();
    scopes_.pop_back();
  }
}

Memvars::Symbol* Memvars::findSymbol(std::string_view name) const {
  auto it = symbols_.find(normalize(name));
  return it == symbols_.end() ? nullptr : it->second.get();
}

Memvars::Symbol* Memvars::symbol(std::string_view name) {
  std::string key = normalize(name);
  auto& slot = symbols_[key];
  if (!slot) {
    slot = std::make_unique<Symbol>();
    slot->name = std::move(key);
  }
  return slot.get();
}

void Memvars::pushPrivate(Symbol* s, Value value) {
  const auto d = static_cast<std::int32_t>(scopes_.size() - 1);
  if (!s->stack.empty() && s->stack.back().depth == d) {
    s->stack.back().value = std::move(value);
    return;
  }
  s->stack.push_back({std::move(value), d, nextSeq_++});
  scopes_.back().push_back(s);
}

void Memvars::declarePublic(std::string_view name) {
  Symbol* s = symbol(name);
  if (!s->stack.empty()) return;
  s->stack.push_back({Value::logical(false), -1, nextSeq_++});
}

void Memvars::declarePrivate(std::string_view name, Value value) { pushPrivate(symbol(name), std::move(value)); }

Value* Memvars::find(std::string_view name) {
  Symbol* s = findSymbol(name);
  return s ? visible(s) : nullptr;
}

const Value* Memvars::find(std::string_view name) const {
  Symbol* s = findSymbol(name);
  return s ? visible(s) : nullptr;
}

Value Memvars::get(std::string_view name) const {
  const Value* v = find(name);
  return v ? *v : Value();
}

void Memvars::set(std::string_view name, Value value) { assign(symbol(name), std::move(value)); }

void Memvars::assign(Symbol* s, Value value) {
  if (Value* v = visible(s)) {
    *v = std::move(value);
    return;
  }
  pushPrivate(s, std::move(value));
}

void Memvars::release(std::string_view name) {
  Symbol* s = findSymbol(name);
  if (!s || s->stack.empty()) return;
  if (s->stack.back().depth < 0)
    s->stack.pop_back();
  else
    s->stack.back().value = Value();
}

void Memvars::releaseScope(std::string_view mask, MaskMatch match) {
  const auto d = static_cast<std::int32_t>(scopes_.size() - 1);
  for (Symbol* s : scopes_.back()) {
    if (s->stack.empty() || s->stack.back().depth != d) continue;
    if (matchesMask(s->name, mask) == (match == MaskMatch::Like)) s->stack.back().value = Value();
  }
}

void Memvars::releaseAll() {
  for (auto& [key, s] : symbols_) s->stack.clear();
  for (auto& scope : scopes_) scope.clear();
}

std::vector<Memvars::Entry> Memvars::list(std::string_view mask, MaskMatch match) const {
  std::vector<std::pair<std::uint64_t, const Symbol*>> found;
  for (const auto& [key, s] : symbols_)
    if (!s->stack.empty() && matchesMask(s->name, mask) == (match == MaskMatch::Like))
      found.emplace_back(s->stack.back().seq, s.get());
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<Entry> out;
  out.reserve(found.size());
  for (const auto& [seq, s] : found) out.push_back({s->name, s->stack.back().value, s->stack.back().depth < 0});
  return out;
}

}  // namespace rt
