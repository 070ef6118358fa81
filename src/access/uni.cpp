// src/access/uni.cpp — the service command (rules U1..U4 in the header).
#include "access/uni.hpp"

#include <exception>
#include <string>

#include "access/ha.hpp"
#include "base/fault.hpp"
#include "db/workspace.hpp"
#include "rt/codepage.hpp"
#include "rt/expression.hpp"
#include "ui/form/read_form.hpp"
#include "ui/modal_box.hpp"
#include "ui/qke.hpp"

namespace operators {
namespace {

constexpr int kNameWidth = 25;

void closeTables(ui::Context& c) {
  if (c.workspace != nullptr) c.workspace->closeAll();
}

// Puts the previous error handler back however the call ends.
class HookScope {
 public:
  HookScope(rt::Runtime& rt, rt::Runtime::ErrorHook hook) : rt_(rt), previous_(rt.errorHook()) {
    rt_.setErrorHook(std::move(hook));
  }
  ~HookScope() { rt_.setErrorHook(std::move(previous_)); }
  HookScope(const HookScope&) = delete;
  HookScope& operator=(const HookScope&) = delete;

 private:
  rt::Runtime& rt_;
  rt::Runtime::ErrorHook previous_;
};

}  // namespace

std::optional<rt::Value> SERWISERROR(ui::Context& c, rt::Error& e) {
  ui::QKE(c, e.message());
  return std::nullopt;
}

void UNI(ui::Context& c, const AccessSeams& seams) {
  if (!HA(c, seams, c.text("_HASLO"), false, 0)) return;
  closeTables(c);
  const std::string saved = c.con.save({1, 0, 1, 79});
  rt::Value typed = rt::Value::character(std::string(static_cast<std::size_t>(kNameWidth), ' '));
  ui::Get entry = ui::getOn(1, 0, typed, "@!");
  const bool given = ui::readOne(c, entry).saved();
  c.con.restore({1, 0, 1, 79}, saved);
  std::string call = given ? ui::trimmed(typed.text()) : std::string();
  if (call.empty()) return;
  call = rt::upperCp852(call);
  if (call.back() != ')') call += "()";
  c.con.clearFrom(1, 0);
  {
    HookScope hook(c.rt, [&c](rt::Runtime&, rt::Error& e) { return SERWISERROR(c, e); });
    try {
      c.rt.evaluate(call);
      ui::QKE(c, "KONIEC");
    } catch (const rt::CompileError& e) {
      ui::QKE(c, e.error().message());
    } catch (const rt::RuntimeError&) {
      // already shown by SERWISERROR
    } catch (const std::exception& e) {
      ui::QKE(c, e.what());
    }
  }
  closeTables(c);
}

}  // namespace operators
