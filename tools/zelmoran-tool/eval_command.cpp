// tools/zelmoran-tool/eval_command.cpp — zelmoran-tool eval [--date YYYYMMDD] [--set NAME=EXPR]... 'EXPRESSION'
// Evaluates one expression with the runtime, the program's own routines registered and no
// tables open, and prints TYPE<TAB>VALUE: text as it is, numbers as STR() shows them
// without the leading blanks, dates as DTOS(), logicals as .T./.F., NIL as NIL. Text in
// and out is UTF-8; the runtime works in CP852. Errors: one line on stderr, status 2.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "commands.hpp"
#include "core/program_vars.hpp"
#include "core/register.hpp"
#include "rt/codepage.hpp"
#include "rt/number_text.hpp"
#include "rt/runtime.hpp"
#include "store/register.hpp"
#include "sys/path.hpp"
#include "sys/posix_env.hpp"
#include "ui/register.hpp"

namespace tool {

namespace {

struct Options {
  std::string dateText;                                     // --date, empty: the default "today"
  std::vector<std::pair<std::string, std::string>> sets;    // --set NAME=EXPR, in order
  std::string expression;
};

int fail(const std::string& message) {
  std::fprintf(stderr, "zelmoran-tool eval: %s\n", message.c_str());
  return 2;
}

// Returns an error message, or "" when the arguments are usable.
std::string parse(Args args, Options& o) {
  bool haveExpression = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--date" || a == "--set") {
      if (i + 1 >= args.size()) return std::string(a) + " needs a value";
      const std::string_view v = args[++i];
      if (a == "--date") {
        o.dateText = std::string(v);
        continue;
      }
      const std::size_t eq = v.find('=');
      if (eq == 0 || eq == std::string_view::npos) return "--set needs NAME=EXPR";
      o.sets.emplace_back(std::string(v.substr(0, eq)), std::string(v.substr(eq + 1)));
    } else if (!haveExpression) {
      o.expression = std::string(a);
      haveExpression = true;
    } else {
      return "more than one expression given";
    }
  }
  return haveExpression ? "" : "no expression given";
}

std::string render(const rt::Value& v) {
  switch (v.type()) {
    case rt::Type::Character:
    case rt::Type::Memo: return rt::utf8FromCp852(v.text());
    case rt::Type::Numeric: {
      const std::string s = rt::str(v.numberParts());
      return s.substr(std::min(s.find_first_not_of(' '), s.size()));
    }
    case rt::Type::Date: return v.date().dtos();
    case rt::Type::Logical: return v.logical() ? ".T." : ".F.";
    case rt::Type::Nil: return "NIL";
    case rt::Type::Array: return "{...}";
    case rt::Type::Block: return "{||...}";
  }
  return "";
}

}  // namespace

int evalCommand(Args args) {
  Options o;
  if (std::string problem = parse(args, o); !problem.empty())
    return fail(problem + " (usage: eval [--date YYYYMMDD] [--set NAME=EXPR]... 'EXPRESSION')");

  // The program's own routines and program-wide variables, with the current folder as the
  // program folder for the routines that read or write files.
  sys::PosixEnv env;
  const sys::PathResolver paths(env, std::filesystem::current_path().string());
  rt::Runtime runtime;
  core::registerCore(runtime.functions());
  store::registerStore(runtime.functions());
  ui::registerUi(runtime.functions(), env, paths);
  core::declareProgramVars(runtime);
  if (!o.dateText.empty()) {
    const rt::Date today = rt::Date::fromDtos(o.dateText);
    if (o.dateText.size() != 8 || today.empty()) return fail("--date wants a real date as YYYYMMDD: " + o.dateText);
    runtime.setNow([today] { return rt::LocalTime{today}; });
  }
  try {
    for (const auto& [name, expr] : o.sets) {
      const std::string cpName = rt::cp852FromUtf8(name);
      rt::Value v = runtime.evaluate(rt::cp852FromUtf8(expr));
      runtime.vars().declarePublic(cpName);
      runtime.vars().set(cpName, std::move(v));
    }
    const rt::Value result = runtime.evaluate(rt::cp852FromUtf8(o.expression));
    std::printf("%c\t%s\n", result.typeLetter(), render(result).c_str());
    return 0;
  } catch (const rt::RuntimeError& e) {
    return fail(rt::utf8FromCp852(e.what()));
  } catch (const base::Fault& e) {  // a routine met a program-wide variable of another type
    return fail(rt::utf8FromCp852(e.what()));
  }
}

}  // namespace tool
