// Feeds arbitrary bytes to the .MEM decoder. A file either decodes or is reported as Corrupt;
// what decodes must encode and decode again to the same variables.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "base/fault.hpp"
#include "rt/mem_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
  rt::mem::Image image;
  try {
    image = rt::mem::decode(bytes, "fuzz.mem");
  } catch (const base::Corrupt&) {
    return 0;
  }
  for (const rt::mem::Variable& v : image.variables)
    if (!rt::mem::isStorable(v.value)) std::abort();
  const rt::mem::Image again = rt::mem::decode(rt::mem::encode(image), "fuzz.mem");
  if (again.variables.size() != image.variables.size()) std::abort();
  for (std::size_t i = 0; i < image.variables.size(); ++i)
    if (again.variables[i].name != image.variables[i].name ||
        again.variables[i].value.typeLetter() != image.variables[i].value.typeLetter())
      std::abort();
  return 0;
}
