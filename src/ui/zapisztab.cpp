// src/ui/zapisztab.cpp — ZAPISZTAB: a value saved as expression text.
#include "ui/zapisztab.hpp"

#include <span>

#include "ui/adjusttab.hpp"

namespace ui {
namespace {

base::Status writeNew(sys::Env& env, const std::string& path, const std::string& text) {
  base::Result<std::unique_ptr<sys::File>> f = env.open(path, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
  if (!f) return f.error();
  if (base::Status s = (*f)->writeAt(0, std::as_bytes(std::span(text))); !s) return s;
  return (*f)->sync();
}

}  // namespace

bool ZAPISZTAB(sys::Env& env, const sys::PathResolver& paths, std::string_view file, const rt::Value& value) {
  const std::string path = paths.resolve(file);
  const std::string fresh = path + ".$$$";
  if (writeNew(env, fresh, ADJUSTTAB(value)) && env.rename(fresh, path)) return true;
  (void)env.remove(fresh);  // nothing more to do when even the removal fails
  return false;
}

}  // namespace ui
