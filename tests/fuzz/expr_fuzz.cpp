// tests/fuzz/expr_fuzz.cpp — arbitrary text into the expression compiler; what compiles is
// evaluated too, with a few variables, an in-memory record and a bounded amount of work.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/fault.hpp"
#include "rt/runtime.hpp"

namespace {

// Built-ins whose cost grows with an argument (strings and arrays built from a count); the
// fuzzer would otherwise spend its time building 64 KiB strings in loops of blocks.
bool mayRunAway(std::string_view text) {
  for (std::string_view w : {"REPL", "SPAC", "PAD", "ARRA", "ASIZ", "AFIL", "STRT", "TRAN", "AINS", "AADD", "ACLO"}) {
    for (std::size_t i = 0; i + w.size() <= text.size(); ++i) {
      bool same = true;
      for (std::size_t k = 0; k < w.size() && same; ++k) {
        char c = text[i + k];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        same = c == w[k];
      }
      if (same) return true;
    }
  }
  return false;
}

// Blocks can call themselves twice per level: exponential work within the nesting limit.
// Every built-in that runs blocks is wrapped to stop after a fixed number of calls.
void limitBlockCalls(rt::Runtime& rt, int& budget) {
  for (const char* name : {"EVAL", "AEVAL", "ASCAN", "ASORT"}) {
    rt.functions().wrap(name, [&budget](rt::Function inner) {
      return [inner, &budget](rt::Runtime& r, rt::Args& a) {
        if (--budget < 0) throw rt::RuntimeError(rt::Error::of(rt::GenCode::Limit, "BASE", 0, "Limit"));
        return inner(r, a);
      };
    });
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // One runtime for the whole run (building the function table dominates a fresh one); each
  // input starts from the same variables and a full block budget.
  static int budget = 0;
  static rt::Runtime& rt = *[] {
    auto* r = new rt::Runtime;
    limitBlockCalls(*r, budget);
    return r;
  }();
  budget = 2000;
  rt.vars().releaseAll();
  rt.vars().set("c", rt::Value::character("1+2"));
  rt.vars().set("n", rt::Value::number(12.5, 10, 2));
  rt.vars().set("a", rt::Value::newArray(3));
  try {
    rt::ExprRef e = rt.compile(text);
    if (!mayRunAway(text)) (void)rt.eval(*e);
  } catch (const rt::RuntimeError&) {
    // Compile errors and run-time errors are the expected outcomes for most inputs; a
    // crash, a leak or undefined behaviour is what the fuzzer looks for.
  }
  return 0;
}
