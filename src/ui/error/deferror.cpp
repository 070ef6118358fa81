// src/ui/error/deferror.cpp — ERRORSYS, DEFERROR and ERRORMESSAGE.
#include "ui/error/deferror.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "ui/error/choice_box.hpp"

namespace ui {
namespace {

constexpr int kSharingViolation = 32, kAccessDenied = 5;
constexpr int kQuitExitCode = 1;

std::string two(int n) {
  std::string s = std::to_string(n % 100);
  return s.size() < 2 ? "0" + s : s;
}

bool isNetworkError(const rt::Error& e) {
  if (!e.canDefault) return false;
  if (e.genCode == rt::GenCode::AppendLock) return true;
  return e.genCode == rt::GenCode::Open && (e.osCode == kSharingViolation || e.osCode == kAccessDenied);
}

std::string dosError(int osCode) { return "(DOS Error " + std::to_string(osCode) + ")"; }

// D5: the message and the "Called from" lines.
std::vector<std::string> quitReport(const Context& c, const rt::Error& e) {
  std::string message = ERRORMESSAGE(e);
  if (e.osCode != 0) message += " " + dosError(e.osCode) + " ";
  std::vector<std::string> lines{message};
  for (auto f = c.calls.rbegin(); f != c.calls.rend(); ++f)
    lines.push_back("Called from " + f->routine + "(" + std::to_string(f->line) + ")  ");
  return lines;
}

void writeErrorFile(Context& c, sys::Env& env, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  const std::string path = c.paths.resolve(c.text("_SC") + errorFileName(c.con.time().now()));
  // Appended, not replaced: a second error within the same minute must not wipe the first
  // report. A file that cannot be written is skipped; the text has gone to stderr.
  auto f = env.open(path, sys::Access::ReadWrite, sys::Creation::OpenOrCreate);
  if (!f) return;
  const base::Result<std::uint64_t> end = (*f)->size();
  if (end && (*f)->writeAt(*end, std::as_bytes(std::span(text)))) (void)(*f)->sync();
}

void quit(Context& c, const ErrorSeams& seams, const rt::Error& e) {
  const std::vector<std::string> lines = quitReport(c, e);
  std::string text;
  for (const std::string& l : lines) text += l + "\n";
  if (seams.standardError) seams.standardError(text);
  else std::fputs(text.c_str(), stderr);
  if (seams.env != nullptr) writeErrorFile(c, *seams.env, lines);
  if (seams.endProgram) seams.endProgram(kQuitExitCode);
  else std::exit(kQuitExitCode);
}

enum class Choice { Quit, Retry, Default };

Choice ask(Context& c, const rt::Error& e) {
  std::vector<std::string> lines{ERRORMESSAGE(e)};
  if (e.osCode != 0) lines.push_back(dosError(e.osCode));
  std::vector<std::string> names{"Quit"};
  std::vector<Choice> choices{Choice::Quit};
  if (e.canRetry) names.emplace_back("Retry"), choices.push_back(Choice::Retry);
  if (e.canDefault) names.emplace_back("Default"), choices.push_back(Choice::Default);
  for (;;)
    if (const int n = choiceBox(c, lines, names); n > 0) return choices[static_cast<std::size_t>(n - 1)];
}

}  // namespace

std::string ERRORMESSAGE(const rt::Error& e) {
  std::string s = e.severity > rt::Severity::Warning ? "Error " : "Warning ";
  s += e.subsystem.empty() ? "???" : e.subsystem;
  s += "/";
  s += e.subCode != 0 ? std::to_string(e.subCode) : "???";
  if (!e.description.empty()) s += "  " + e.description;
  if (!e.fileName.empty()) s += ": " + e.fileName;
  else if (!e.operation.empty()) s += ": " + e.operation;
  return s;
}

std::string errorFileName(const sys::CivilTime& t) {
  return two(t.month) + two(t.day) + two(t.hour) + two(t.minute) + ".prn";
}

std::optional<rt::Value> DEFERROR(Context& c, const ErrorSeams& seams, const rt::Error& e) {
  if (e.genCode == rt::GenCode::ZeroDiv) return rt::Value::integer(0);
  if (isNetworkError(e)) {
    c.networkError = true;
    return rt::Value::logical(false);
  }
  switch (ask(c, e)) {
    case Choice::Retry: return rt::Value::logical(true);
    case Choice::Default: return rt::Value::logical(false);
    case Choice::Quit: break;
  }
  quit(c, seams, e);
  return std::nullopt;
}

void ERRORSYS(Context& c, ErrorSeams seams) {
  auto shared = std::make_shared<ErrorSeams>(std::move(seams));
  auto busy = std::make_shared<bool>(false);
  c.rt.setErrorHook([&c, shared, busy](rt::Runtime&, rt::Error& e) -> std::optional<rt::Value> {
    if (*busy) return std::nullopt;  // an error inside the handler is thrown, not handled again
    *busy = true;
    struct Reset {
      bool& flag;
      ~Reset() { flag = false; }
    } reset{*busy};
    return DEFERROR(c, *shared, e);
  });
}

void registerErrorHandler(rt::FunctionTable& fns, Context& c, ErrorSeams seams) {
  fns.add("ERRORSYS", [&c, seams = std::move(seams)](rt::Runtime&, rt::Args&) {
    ERRORSYS(c, seams);
    return rt::Value();
  });
  fns.add("NETERR", [&c](rt::Runtime&, rt::Args& a) {
    if (a[0].isLogical()) c.networkError = a[0].logical();
    return rt::Value::logical(c.networkError);
  });
}

}  // namespace ui
