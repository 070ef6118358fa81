// tests/xbase/ntx_page_test.cpp — page and header codecs on reference bytes.
#include "xbase/internal/ntx_page.hpp"

#include <gtest/gtest.h>

#include <algorithm>

#include "base/fault.hpp"
#include "testkit/temp_dir.hpp"
#include "xbase/ntx_header.hpp"

namespace xbase::ntx {
namespace {

std::array<std::byte, kPageSize> pageOf(const std::string& file, std::size_t n) {
  const std::string bytes = testkit::readFile(testkit::fixture(file));
  std::array<std::byte, kPageSize> p{};
  for (std::size_t i = 0; i < kPageSize; ++i) p[i] = static_cast<std::byte>(bytes[n * kPageSize + i]);
  return p;
}

TEST(NtxHeader, RoundTripsEveryReferenceHeader) {
  for (const char* f : {"BIGKOD.NTX", "ORDPOZ.NTX", "ORDKOND.NTX", "ALLTEXT.NTX"}) {
    SCOPED_TRACE(f);
    const auto in = pageOf(f, 0);
    const Header h = decodeHeader(in, f);
    std::array<std::byte, kPageSize> out{};
    encodeHeader(h, out);
    EXPECT_EQ(out, in);
  }
}

TEST(NtxHeader, NewHeaderMatchesAReferenceIndexOfTheSameKind) {
  const auto ref = pageOf("ORDPOZ.NTX", 0);
  Header h = newHeader("INDEKS", "TYP='P'", 20, 0, false, false);
  h.version = decodeHeader(ref, "ref").version;
  h.root = decodeHeader(ref, "ref").root;
  std::array<std::byte, kPageSize> out{};
  encodeHeader(h, out);
  EXPECT_EQ(out, ref);
}

TEST(NtxHeader, RejectsBrokenHeaders) {
  struct Case {
    std::size_t at;
    std::uint8_t value;
    const char* why;
  };
  const Case cases[] = {{0, 0x05, "signature"}, {0, 0x46, "unknown signature bit"}, {14, 0, "key size 0"},
                        {12, 99, "item size"},   {18, 200, "M too large"},         {5, 0x41, "root not a page"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    auto b = pageOf("BIGKOD.NTX", 0);
    b[c.at] = std::byte{c.value};
    EXPECT_THROW(decodeHeader(b, "x"), base::Corrupt);
  }
}

TEST(NtxPage, InsertAndRemoveRotateTheOffsetTableOnly) {
  Page p(Geometry{4, 2}, 1024);
  // Item k (the rightmost child) holds slot 0 of an empty page, so the first key takes
  // slot 1 and each later one the first slot past the rightmost item.
  p.insert(0, 0, 1, "bb");
  p.insert(0, 0, 2, "aa");
  p.insert(2, 0, 3, "cc");
  EXPECT_EQ(p.keyCount(), 3);
  EXPECT_EQ(p.key(0), "aa");
  EXPECT_EQ(p.key(1), "bb");
  EXPECT_EQ(p.key(2), "cc");
  const std::size_t first = Geometry{4, 2}.firstSlot(), item = 10;
  EXPECT_EQ(p.slotOffset(0), first + 2 * item);
  EXPECT_EQ(p.slotOffset(1), first + item);
  EXPECT_EQ(p.slotOffset(2), first + 3 * item);
  EXPECT_EQ(p.slotOffset(3), first);  // the rightmost child's slot
  const auto before = p.bytes();
  std::array<std::byte, kPageSize> copy{};
  std::copy(before.begin(), before.end(), copy.begin());
  p.remove(0);
  EXPECT_EQ(p.key(0), "bb");
  EXPECT_EQ(p.keyCount(), 2);
  // Only the count and the table changed; slot bytes are as they were.
  for (std::size_t i = first; i < kPageSize; ++i) EXPECT_EQ(p.bytes()[i], copy[i]) << i;
  EXPECT_NO_THROW(p.checkInvariants("x"));
}

TEST(NtxPage, MalformedPagesNameTheBrokenRule) {
  struct Case {
    std::size_t at;
    std::uint8_t value;
    const char* rule;
  };
  // BIGKOD page 52 is interior, page 1 a leaf; M = 50.
  const Case cases[] = {{0, 60, "P1"}, {2, 0x69, "P2"}, {3, 0x7F, "P2"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rule);
    auto b = pageOf("BIGKOD.NTX", 1);
    b[c.at] = std::byte{c.value};
    Page p(Geometry{50, 10}, 1024, b);
    try {
      p.checkInvariants("x");
      ADD_FAILURE() << "no fault";
    } catch (const base::Corrupt& e) {
      EXPECT_NE(std::string(e.what()).find(c.rule), std::string::npos) << e.what();
    }
  }
  auto b = pageOf("BIGKOD.NTX", 52);
  Page interior(Geometry{50, 10}, 52 * 1024, b);
  EXPECT_NO_THROW(interior.checkInvariants("x"));
  interior.setChild(7, 0);  // a leaf pointer among interior ones
  EXPECT_THROW(interior.checkInvariants("x"), base::Corrupt);
}

}  // namespace
}  // namespace xbase::ntx
