// src/xbase/ntx_file.cpp — an open NTX index: page cache, locks, revalidation, writing
// changes. The sharing protocol is described in ntx_file.hpp.
#include "xbase/ntx_file.hpp"

#include <algorithm>
#include <deque>
#include <unordered_map>

#include "base/bytes.hpp"
#include "base/check.hpp"
#include "base/fault.hpp"
#include "xbase/internal/ntx_page.hpp"
#include "xbase/internal/ntx_tree.hpp"

namespace xbase {
namespace {

// Pages kept between calls (16 MiB); past this the older half is dropped.
constexpr std::size_t kMaxCachedPages = 16384;

}  // namespace

struct NtxFile::Impl final : ntx::PageStore {
  std::unique_ptr<sys::File> file;
  NtxUse use;
  bool readOnly = false;
  ntx::Header h;
  ntx::Geometry g{};
  std::unordered_map<std::uint32_t, std::unique_ptr<ntx::Page>> cache;
  std::vector<std::uint32_t> dirty;
  std::deque<std::uint32_t> loaded;  // cache entries, oldest first
  std::uint64_t fileEnd = 0;
  std::uint64_t generation = 1;
  int depth = 0;  // nested scopes
  bool writing = false;
  bool structureChanged = false;  // pages allocated or freed in this update
  bool broken = false;
  bool stale = false;  // re-read the header before the next call
  std::unique_ptr<ntx::Tree> tree;
  std::uint32_t lastOffset = 0;
  ntx::Page* lastPage = nullptr;  // the page page() returned last, while it is cached

  Impl(std::unique_ptr<sys::File> f, NtxUse u, sys::Access a)
      : file(std::move(f)), use(u), readOnly(a == sys::Access::ReadOnly) {}

  const std::string& fileName() const override { return file->path(); }

  void readExact(std::uint64_t at, std::span<std::byte> out) {
    auto n = file->readAt(at, out);
    if (!n) throw base::IoFault(fileName(), "cannot read: " + n.error().toString());
    if (*n != out.size()) throw base::Corrupt(fileName(), static_cast<std::int64_t>(at), "page beyond the end of the file");
  }

  void write(std::uint64_t at, std::span<const std::byte> data) {
    if (auto s = file->writeAt(at, data); !s) {
      broken = true;
      throw base::IoFault(fileName(), "cannot write: " + s.toString());
    }
  }

  void loadHeader() {
    std::array<std::byte, ntx::kPageSize> b{};
    readExact(0, b);
    h = ntx::decodeHeader(b, fileName());
    g = ntx::Geometry{h.maxItems, h.keySize};
    tree = std::make_unique<ntx::Tree>(*this, h.halfPage, h.descending, h.unique);
    refreshEnd();
  }

  void refreshEnd() {
    auto size = file->size();
    if (!size) throw base::IoFault(fileName(), "cannot read the size: " + size.error().toString());
    fileEnd = (*size + ntx::kPageSize - 1) / ntx::kPageSize * ntx::kPageSize;
  }

  // After taking the lock: did another process change the file since we last looked? The
  // file's end matters only to a change, which may allocate pages there.
  void revalidate(bool write) {
    std::array<std::byte, ntx::kHeaderHotSize> now{};
    readExact(0, now);
    std::array<std::byte, ntx::kHeaderHotSize> mine{};
    ntx::encodeHot(h, mine);
    if (now != mine) {
      loadHeader();
      dropCache();
      ++generation;
    } else if (write) {
      refreshEnd();
    }
  }

  void begin(bool write) {
    write = write && !readOnly;  // its changes are refused before they lock anything
    if (broken) throw base::IoFault(fileName(), "the index was left unusable by an earlier write failure");
    if (depth++ > 0) {
      if (write && !writing) {
        lock(sys::LockKind::Exclusive);
        writing = true;
        if (use == NtxUse::Shared) refreshEnd();
      }
      return;
    }
    writing = write;
    if (cache.size() > kMaxCachedPages) trimCache();
    lock(write ? sys::LockKind::Exclusive : sys::LockKind::Shared);
    try {
      if (use == NtxUse::Shared) revalidate(write);
      if (stale) {
        loadHeader();
        stale = false;
      }
    } catch (...) {
      end();
      throw;
    }
  }

