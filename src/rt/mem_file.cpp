// src/rt/mem_file.cpp — .MEM records to variables and back, and the file read/write pair.
#include "rt/mem_file.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>
#include <system_error>

#include "base/bytes.hpp"
#include "base/check.hpp"
#include "base/fault.hpp"

namespace rt::mem {
namespace {

constexpr std::byte kTypeBit{0x80};
constexpr std::size_t kDoubleSize = 8;

char storedLetter(const Value& v) {
  switch (v.type()) {
    case Type::Character:
    case Type::Memo: return 'C';
    case Type::Numeric: return 'N';
    case Type::Date: return 'D';
    case Type::Logical: return 'L';
    default: return 0;
  }
}

std::string decodeName(std::span<const std::byte> header) {
  std::string name;
  for (std::size_t i = 0; i < kMaxNameLength && header[off::kName + i] != std::byte{0}; ++i)
    name += static_cast<char>(header[off::kName + i]);
  return name;
}

Value decodeNumber(std::span<const std::byte, kHeaderSize> header, const std::byte* data) {
  const int printed = std::to_integer<int>(header[off::kLength]);
  const int decimals = std::to_integer<int>(header[off::kDecimals]);
  const int width = std::max(printed - (decimals > 0 ? decimals + 1 : 0), 1);
  return Value::number(base::loadF64le(data), width, decimals);
}

Value decodeDate(const std::byte* data) {
  const double day = base::loadF64le(data);
  const bool usable = std::isfinite(day) && day > 0 && day < 1e8;
  return Value::date(usable ? Date(static_cast<std::int32_t>(std::lround(day))) : Date());
}

// Bytes 16-17 for `v`.
std::uint16_t lengthField(const Value& v) {
  switch (v.type()) {
    case Type::Character:
    case Type::Memo: return static_cast<std::uint16_t>(v.text().size() + 1);
    case Type::Numeric: {
      const Number& n = v.numberParts();
      const int decimals = std::clamp<int>(n.decimals, 0, 255);
      const int printed = std::clamp(n.width + (decimals > 0 ? decimals + 1 : 0), 1, 255);
      return static_cast<std::uint16_t>(printed | (decimals << 8));
    }
    default: return 1;
  }
}

void appendValue(std::vector<std::byte>& out, const Value& v) {
  std::array<std::byte, kDoubleSize> buf{};
  switch (v.type()) {
    case Type::Character:
    case Type::Memo:
      for (char c : v.text()) out.push_back(static_cast<std::byte>(c));
      out.push_back(std::byte{0});
      return;
    case Type::Numeric: base::storeF64le(buf.data(), v.num()); break;
    case Type::Date: base::storeF64le(buf.data(), static_cast<double>(v.date().julianDay())); break;
    case Type::Logical: out.push_back(std::byte{v.logical() ? std::uint8_t{1} : std::uint8_t{0}}); return;
    default: ZEL_CHECK(false);
  }
  out.insert(out.end(), buf.begin(), buf.end());
}

}  // namespace

bool isStorable(const Value& v) {
  if (v.isText()) return v.text().size() <= kMaxTextLength;
  return v.isNumber() || v.isDate() || v.isLogical();
}

Variable makeVariable(std::string_view name, Value value) {
  Variable var;
  for (std::size_t i = 0; i < name.size() && i < kMaxNameLength; ++i) {
    const char c = name[i];
    var.name += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  }
  var.value = std::move(value);
  return var;
}

Image decode(std::span<const std::byte> bytes, std::string_view fileName) {
  Image image;
  std::size_t pos = 0;
  while (bytes.size() - pos >= kHeaderSize && bytes[pos] != kEndMark) {
    Variable var;
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(pos), kHeaderSize, var.header.begin());
    const std::span<const std::byte, kHeaderSize> header(var.header);
    var.name = decodeName(header);
    const char letter = static_cast<char>(std::to_integer<int>(header[off::kType] & std::byte{0x7F}));
    const std::size_t data = pos + kHeaderSize;
    const std::size_t length = letter == 'C'   ? base::loadU16le(&header[off::kLength])
                               : letter == 'L' ? 1
                                               : kDoubleSize;
    if (letter != 'C' && letter != 'N' && letter != 'D' && letter != 'L')
      throw base::Corrupt(std::string(fileName), static_cast<std::int64_t>(pos + off::kType),
                          "unknown memory variable type");
    if (bytes.size() - data < length)
      throw base::Corrupt(std::string(fileName), static_cast<std::int64_t>(data),
                          "variable " + var.name + " runs past the end of the file");
    const std::byte* p = bytes.data() + data;
    switch (letter) {
      case 'C': {
        const std::size_t text = length > 0 ? length - 1 : 0;  // the closing NUL is not text
        std::string value(text, ' ');
        std::transform(p, p + text, value.begin(), [](std::byte b) { return static_cast<char>(b); });
        var.value = Value::character(std::move(value));
        break;
      }
      case 'N': var.value = decodeNumber(header, p); break;
      case 'D': var.value = decodeDate(p); break;
      default: var.value = Value::logical(*p != std::byte{0}); break;
    }
    image.variables.push_back(std::move(var));
    pos = data + length;
  }
  image.tail.assign(bytes.begin() + static_cast<std::ptrdiff_t>(pos), bytes.end());
  return image;
}

std::vector<std::byte> encode(const Image& image) {
  std::vector<std::byte> out;
  for (const Variable& var : image.variables) {
    ZEL_CHECK(isStorable(var.value) && var.name.size() <= kMaxNameLength);
    std::array<std::byte, kHeaderSize> header = var.header;
    std::transform(var.name.begin(), var.name.end(), header.begin() + off::kName,
                   [](char c) { return static_cast<std::byte>(c); });
    header[off::kName + var.name.size()] = std::byte{0};
    const auto letter = static_cast<std::byte>(storedLetter(var.value));
    if ((header[off::kType] & std::byte{0x7F}) != letter) header[off::kType] = letter | kTypeBit;
    base::storeU16le(&header[off::kLength], lengthField(var.value));
    out.insert(out.end(), header.begin(), header.end());
    appendValue(out, var.value);
  }
  out.insert(out.end(), image.tail.begin(), image.tail.end());
  return out;
}

base::Result<std::vector<std::byte>> readFile(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec))
    return base::Status(base::Errc::NotFound, path.string());
  std::ifstream in(path, std::ios::binary);
  std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad() || !in.is_open()) return base::Status(base::Errc::Io, "cannot read " + path.string());
  std::vector<std::byte> bytes(raw.size());
  std::transform(raw.begin(), raw.end(), bytes.begin(), [](char c) { return static_cast<std::byte>(c); });
  return bytes;
}

base::Status writeFile(const std::filesystem::path& path, std::span<const std::byte> bytes) {
  std::filesystem::path temp = path;
  temp += ".~" + std::to_string(std::random_device{}());
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temp, ignored);
      return base::Status(base::Errc::Io, "cannot write " + path.string());
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return base::Status(base::Errc::Io, "cannot replace " + path.string() + ": " + ec.message());
  }
  return base::Status::ok();
}

}  // namespace rt::mem
