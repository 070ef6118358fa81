// src/xbase/internal/ntx_tree.cpp — the NTX B-tree; rules T1..T5 in ntx_tree.hpp.
#include "xbase/internal/ntx_tree.hpp"

#include <cstring>
#include <unordered_set>

#include "base/check.hpp"
#include "base/fault.hpp"

namespace xbase::ntx {
namespace {

// Deeper than any index that fits 4 GiB; a longer descent means a cycle.
constexpr std::size_t kMaxDepth = 40;

}  // namespace

int Tree::compare(std::string_view a, std::string_view b) const {
  const std::size_t n = std::min(a.size(), b.size());
  const int r = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
  return descending_ ? -r : r;
}

int Tree::lowerBound(const Page& p, std::string_view key) const {
  int lo = 0, hi = p.keyCount();
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (compare(p.key(mid), key) < 0) lo = mid + 1;
    else hi = mid;
  }
  return lo;
}

int Tree::upperBound(const Page& p, std::string_view key) const {
  int lo = 0, hi = p.keyCount();
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (compare(p.key(mid), key) <= 0) lo = mid + 1;
    else hi = mid;
  }
  return lo;
}

void Tree::descendFirst(Cursor& c, std::uint32_t off) {
  for (;;) {
    if (c.path.size() > kMaxDepth) throw base::Corrupt(store_.fileName(), off, "T5: the tree has a cycle");
    Page& p = store_.page(off);
    c.path.emplace_back(off, 0);
    if (p.isLeaf()) {
      if (p.keyCount() == 0 && c.path.size() > 1)
        throw base::Corrupt(store_.fileName(), off, "T3: a page below the root holds no keys");
      return;
    }
    off = p.child(0);
  }
}

void Tree::descendLast(Cursor& c, std::uint32_t off) {
  for (;;) {
    if (c.path.size() > kMaxDepth) throw base::Corrupt(store_.fileName(), off, "T5: the tree has a cycle");
    Page& p = store_.page(off);
    const int k = p.keyCount();
    if (p.isLeaf()) {
      if (k == 0 && !c.path.empty())
        throw base::Corrupt(store_.fileName(), off, "T3: a page below the root holds no keys");
      c.path.emplace_back(off, k - 1);
      return;
    }
    c.path.emplace_back(off, k);
    off = p.child(k);
  }
}

bool Tree::climbForward(Cursor& c) {
  c.path.pop_back();
  while (!c.path.empty()) {
    const auto [off, ci] = c.path.back();
    if (ci < store_.page(off).keyCount()) return true;
    c.path.pop_back();
  }
  return false;
}

bool Tree::top(Cursor& c) {
  c.path.clear();
  descendFirst(c, store_.root());
  if (store_.page(c.path.back().first).keyCount() > 0) return true;
  c.path.clear();
  return false;
}

bool Tree::bottom(Cursor& c) {
  c.path.clear();
  descendLast(c, store_.root());
  if (c.path.back().second >= 0) return true;
  c.path.clear();
  return false;
}

bool Tree::seek(Cursor& c, std::string_view key) {
  c.path.clear();
  std::uint32_t off = store_.root();
  for (;;) {
    if (c.path.size() > kMaxDepth) throw base::Corrupt(store_.fileName(), off, "T5: the tree has a cycle");
    Page& p = store_.page(off);
    const int i = lowerBound(p, key);
    c.path.emplace_back(off, i);
    if (p.isLeaf()) return i < p.keyCount() || climbForward(c);
    off = p.child(i);
  }
}

bool Tree::seekAfter(Cursor& c, std::string_view key) {
  c.path.clear();
  std::uint32_t off = store_.root();
  for (;;) {
    if (c.path.size() > kMaxDepth) throw base::Corrupt(store_.fileName(), off, "T5: the tree has a cycle");
    Page& p = store_.page(off);
    const int i = upperBound(p, key);
    c.path.emplace_back(off, i);
    if (p.isLeaf()) return i < p.keyCount() || climbForward(c);
    off = p.child(i);
  }
}

bool Tree::find(Cursor& c, std::string_view key, std::uint32_t recno) {
  for (bool on = seek(c, key); on && compare(this->key(c), key) == 0; on = next(c))
    if (this->recno(c) == recno) return true;
  c.path.clear();
  return false;
}

bool Tree::next(Cursor& c) {
  ZEL_CHECK(c.valid());
  const auto [off, i] = c.path.back();
  Page& p = store_.page(off);
  if (!p.isLeaf()) {
    c.path.back().second = i + 1;
    descendFirst(c, p.child(i + 1));
    return true;
  }
  if (i + 1 < p.keyCount()) {
    ++c.path.back().second;
    return true;
  }
  return climbForward(c);
}

