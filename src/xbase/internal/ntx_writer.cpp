// src/xbase/internal/ntx_writer.cpp — bottom-up tree writing; the rules are in ntx_writer.hpp.
#include "xbase/internal/ntx_writer.hpp"

#include <algorithm>

#include "base/check.hpp"
#include "base/fault.hpp"

namespace xbase::ntx {
namespace {

constexpr std::size_t kPoolPages = 7;
constexpr std::size_t kStagedPages = 256;

}  // namespace

struct TreeWriter::Node {
  Page page;
  std::uint64_t used = 0;
  bool numbered = false;
  Node(Geometry g) : page(g, 0) {}
};

TreeWriter::TreeWriter(sys::File& out, Geometry g, std::uint16_t halfPage) : out_(out), g_(g), half_(halfPage) {}
TreeWriter::~TreeWriter() = default;

void TreeWriter::touch(const std::shared_ptr<Node>& n) {
  n->used = ++clock_;
  if (std::find(pool_.begin(), pool_.end(), n) != pool_.end()) return;
  if (pool_.size() < kPoolPages) {
    pool_.push_back(n);
    return;
  }
  // Back in the pool: it takes the buffer of the least recently used page.
  *std::min_element(pool_.begin(), pool_.end(), [](auto& a, auto& b) { return a->used < b->used; }) = n;
}

std::shared_ptr<TreeWriter::Node> TreeWriter::allocate() {
  auto n = std::make_shared<Node>(g_);
  if (pool_.size() < kPoolPages) {
    pool_.push_back(n);
  } else {
    auto lru = std::min_element(pool_.begin(), pool_.end(), [](auto& a, auto& b) { return a->used < b->used; });
    // The buffer keeps the old page's bytes; only the count and offset table start afresh.
    const auto old = (*lru)->page.bytes();
    std::copy(old.begin(), old.end(), n->page.mutableBytes().begin());
    *lru = n;
  }
  for (int i = 0; i <= g_.maxItems; ++i)
    n->page.setSlotOffset(i, static_cast<std::uint16_t>(g_.firstSlot() + static_cast<std::size_t>(i) * g_.itemSize()));
  n->page.setKeyCount(0);
  n->used = ++clock_;
  return n;
}

void TreeWriter::number(Node& n) {
  if (n.numbered) return;
  n.page = Page(g_, next_, n.page.bytes());
  next_ += static_cast<std::uint32_t>(kPageSize);
  n.numbered = true;
}

// Pages are numbered in nearly the order they are written: staging a few hundred of them
// turns most writes into one call per run of neighbouring pages.
void TreeWriter::write(Node& n) {
  ZEL_CHECK(n.numbered);
  auto& bytes = staged_[n.page.offset()];
  std::copy(n.page.bytes().begin(), n.page.bytes().end(), bytes.begin());
  if (staged_.size() >= kStagedPages) flush();
}

void TreeWriter::flush() {
  std::vector<std::byte> run;
  std::uint32_t start = 0;
  auto emit = [&] {
    if (run.empty()) return;
    if (auto s = out_.writeAt(start, run); !s)
      throw base::IoFault(out_.path(), "cannot write index pages: " + s.toString());
    run.clear();
  };
  for (const auto& [off, bytes] : staged_) {
    if (run.empty() || off != start + run.size()) {
      emit();
      start = off;
    }
    run.insert(run.end(), bytes.begin(), bytes.end());
  }
  emit();
  staged_.clear();
}

void TreeWriter::add(std::string_view key, std::uint32_t recno) {
  ++keys_;
  if (levels_.empty()) levels_.emplace_back();
  Level& leaf = levels_[0];
  if (!leaf.cur) leaf.cur = allocate();  // a leaf starts when its first key comes
  Page& p = leaf.cur->page;
  if (p.keyCount() < g_.maxItems) {
    const int k = p.keyCount();
    p.setChild(k, 0);
    p.setRecno(k, recno);
    p.setKey(k, key);
    p.setKeyCount(k + 1);
    touch(leaf.cur);
    return;
  }
  complete(0);
  const std::uint32_t child = levels_[0].prev->page.offset();
  levels_[0].cur = nullptr;
  push(1, child, recno, key);
}

// A separator for `level`, with the page on its left.
void TreeWriter::push(std::size_t level, std::uint32_t child, std::uint32_t recno, std::string_view key) {
  if (levels_.size() <= level) levels_.emplace_back();
  if (!levels_[level].cur) levels_[level].cur = allocate();
  Page& p = levels_[level].cur->page;
  if (p.keyCount() < g_.maxItems) {
    const int k = p.keyCount();
    p.setChild(k, child);
    p.setRecno(k, recno);
    p.setKey(k, key);
    p.setKeyCount(k + 1);
    touch(levels_[level].cur);
    return;
  }
  p.setChild(g_.maxItems, child);
  complete(level);
  const std::uint32_t done = levels_[level].prev->page.offset();
  // The order decides which buffers get reused: the parent takes the separator before the
  // level starts its next page, but a new root comes after that page.
  if (levels_.size() == level + 1) {
    levels_[level].cur = allocate();
    push(level + 1, done, recno, key);
  } else {
    levels_[level].cur = nullptr;
    push(level + 1, done, recno, key);
    levels_[level].cur = allocate();
  }
}

void TreeWriter::complete(std::size_t level) {
  Level& l = levels_[level];
  if (level == 0) l.cur->page.setChild(l.cur->page.keyCount(), 0);
  number(*l.cur);
  touch(l.cur);
  if (l.prev) write(*l.prev);
  l.prev = l.cur;
}

// The last page of a level holds fewer than M/2 keys: it takes keys from its full left
// neighbour through the separator above them. The right page's items move up by rotating
// its offset table; the moved keys are written into the slots that rotate to the front.
void TreeWriter::rebalance(std::size_t level) {
  Page& left = levels_[level].prev->page;
  Page& right = levels_[level].cur->page;
  // The separator is the last key of the nearest level above that has one.
  std::size_t up = level + 1;
  while (up + 1 < levels_.size() && levels_[up].cur->page.keyCount() == 0) ++up;
  Page& parent = levels_[up].cur->page;
  const int sep = parent.keyCount() - 1;

  const int m = left.keyCount(), ck = right.keyCount();
  const int keep = (m + ck) / 2;
  const int moving = m - keep;  // m - keep - 1 keys of the left page and the separator
  for (int j = ck; j >= 0; --j) {
    const std::uint16_t a = right.slotOffset(j), b = right.slotOffset(j + moving);
    right.setSlotOffset(j, b);
    right.setSlotOffset(j + moving, a);
  }
  for (int j = 0; j < moving - 1; ++j)
    right.setItem(j, left.child(keep + 1 + j), left.recno(keep + 1 + j), left.key(keep + 1 + j));
  right.setItem(moving - 1, level == 0 ? 0 : left.child(m), parent.recno(sep), std::string(parent.key(sep)));
  right.setKeyCount(ck + moving);
  parent.setRecno(sep, left.recno(keep));
  parent.setKey(sep, std::string(left.key(keep)));
  left.setKeyCount(keep);
  touch(levels_[level].prev);
  touch(levels_[level].cur);
}

std::uint32_t TreeWriter::finish() {
  if (levels_.empty()) levels_.emplace_back();
  if (!levels_[0].cur) levels_[0].cur = allocate();
  std::uint32_t lastChild = 0;
  for (std::size_t level = 0; level < levels_.size(); ++level) {
    Level& l = levels_[level];
    Page& p = l.cur->page;
    p.setChild(p.keyCount(), lastChild);
    const bool top = level + 1 == levels_.size();
    if (!top && p.keyCount() < half_) rebalance(level);
    number(*l.cur);
    if (l.prev) write(*l.prev);
    write(*l.cur);
    lastChild = l.cur->page.offset();
  }
  flush();
  return lastChild;
}

}  // namespace xbase::ntx
