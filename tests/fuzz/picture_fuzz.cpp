// Feeds arbitrary text to the readers of typed-in and configured text: pictures (TRANSFORM of
// each value type), VAL and CTOD. Nothing may crash; STR is exactly as long as asked; DTOC of
// whatever CTOD reads reads back to the same date.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "rt/date_text.hpp"
#include "rt/number_text.hpp"
#include "rt/transform.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const rt::Settings program;

  const rt::Number n = rt::val(text);
  if (n.width < 1 || n.decimals < 0) std::abort();
  const int len = static_cast<int>(size % 40);
  const std::string s = rt::str(n.value * 1e7, len, static_cast<int>(size % 7));
  if (static_cast<int>(s.size()) != (len <= 0 ? 10 : len)) std::abort();

  const rt::Picture p = rt::parsePicture(text);
  const rt::Value values[] = {rt::Value::number(n), rt::Value::number(-123456.789, 10, 3),
                              rt::Value::character(std::string(text)), rt::Value::logical(size % 2 == 0),
                              rt::Value::date(rt::Date::fromYmd(2024, 2, 29))};
  for (const rt::Value& v : values)
    if (!rt::transform(v, p, program)) std::abort();

  const rt::Date d = rt::ctod(text, program);
  if (!d.empty() && (d.ymd().year < 1950 || d.ymd().year > 2049)) return 0;  // 2-digit DTOC
  if (rt::ctod(rt::dtoc(d, program), program) != d) std::abort();
  return 0;
}