bool Tree::prev(Cursor& c) {
  ZEL_CHECK(c.valid());
  const auto [off, i] = c.path.back();
  Page& p = store_.page(off);
  if (!p.isLeaf()) {
    descendLast(c, p.child(i));
    return true;
  }
  if (i > 0) {
    --c.path.back().second;
    return true;
  }
  c.path.pop_back();
  while (!c.path.empty()) {
    if (c.path.back().second > 0) {
      --c.path.back().second;
      return true;
    }
    c.path.pop_back();
  }
  return false;
}

std::string_view Tree::key(const Cursor& c) {
  ZEL_CHECK(c.valid());
  return store_.page(c.path.back().first).key(c.path.back().second);
}

std::uint32_t Tree::recno(const Cursor& c) {
  ZEL_CHECK(c.valid());
  return store_.page(c.path.back().first).recno(c.path.back().second);
}

bool Tree::insert(std::string_view key, std::uint32_t recno) {
  if (unique_) {
    Cursor c;
    if (seek(c, key) && compare(this->key(c), key) == 0) return false;
  }
  // Down to the leaf, always right of the keys equal to the new one.
  Cursor c;
  std::uint32_t off = store_.root();
  int i = 0;
  for (;;) {
    Page& p = store_.page(off);
    i = upperBound(p, key);
    c.path.emplace_back(off, i);
    if (p.isLeaf()) break;
    off = p.child(i);
    if (c.path.size() > kMaxDepth) throw base::Corrupt(store_.fileName(), off, "T5: the tree has a cycle");
  }
  insertAt(c.path, c.path.size() - 1, i, Item{0, recno, std::string(key)});
  return true;
}

void Tree::insertAt(Path& path, std::size_t level, int i, const Item& item) {
  Page& p = store_.page(path[level].first);
  if (p.full()) return split(path, level, i, item);
  p.insert(i, item.child, item.recno, item.key);
  store_.touch(p);
}

// A full page and one more item: the lower half moves to a new page, the middle item goes
// up to the parent pointing at that new page, and the old page keeps the upper half, so the
// parent's pointer to it stays right as it is.
void Tree::split(Path& path, std::size_t level, int i, const Item& item) {
  Page& p = store_.page(path[level].first);
  const int n = p.keyCount() + 1, h = n / 2;
  auto combined = [&](int j) {
    if (j == i) return item;
    const int k = j < i ? j : j - 1;
    return Item{p.child(k), p.recno(k), std::string(p.key(k))};
  };
  Page& low = store_.allocate();
  for (int j = 0; j < h; ++j) {
    const Item it = combined(j);
    low.setItem(j, it.child, it.recno, it.key);
  }
  const Item median = combined(h);
  low.setChild(h, median.child);
  low.setKeyCount(h);
  for (int j = i <= h ? h : h + 1; j > 0; --j) p.remove(0);
  if (i > h) p.insert(i - h - 1, item.child, item.recno, item.key);
  store_.touch(p);
  store_.touch(low);

  const Item up{low.offset(), median.recno, median.key};
  if (level > 0) return insertAt(path, level - 1, path[level - 1].second, up);
  Page& root = store_.allocate();
  root.setChild(0, p.offset());
  root.insert(0, up.child, up.recno, up.key);
  store_.touch(root);
  store_.setRoot(root.offset());
}

bool Tree::remove(std::string_view key, std::uint32_t recno) {
  Cursor c;
  if (!find(c, key, recno)) return false;
  removeAt(c);
  return true;
}

// An interior key is replaced by its predecessor, the last key of the leaf before it, so
// that a key always leaves from a leaf.
void Tree::removeAt(Cursor& c) {
  const auto [off, i] = c.path.back();
  Page& p = store_.page(off);
  if (p.isLeaf()) {
    p.remove(i);
    store_.touch(p);
    fixUnderflow(c.path, c.path.size() - 1);
    return;
  }
  Cursor d = c;
  descendLast(d, p.child(i));
  Page& leaf = store_.page(d.path.back().first);
  const int li = d.path.back().second;
  p.setRecno(i, leaf.recno(li));
  p.setKey(i, leaf.key(li));
  store_.touch(p);
  leaf.remove(li);
  store_.touch(leaf);
  fixUnderflow(d.path, d.path.size() - 1);
}