  // Between calls nothing is dirty, so any page may go.
  void trimCache() {
    forget();
    while (cache.size() > kMaxCachedPages / 2 && !loaded.empty()) {
      cache.erase(loaded.front());
      loaded.pop_front();
    }
  }

  void dropCache() {
    forget();
    cache.clear();
    loaded.clear();
  }

  void lock(sys::LockKind kind) {
    if (use != NtxUse::Shared) return;
    if (auto s = file->lockRange(ntx::kIndexLockOffset, 1, kind, sys::Wait::Yes); !s) {
      --depth;
      throw base::IoFault(fileName(), "cannot take the index lock: " + s.toString());
    }
  }

  // A scope's destructor cannot throw: a write failing here leaves the object unusable,
  // and its next call reports it.
  void end() noexcept {
    if (--depth > 0) return;
    try {
      if (!dirty.empty() || structureChanged) commit();
    } catch (const base::Fault&) {
      broken = true;
    }
    if (use == NtxUse::Shared) (void)file->unlockRange(ntx::kIndexLockOffset, 1);
    writing = false;
  }

  // A change that failed half way is dropped before anything reached the file: the next
  // call starts again from what the file holds.
  void abandon() {
    dirty.clear();
    dropCache();
    structureChanged = false;
    stale = true;
    ++generation;
  }

  template <typename Op>
  bool change(Op op) {
    bool done = false;
    try {
      done = op();
      if (done) ++generation;
      if (depth == 1 && (!dirty.empty() || structureChanged)) commit();
    } catch (const base::Corrupt&) {
      abandon();
      throw;
    } catch (const base::InternalFault&) {
      abandon();
      throw;
    }
    return done;
  }

  // Pages first, then the header: a reader that sees the new counter sees the new pages.
  void commit() {
    std::sort(dirty.begin(), dirty.end());
    dirty.erase(std::unique(dirty.begin(), dirty.end()), dirty.end());
    for (std::uint32_t off : dirty) write(off, cache.at(off)->bytes());
    dirty.clear();
    if (use == NtxUse::Shared || structureChanged) {
      ++h.version;
      std::array<std::byte, ntx::kHeaderHotSize> hot{};
      ntx::encodeHot(h, hot);
      write(0, hot);
    }
    structureChanged = false;
  }

  ntx::Page& page(std::uint32_t offset) override {
    // Walks ask for the same leaf again and again; cached pages never move in memory.
    if (offset == lastOffset && lastPage != nullptr) return *lastPage;
    if (auto it = cache.find(offset); it != cache.end()) return remember(offset, *it->second);
    if (offset == 0 || offset % ntx::kPageSize != 0)
      throw base::Corrupt(fileName(), offset, "child is not a page offset");
    std::array<std::byte, ntx::kPageSize> b{};
    readExact(offset, b);
    auto p = std::make_unique<ntx::Page>(g, offset, b);
    p->checkInvariants(fileName());
    loaded.push_back(offset);
    return remember(offset, *cache.emplace(offset, std::move(p)).first->second);
  }

  ntx::Page& remember(std::uint32_t offset, ntx::Page& p) {
    lastOffset = offset;
    lastPage = &p;
    return p;
  }
  void forget() { lastPage = nullptr; }

  void touch(ntx::Page& p) override {
    ZEL_CHECK(writing);
    dirty.push_back(p.offset());
  }

