// src/rt/function_table.cpp — name lookup with the classic four-letter abbreviations.
#include "rt/function_table.hpp"

#include <algorithm>

#include "base/check.hpp"
#include "rt/text.hpp"

namespace rt {

Value& Args::ref(std::size_t i) {
  ZEL_CHECK(i < values_.size());
  return values_[i];
}

void FunctionTable::add(std::string_view name, Function f, Abbrev abbrev) {
  std::string key = asciiUpper(name);
  byName_[key] = Entry{key, std::make_shared<Function>(std::move(f)), abbrev, nullptr};
  ++generation_;
}

void FunctionTable::wrap(std::string_view name, const std::function<Function(Function)>& around) {
  auto it = byName_.find(asciiUpper(name));
  ZEL_CHECK(it != byName_.end());
  it->second.fn = std::make_shared<Function>(around(*it->second.fn));
  it->second.text = nullptr;
  ++generation_;
}

void FunctionTable::setTextForm(std::string_view name, TextForm form) {
  auto it = byName_.find(asciiUpper(name));
  ZEL_CHECK(it != byName_.end());
  it->second.text = std::make_shared<const TextForm>(std::move(form));
}

std::shared_ptr<const TextForm> FunctionTable::textForm(std::string_view name) const {
  auto it = byName_.find(asciiUpper(name));
  return it == byName_.end() ? nullptr : it->second.text;
}

const Function* FunctionTable::find(std::string_view name) const {
  const std::string key = asciiUpper(name);
  if (auto it = byName_.find(key); it != byName_.end()) return it->second.fn.get();
  if (key.size() < 4) return nullptr;
  for (const auto& [full, e] : byName_)
    if (e.abbrev == Abbrev::FourLetters && full.size() > key.size() && full.compare(0, key.size(), key) == 0)
      return e.fn.get();
  return nullptr;
}

std::vector<std::string> FunctionTable::names() const {
  std::vector<std::string> out;
  out.reserve(byName_.size());
  for (const auto& [k, e] : byName_) out.push_back(k);
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace rt