void Tree::fixUnderflow(std::vector<std::pair<std::uint32_t, int>>& path, std::size_t level) {
  Page& x = store_.page(path[level].first);
  if (level == 0) {
    if (x.keyCount() == 0 && !x.isLeaf()) {
      store_.setRoot(x.child(0));
      store_.release(x);
    }
    return;
  }
  if (x.keyCount() >= half_) return;
  Page& pa = store_.page(path[level - 1].first);
  const int ci = path[level - 1].second;
  Page* left = ci > 0 ? &store_.page(pa.child(ci - 1)) : nullptr;
  Page* right = ci < pa.keyCount() ? &store_.page(pa.child(ci + 1)) : nullptr;
  store_.touch(pa);
  store_.touch(x);
  if (left != nullptr && left->keyCount() > half_) {
    const int lk = left->keyCount();
    x.insert(0, left->child(lk), pa.recno(ci - 1), pa.key(ci - 1));
    pa.setRecno(ci - 1, left->recno(lk - 1));
    pa.setKey(ci - 1, left->key(lk - 1));
    left->remove(lk);
    store_.touch(*left);
    return;
  }
  if (right != nullptr && right->keyCount() > half_) {
    const int xk = x.keyCount();
    x.insert(xk, x.child(xk), pa.recno(ci), pa.key(ci));
    x.setChild(xk + 1, right->child(0));
    pa.setRecno(ci, right->recno(0));
    pa.setKey(ci, right->key(0));
    right->remove(0);
    store_.touch(*right);
    return;
  }
  // Neither sibling can spare a key: the pair and their separator fit one page.
  const int s = left != nullptr ? ci - 1 : ci;
  Page& a = left != nullptr ? *left : x;
  ZEL_CHECK(left != nullptr || right != nullptr);
  Page& b = left != nullptr ? x : *right;
  const int ak = a.keyCount(), bk = b.keyCount();
  ZEL_CHECK(ak + 1 + bk <= a.geometry().maxItems);
  a.insert(ak, a.child(ak), pa.recno(s), pa.key(s));
  for (int j = 0; j < bk; ++j) a.insert(a.keyCount(), b.child(j), b.recno(j), b.key(j));
  a.setChild(a.keyCount(), b.child(bk));
  store_.touch(a);
  pa.setChild(s + 1, a.offset());
  pa.remove(s);
  store_.release(b);
  fixUnderflow(path, level - 1);
}

TreeStats Tree::checkInvariants() {
  TreeStats st;
  int leafDepth = -1;
  std::unordered_set<std::uint32_t> seen;
  checkPage(store_.root(), 1, leafDepth, nullptr, nullptr, st, seen);
  st.depth = leafDepth;
  return st;
}

void Tree::checkPage(std::uint32_t off, int depth, int& leafDepth, const std::string* low, const std::string* high,
                     TreeStats& st, std::unordered_set<std::uint32_t>& seen) {
  const std::string& file = store_.fileName();
  if (depth > static_cast<int>(kMaxDepth)) throw base::Corrupt(file, off, "T5: the tree has a cycle");
  if (!seen.insert(off).second) throw base::Corrupt(file, off, "T5: a page is reached twice");
  Page& p = store_.page(off);
  const int k = p.keyCount();
  const bool isRoot = depth == 1;
  if (!isRoot && k < half_) throw base::Corrupt(file, off, "T3: a page below the root holds fewer than M/2 keys");
  if (isRoot && k == 0 && !p.isLeaf()) throw base::Corrupt(file, off, "T3: an interior root holds no keys");
  for (int j = 0; j < k; ++j) {
    const std::string_view kj = p.key(j);
    const std::string_view before = j > 0 ? p.key(j - 1) : (low != nullptr ? std::string_view(*low) : kj);
    const bool hasBefore = j > 0 || low != nullptr;
    if (hasBefore) {
      const int c = compare(before, kj);
      if (c > 0) throw base::Corrupt(file, off, "T1: keys out of order");
      if (c == 0 && unique_) throw base::Corrupt(file, off, "T4: equal keys in a UNIQUE index");
    }
    if (j == k - 1 && high != nullptr) {
      const int c = compare(kj, *high);
      if (c > 0) throw base::Corrupt(file, off, "T1: keys out of order");
      if (c == 0 && unique_) throw base::Corrupt(file, off, "T4: equal keys in a UNIQUE index");
    }
  }
  st.keys += static_cast<std::uint64_t>(k);
  ++st.pages;
  if (p.isLeaf()) {
    if (leafDepth == -1) leafDepth = depth;
    else if (leafDepth != depth) throw base::Corrupt(file, off, "T2: leaves at different depths");
    return;
  }
  std::vector<std::string> keys;
  std::vector<std::uint32_t> children;
  for (int j = 0; j < k; ++j) keys.emplace_back(p.key(j));
  for (int j = 0; j <= k; ++j) children.push_back(p.child(j));
  for (int j = 0; j <= k; ++j)
    checkPage(children[j], depth + 1, leafDepth, j == 0 ? low : &keys[j - 1], j == k ? high : &keys[j], st, seen);
}

}  // namespace xbase::ntx
