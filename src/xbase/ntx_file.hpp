// src/xbase/ntx_file.hpp — an open NTX index file: its header facts, navigation through a
// caller's cursor, key insert and delete, the page cache, and the index update lock.
// Not here: the page and tree rules (internal/ntx_page.hpp, internal/ntx_tree.hpp), bulk
// creation from many keys (ntx_build.hpp), evaluating key expressions (the work-area layer).
//
// Sharing. In shared use every call takes the index lock (1 byte at offset 1,000,000,000):
// shared while it reads, exclusive while it changes the tree. On taking it, bytes 0..11 of
// the header are read again; when the signature, the change counter, the root or the free
// list differ from what this object saw last, another process changed the file, so every
// cached page is dropped and every cursor is found again by its key and record number. A
// change writes its pages, then the header bytes 0..11 with the counter + 1, then unlocks.
// In exclusive use nothing is locked and the counter moves only when pages were allocated
// or freed. A Scope holds the lock across several calls (a walk, a batch of updates).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/result.hpp"
#include "sys/env.hpp"
#include "xbase/ntx_header.hpp"

namespace xbase {

enum class NtxUse { Exclusive, Shared };

// What a new index is: its key expression and FOR condition as text (stored in the header),
// the key's size and decimals, and its kind.
struct NtxDefinition {
  std::string keyExpr;
  std::string forExpr;
  std::uint16_t keySize = 0;
  std::uint16_t keyDecimals = 0;
  bool unique = false;
  bool descending = false;
};

// A place in an index, kept by the caller. It stays meaningful across changes made by this
// or another process: it is found again by its key and record number when needed.
struct NtxCursor {
  std::vector<std::pair<std::uint32_t, int>> path;  // per level: page offset, item index
  std::uint64_t generation = 0;
  std::string key;
  std::uint32_t recno = 0;
  bool valid() const { return !path.empty(); }
};

struct NtxStats {
  std::uint64_t keys = 0;
  int depth = 0;
  std::uint64_t pages = 0;
};

class NtxFile {
 public:
  ~NtxFile();
  NtxFile(const NtxFile&) = delete;
  NtxFile& operator=(const NtxFile&) = delete;

  // Errc::NotFound for a missing file; a file that is not an index throws Corrupt.
  static base::Result<std::unique_ptr<NtxFile>> open(sys::Env& env, const std::string& path, sys::Access access,
                                                     NtxUse use);
  // Writes a new, empty index (replacing a file of that name) and opens it.
  static base::Result<std::unique_ptr<NtxFile>> create(sys::Env& env, const std::string& path,
                                                       const NtxDefinition& def, NtxUse use);
  // Over a file already open (tests, fuzzing, the bulk builder), with the access it was
  // opened with.
  static std::unique_ptr<NtxFile> adopt(std::unique_ptr<sys::File> file, NtxUse use,
                                        sys::Access access = sys::Access::ReadWrite);

  const ntx::Header& header();  // revalidated in shared use
  const std::string& path() const;
  std::uint16_t keySize() const;

  // Holds the index lock (exclusive for Kind::Write) until destroyed; calls inside it
  // neither lock nor revalidate again. Changes are written when the outermost scope ends.
  class Scope {
   public:
    // A Write scope over a read-only index locks as a Read one; its changes are refused.
    enum class Kind { Read, Write };
    Scope(NtxFile& f, Kind kind);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    NtxFile& f_;
  };

  bool top(NtxCursor& c);
  bool bottom(NtxCursor& c);
  // Stands on the first key not before `key` in index order. Found: that key starts with
  // `key` (a shorter key matches as a prefix). NotFound: on the next key (a soft seek
  // stays there). End: no key follows; the cursor is invalid.
  enum class Seek { Found, NotFound, End };
  Seek seek(NtxCursor& c, std::string_view key);
  bool find(NtxCursor& c, std::string_view key, std::uint32_t recno);
  bool next(NtxCursor& c);
  bool prev(NtxCursor& c);

  // REQUIRES: key.size() == keySize(). Errc::Exists: a UNIQUE index has an equal key
  // already. Errc::Refused: the index was opened read-only (nothing is locked or written).
  base::Status insert(std::string_view key, std::uint32_t recno);
  // Errc::NotFound: (key, recno) is not in the index. Errc::Refused: opened read-only.
  base::Status remove(std::string_view key, std::uint32_t recno);
  bool readOnly() const;

  // The whole tree against its rules; throws Corrupt naming the rule.
  NtxStats checkInvariants();
  // The number of keys (a walk of the tree).
  std::uint64_t keyCount();

 private:
  struct Impl;
  explicit NtxFile(std::unique_ptr<Impl> impl);
  base::Status refuseReadOnly() const;
  std::unique_ptr<Impl> impl_;
};

}  // namespace xbase
