// src/core/s_i.cpp — S_I, S_C, S_W, S_S: values under the installation's display pictures.
#include "core/s_i.hpp"

#include "base/check.hpp"
#include "core/program_vars.hpp"
#include "rt/transform.hpp"

namespace core {
namespace {

std::string shown(const rt::Runtime& rt, const rt::Value& value, const std::string& picture) {
  std::optional<std::string> text = rt::transform(value, picture, rt.settings());
  ZEL_CHECK(text.has_value());
  return std::move(*text);
}

}  // namespace

std::string S_I(const rt::Runtime& rt, const rt::Value& value) { return shown(rt, value, FORMAT_IND_(rt)); }
std::string S_C(const rt::Runtime& rt, const rt::Value& value) { return shown(rt, value, FORMAT_CEN_(rt)); }
std::string S_W(const rt::Runtime& rt, const rt::Value& value) { return shown(rt, value, FORMAT_WAR_(rt)); }
std::string S_S(const rt::Runtime& rt, const rt::Value& value) { return shown(rt, value, FORMAT_ILO_(rt)); }

}  // namespace core
