// Feeds arbitrary terminal bytes to the key decoder, split at a point the input chooses. Every
// byte is consumed once the pause has passed, every key is a code the keyboard can give, and
// splitting the bytes never changes the keys when no pause falls inside a sequence.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "con/key_decoder.hpp"

namespace {

std::vector<int> decodeAll(con::KeyDecoder& d) {
  std::vector<int> out;
  while (auto k = d.next()) out.push_back(k->code);
  d.flush();
  while (auto k = d.next()) out.push_back(k->code);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t split = data[0] % size;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

  con::KeyDecoder whole;
  whole.feed(bytes);
  const std::vector<int> keys = decodeAll(whole);
  if (whole.pending()) std::abort();
  for (int k : keys)
    if (k < -47 || k > 421 || k == 0) std::abort();

  con::KeyDecoder parts;
  parts.feed(bytes.substr(0, split));
  std::vector<int> got;
  while (auto k = parts.next()) got.push_back(k->code);
  parts.feed(bytes.substr(split));
  for (int k : decodeAll(parts)) got.push_back(k);
  if (got != keys) std::abort();
  return 0;
}
