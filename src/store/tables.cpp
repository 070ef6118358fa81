// src/store/tables.cpp — the table store's context: names to files, single-user switch, seams.
#include "store/tables.hpp"

#include <chrono>

#include "store/error_log.hpp"
#include "sys/pause.hpp"

namespace store {

Tables::Tables(rt::Runtime& runtime, con::Console& console, sys::PathResolver& resolver, db::Workspace& workspace)
    : rt(runtime), con(console), paths(resolver), ws(workspace) {}

bool Tables::singleUser() const {
  const rt::Value v = rt.vars().get("_LICZBA_STA");
  return v.isNumber() && v.num() >= 1 && v.num() < 2;
}

std::string withExtension(std::string_view name, std::string_view extension) {
  const std::size_t slash = name.find_last_of("\\/:");
  const std::string_view last = slash == std::string_view::npos ? name : name.substr(slash + 1);
  if (last.find('.') != std::string_view::npos) return std::string(name);
  return std::string(name) + std::string(extension);
}

std::string Tables::tablePath(std::string_view name) const { return paths.resolve(withExtension(name, ".DBF")); }
std::string Tables::indexPath(std::string_view name) const { return paths.resolve(withExtension(name, ".NTX")); }
std::string Tables::filePath(std::string_view name) const { return paths.resolve(name); }

std::string Tables::textVar(std::string_view name) const {
  const rt::Value v = rt.vars().get(name);
  return v.isText() ? v.text() : std::string();
}

std::string Tables::stationFolder() const { return textVar("_SC"); }

void Tables::showError(std::string_view text) {
  if (seams.errorDialog) seams.errorDialog(text);
}

bool Tables::confirm(std::string_view question) { return seams.confirm && seams.confirm(question); }

bool Tables::servicePassword() { return seams.servicePassword && seams.servicePassword(); }

void Tables::reportError(std::string_view text, const Caller& where) {
  if (seams.reportError) return seams.reportError(text, where);
  appendErrorLog(*this, text, where);
}

void Tables::endProgram() {
  if (seams.endProgram) seams.endProgram();
  throw ProgramEnd(0);
}

void Tables::waitPass() {
  if (seams.onWaitPass) seams.onWaitPass();
}

void Tables::retryPause() {
  if (seams.retryPause) return seams.retryPause();
  // About one timer tick: often enough to take a lock soon after its release, seldom
  // enough not to load a network drive.
  sys::pause(std::chrono::milliseconds(55));
}

}  // namespace store
