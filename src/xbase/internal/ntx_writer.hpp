// src/xbase/internal/ntx_writer.hpp — writes a whole NTX tree bottom-up from keys that
// arrive in index order, as an index build does. Not here: sorting the keys
// (ntx_build.cpp), the header (ntx_header.hpp), changing an existing tree (ntx_tree.hpp).
//
// Pages fill left to right: a leaf takes M keys, the next key goes up to the level above
// as the separator and the leaf is numbered; a full interior page is numbered the same way
// when the next separator reaches it, and a fresh page of that level starts at once. Page
// numbers therefore follow completion order, children before their parent. At the end, a
// last page holding fewer than M/2 keys shares keys with its full left neighbour through
// their separator: the left page keeps (M + k) / 2 keys, the rest moves right.
//
// Page buffers are reused as a small least-recently-used pool of seven, and a reused
// buffer is not cleared: slots a page does not use keep the bytes of the page that had the
// buffer before. Index files built by the classic runtime look exactly like that, and
// keeping the same pool lets a build reproduce such a file byte for byte.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sys/env.hpp"
#include "xbase/internal/ntx_page.hpp"

namespace xbase::ntx {

class TreeWriter {
 public:
  TreeWriter(sys::File& out, Geometry g, std::uint16_t halfPage);
  ~TreeWriter();
  TreeWriter(const TreeWriter&) = delete;
  TreeWriter& operator=(const TreeWriter&) = delete;

  void add(std::string_view key, std::uint32_t recno);  // REQUIRES: index order
  // Writes what is left; returns the root's offset. Pages start at offset 1024.
  std::uint32_t finish();
  std::uint64_t keys() const { return keys_; }

 private:
  struct Node;
  struct Level {
    std::shared_ptr<Node> cur;   // being filled
    std::shared_ptr<Node> prev;  // numbered and full, not yet written
  };
  std::shared_ptr<Node> allocate();
  void touch(const std::shared_ptr<Node>& n);
  void push(std::size_t level, std::uint32_t child, std::uint32_t recno, std::string_view key);
  void complete(std::size_t level);
  void write(Node& n);
  void flush();
  void number(Node& n);
  void rebalance(std::size_t level);

  sys::File& out_;
  Geometry g_;
  int half_;
  std::vector<Level> levels_;
  std::vector<std::shared_ptr<Node>> pool_;
  std::uint64_t clock_ = 0;
  std::uint32_t next_ = 1024;
  std::uint64_t keys_ = 0;
  std::map<std::uint32_t, std::array<std::byte, kPageSize>> staged_;
};

}  // namespace xbase::ntx
