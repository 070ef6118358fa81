// src/rt/mem_save_restore.cpp — SAVE TO / RESTORE FROM on the memory variables.
#include "rt/mem_save_restore.hpp"

#include "rt/mem_file.hpp"

namespace rt {

std::filesystem::path memFilePath(const std::filesystem::path& name) {
  std::filesystem::path path = name;
  if (!path.has_extension()) path += ".mem";
  return path;
}

base::Status saveMemFile(const Memvars& vars, const std::filesystem::path& path, std::string_view mask,
                         MaskMatch match) {
  mem::Image image;
  for (Memvars::Entry& entry : vars.list(mask, match)) {
    const Value& v = entry.value;
    if (!(v.isText() || v.isNumber() || v.isDate() || v.isLogical())) continue;
    if (!mem::isStorable(v))
      return base::Status(base::Errc::Invalid, "variable " + entry.name + " holds more text than a .MEM file can");
    image.variables.push_back(mem::makeVariable(entry.name, std::move(entry.value)));
  }
  return mem::writeFile(path, mem::encode(image));
}

base::Status restoreMemFile(Memvars& vars, const std::filesystem::path& path, RestoreMode mode) {
  auto bytes = mem::readFile(path);
  if (!bytes) return bytes.error();
  mem::Image image = mem::decode(*bytes, path.string());
  if (mode == RestoreMode::Replace) vars.releaseAll();
  for (mem::Variable& var : image.variables) vars.set(var.name, std::move(var.value));
  return base::Status::ok();
}

}  // namespace rt
