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

rt::TextMap goodsCodeTextMap(const rt::Runtime& rt) {
  const rt::Value* picture = rt.vars().find("_FORMAT_IND");
  if (picture == nullptr || !picture->isText())  // S_I itself reports the broken variable, key by key
    return [&rt](std::string_view in, std::string& out) { out = S_I(rt, rt::Value::character(std::string(in))); };
  return [p = rt::parsePicture(picture->text())](std::string_view in, std::string& out) { rt::transformText(in, p, out); };
}

}  // namespace core
