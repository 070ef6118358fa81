// Feeds arbitrary text to the reader of saved value files (CZYTAJTAB). Nothing may crash, and
// whatever it accepts must be written back by ADJUSTTAB into a text that reads as the same
// value again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "ui/adjusttab.hpp"
#include "ui/czytajtab.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const rt::Settings program;
  std::optional<rt::Value> v = ui::readTabText(text, program);
  if (!v) return 0;
  const std::string written = ui::ADJUSTTAB(*v);
  std::optional<rt::Value> again = ui::readTabText(written, program);
  if (!again || ui::ADJUSTTAB(*again) != written) std::abort();
  return 0;
}