  ntx::Page& allocate() override {
    ZEL_CHECK(writing);
    structureChanged = true;
    std::uint32_t off = 0;
    if (h.freeList != 0) {
      off = h.freeList;
      std::array<std::byte, ntx::kPageSize> b{};
      if (auto it = cache.find(off); it != cache.end()) {
        std::copy(it->second->bytes().begin(), it->second->bytes().end(), b.begin());
      } else {
        readExact(off, b);
      }
      auto p = std::make_unique<ntx::Page>(g, off, b);
      h.freeList = p->child(0);
      if (h.freeList % ntx::kPageSize != 0)
        throw base::Corrupt(fileName(), off, "free list link is not a page offset");
      try {
        p->checkInvariants(fileName());
      } catch (const base::Corrupt&) {
        p = std::make_unique<ntx::Page>(g, off);  // a free page's table is not trusted
      }
      p->setKeyCount(0);
      p->setChild(0, 0);
      if (auto it = cache.find(off); it != cache.end()) {
        *it->second = *p;  // keep the object: callers may hold references to it
      } else {
        loaded.push_back(off);
        cache[off] = std::move(p);
      }
    } else {
      if (fileEnd + ntx::kPageSize > 0xFFFFFFFFull) throw base::IoFault(fileName(), "index larger than 4 GiB");
      off = static_cast<std::uint32_t>(fileEnd);
      fileEnd += ntx::kPageSize;
      cache[off] = std::make_unique<ntx::Page>(g, off);
      loaded.push_back(off);
    }
    ntx::Page& p = *cache[off];
    dirty.push_back(off);
    return p;
  }

  void release(ntx::Page& p) override {
    ZEL_CHECK(writing);
    structureChanged = true;
    p.setChild(0, h.freeList);
    h.freeList = p.offset();
    dirty.push_back(p.offset());
  }

  std::uint32_t root() const override { return h.root; }
  void setRoot(std::uint32_t offset) override {
    structureChanged = true;
    h.root = offset;
  }

  // A cursor positioned before a change, by this or another process, is found again.
  bool revive(NtxCursor& c) {
    if (c.generation == generation) return true;
    const bool ok = tree->find(c, c.key, c.recno);
    c.generation = generation;
    return ok;
  }

