// src/xbase/internal/ntx_tree.hpp — the NTX B-tree over a store of pages: descend, seek,
// step, insert with page splits, delete with borrowing and merges, and the full check.
// Not here: one page's bytes (ntx_page.hpp); reading, caching, writing pages, the free
// list's storage and the locks (ntx_file.cpp implements PageStore).
//
// Every key is stored once, in a leaf or an interior page, with its record number; in-order:
// child 0, key 0, child 1, ..., key k-1, child k. Rules after every public call:
//   T1  keys are in index order along the in-order walk (byte order, reversed when the
//       index is descending); equal keys keep their insertion order.
//   T2  every leaf is at the same depth.
//   T3  every page but the root holds at least M/2 keys; the root of a non-empty tree at
//       least one; an empty index is a root leaf with no keys.
//   T4  a UNIQUE index holds no two equal keys.
//   T5  no page is reached twice (no cycles, no shared children).
// A new key goes after all keys equal to it. Delete finds its key, then walks equal keys to
// the record number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "xbase/internal/ntx_page.hpp"
#include "xbase/ntx_file.hpp"

namespace xbase::ntx {

class PageStore {
 public:
  virtual ~PageStore() = default;
  virtual Page& page(std::uint32_t offset) = 0;  // throws Corrupt for a malformed page
  virtual void touch(Page& p) = 0;               // p changed: write it with this update
  virtual Page& allocate() = 0;                  // an empty leaf page, from the free list or new
  virtual void release(Page& p) = 0;             // onto the free list
  virtual std::uint32_t root() const = 0;
  virtual void setRoot(std::uint32_t offset) = 0;
  virtual const std::string& fileName() const = 0;
};

// A position in the walk: for each level from the root, the page and the item index.
// Above the last level the index is the child taken; on the last level it is the key.
using Cursor = NtxCursor;

struct TreeStats {
  std::uint64_t keys = 0;
  int depth = 0;
  std::uint64_t pages = 0;
};

class Tree {
 public:
  Tree(PageStore& store, std::uint16_t halfPage, bool descending, bool unique)
      : store_(store), half_(halfPage), descending_(descending), unique_(unique) {}

  bool top(Cursor& c);
  bool bottom(Cursor& c);
  // The first key not before `key` in index order, comparing over key's length (a shorter
  // key matches as a prefix). True when the cursor stands on a key (equal or not).
  bool seek(Cursor& c, std::string_view key);
  // The item holding exactly (key, recno). False when there is none.
  bool find(Cursor& c, std::string_view key, std::uint32_t recno);
  // The first key after every key equal to `key` (full length).
  bool seekAfter(Cursor& c, std::string_view key);
  bool next(Cursor& c);
  bool prev(Cursor& c);
  std::string_view key(const Cursor& c);
  std::uint32_t recno(const Cursor& c);

  // False when the index is UNIQUE and an equal key is there already (nothing changes).
  bool insert(std::string_view key, std::uint32_t recno);
  // False when (key, recno) is not in the index.
  bool remove(std::string_view key, std::uint32_t recno);

  // T1..T5 and each page's own rules; throws Corrupt naming the broken rule.
  TreeStats checkInvariants();

  int compare(std::string_view a, std::string_view b) const;

 private:
  struct Item {
    std::uint32_t child, recno;
    std::string key;
  };
  void descendFirst(Cursor& c, std::uint32_t off);
  void descendLast(Cursor& c, std::uint32_t off);
  bool climbForward(Cursor& c);
  int lowerBound(const Page& p, std::string_view key) const;
  int upperBound(const Page& p, std::string_view key) const;
  using Path = std::vector<std::pair<std::uint32_t, int>>;
  void insertAt(Path& path, std::size_t level, int i, const Item& item);
  void split(Path& path, std::size_t level, int i, const Item& item);
  void removeAt(Cursor& c);
  void fixUnderflow(std::vector<std::pair<std::uint32_t, int>>& path, std::size_t level);
  void checkPage(std::uint32_t off, int depth, int& leafDepth, const std::string* low, const std::string* high,
                 TreeStats& st, std::unordered_set<std::uint32_t>& seen);

  PageStore& store_;
  int half_;
  bool descending_;
  bool unique_;
};

}  // namespace xbase::ntx
