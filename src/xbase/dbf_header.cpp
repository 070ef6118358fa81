// src/xbase/dbf_header.cpp — the table file header codec.
#include "xbase/dbf_header.hpp"

#include <algorithm>

#include "base/bytes.hpp"
#include "base/fault.hpp"

namespace xbase::dbf {

namespace {

bool knownVersion(std::uint8_t v) { return v == 0x03 || v == 0x83 || v == 0x07 || v == 0x87; }

std::uint8_t u8(std::span<const std::byte> in, std::size_t at) { return std::to_integer<std::uint8_t>(in[at]); }

}  // namespace

Header decodeHeader(std::span<const std::byte> in, const std::string& file) {
  if (in.size() < kHeaderSize) throw base::Corrupt(file, 0, "file shorter than a table header");
  Header h;
  std::copy_n(in.begin(), kHeaderSize, h.raw.begin());
  h.version = u8(in, off::kVersion);
  if (!knownVersion(h.version))
    throw base::Corrupt(file, off::kVersion, "not a dBASE III table (version byte " + std::to_string(h.version) + ")");
  const int y = u8(in, off::kUpdateYear);
  h.updateYear = 1900 + y;  // a writer storing year mod 100 reads as 19xx; only the date shown suffers
  h.updateMonth = u8(in, off::kUpdateMonth);
  h.updateDay = u8(in, off::kUpdateDay);
  h.recordCount = base::loadU32le(in.data() + off::kRecordCount);
  h.headerLength = base::loadU16le(in.data() + off::kHeaderLength);
  h.recordLength = base::loadU16le(in.data() + off::kRecordLength);
  if (h.headerLength < kMinHeaderLength)
    throw base::Corrupt(file, off::kHeaderLength, "header shorter than one field descriptor");
  if (h.recordLength < 2) throw base::Corrupt(file, off::kRecordLength, "record length below 2");
  return h;
}

void encodeHeader(const Header& h, std::span<std::byte, kHeaderSize> out) {
  std::copy(h.raw.begin(), h.raw.end(), out.begin());
  out[off::kVersion] = std::byte(h.version);
  out[off::kUpdateYear] = std::byte(static_cast<std::uint8_t>(std::clamp(h.updateYear - 1900, 0, 255)));
  out[off::kUpdateMonth] = std::byte(static_cast<std::uint8_t>(h.updateMonth));
  out[off::kUpdateDay] = std::byte(static_cast<std::uint8_t>(h.updateDay));
  base::storeU32le(out.data() + off::kRecordCount, h.recordCount);
  base::storeU16le(out.data() + off::kHeaderLength, h.headerLength);
  base::storeU16le(out.data() + off::kRecordLength, h.recordLength);
}

}  // namespace xbase::dbf