  bool settle(NtxCursor& c, bool on) {
    if (!on) {
      c.path.clear();
      return false;
    }
    c.generation = generation;
    c.key.assign(tree->key(c));  // keeps the cursor's buffer: no allocation per step
    c.recno = tree->recno(c);
    return true;
  }
};

NtxFile::NtxFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
NtxFile::~NtxFile() = default;

std::unique_ptr<NtxFile> NtxFile::adopt(std::unique_ptr<sys::File> file, NtxUse use, sys::Access access) {
  auto impl = std::make_unique<Impl>(std::move(file), use, access);
  impl->loadHeader();
  return std::unique_ptr<NtxFile>(new NtxFile(std::move(impl)));
}

base::Result<std::unique_ptr<NtxFile>> NtxFile::open(sys::Env& env, const std::string& path, sys::Access access,
                                                     NtxUse use) {
  auto f = env.open(path, access, sys::Creation::OpenExisting);
  if (!f) return f.error();
  return adopt(std::move(*f), use, access);
}

base::Result<std::unique_ptr<NtxFile>> NtxFile::create(sys::Env& env, const std::string& path,
                                                       const NtxDefinition& def, NtxUse use) {
  if (def.keySize == 0 || def.keySize > ntx::kMaxKeySize)
    return base::Status(base::Errc::Invalid, "index key size must be 1..256 bytes");
  auto f = env.open(path, sys::Access::ReadWrite, sys::Creation::CreateOrTruncate);
  if (!f) return f.error();
  ntx::Header h = ntx::newHeader(def.keyExpr, def.forExpr, def.keySize, def.keyDecimals, def.unique, def.descending);
  h.version = 1;
  h.root = ntx::kPageSize;
  std::array<std::byte, 2 * ntx::kPageSize> bytes{};
  ntx::encodeHeader(h, std::span<std::byte, ntx::kPageSize>(bytes.data(), ntx::kPageSize));
  ntx::Page root(ntx::Geometry{h.maxItems, h.keySize}, ntx::kPageSize);
  std::copy(root.bytes().begin(), root.bytes().end(), bytes.begin() + ntx::kPageSize);
  if (auto s = (*f)->writeAt(0, bytes); !s) return s;
  return adopt(std::move(*f), use);
}

const ntx::Header& NtxFile::header() {
  Scope g(*this, Scope::Kind::Read);
  return impl_->h;
}
const std::string& NtxFile::path() const { return impl_->fileName(); }
std::uint16_t NtxFile::keySize() const { return impl_->h.keySize; }

NtxFile::Scope::Scope(NtxFile& f, Kind kind) : f_(f) { f_.impl_->begin(kind == Kind::Write); }
NtxFile::Scope::~Scope() { f_.impl_->end(); }

bool NtxFile::top(NtxCursor& c) {
  Scope g(*this, Scope::Kind::Read);
  return impl_->settle(c, impl_->tree->top(c));
}

bool NtxFile::bottom(NtxCursor& c) {
  Scope g(*this, Scope::Kind::Read);
  return impl_->settle(c, impl_->tree->bottom(c));
}

NtxFile::Seek NtxFile::seek(NtxCursor& c, std::string_view key) {
  Scope g(*this, Scope::Kind::Read);
  key = key.substr(0, impl_->h.keySize);
  if (!impl_->settle(c, impl_->tree->seek(c, key))) return Seek::End;
  return impl_->tree->compare(std::string_view(c.key).substr(0, key.size()), key) == 0 ? Seek::Found : Seek::NotFound;
}

bool NtxFile::find(NtxCursor& c, std::string_view key, std::uint32_t recno) {
  Scope g(*this, Scope::Kind::Read);
  return impl_->settle(c, impl_->tree->find(c, key, recno));
}

bool NtxFile::next(NtxCursor& c) {
  ZEL_CHECK(c.valid());
  Scope g(*this, Scope::Kind::Read);
  if (!impl_->revive(c)) return impl_->settle(c, impl_->tree->seekAfter(c, c.key));
  return impl_->settle(c, impl_->tree->next(c));
}

bool NtxFile::prev(NtxCursor& c) {
  ZEL_CHECK(c.valid());
  Scope g(*this, Scope::Kind::Read);
  if (!impl_->revive(c)) {
    // The record left the index: step back from where its key would stand.
    const std::string key = c.key;
    if (!impl_->tree->seek(c, key)) return impl_->settle(c, impl_->tree->bottom(c));
  }
  return impl_->settle(c, impl_->tree->prev(c));
}

bool NtxFile::readOnly() const { return impl_->readOnly; }

base::Status NtxFile::refuseReadOnly() const {
  return base::Status(base::Errc::Refused, "index opened read-only: " + path());
}

base::Status NtxFile::insert(std::string_view key, std::uint32_t recno) {
  ZEL_CHECK(key.size() == impl_->h.keySize);
  if (impl_->readOnly) return refuseReadOnly();
  Scope g(*this, Scope::Kind::Write);
  if (impl_->change([&] { return impl_->tree->insert(key, recno); })) return base::Status::ok();
  return base::Status(base::Errc::Exists, "key already in the UNIQUE index " + path());
}

base::Status NtxFile::remove(std::string_view key, std::uint32_t recno) {
  ZEL_CHECK(key.size() == impl_->h.keySize);
  if (impl_->readOnly) return refuseReadOnly();
  Scope g(*this, Scope::Kind::Write);
  if (impl_->change([&] { return impl_->tree->remove(key, recno); })) return base::Status::ok();
  return base::Status(base::Errc::NotFound, "no entry for record " + std::to_string(recno) + " in " + path());
}

NtxStats NtxFile::checkInvariants() {
  Scope g(*this, Scope::Kind::Read);
  const ntx::TreeStats st = impl_->tree->checkInvariants();
  return NtxStats{st.keys, st.depth, st.pages};
}

std::uint64_t NtxFile::keyCount() { return checkInvariants().keys; }

}  // namespace xbase
