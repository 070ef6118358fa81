// src/db/record_key.hpp — index keys read straight from a record buffer, for the key
// expressions that index builds and index upkeep meet most: field names, FIELD->name,
// character literals, UPPER, SUBSTR, LEFT, DTOS and STR with constant arguments, and the
// functions of one character argument that have a text form in the runtime's function table
// (rt::TextForm), joined by `+`. Any other text gets no RecordKey, and the caller evaluates
// it through the runtime. The text forms are prepared when the key is compiled and again
// by prepare(): a key kept across a change of what they read (a picture in a variable) is
// prepared before it is used.
// Not here: the general evaluator (rt), encoding a key value (order.hpp).
//
// Rules:
//   K1  for every record, bytes(record) equals encodeKey(value of the expression with the
//       record current, size, decimals): the same functions with the same argument rules
//       (SUBSTR's start 0 as 1, a start past the end giving "", counts clipped to the text).
//   K2  only a name that is a field of the table is read from the record; a name that is not
//       (a memory variable) leaves the expression to the runtime, as does a memo field, a
//       `+` over anything but character values, or a call with a non-constant argument.
//   K3  character and date keys allocate nothing per record once the first one is built
//       (text forms aside, whose maps may).
//   K4  K1 holds for the runtime's state when the key was compiled or last prepared.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/dbf_field.hpp"

namespace rt {
class Runtime;
}

namespace db {

class RecordKey {
 public:
  // nullptr when the text lies outside the forms above. Text forms are looked up in
  // `runtime`'s function table (none without one); the runtime must outlive the key.
  static std::unique_ptr<RecordKey> compile(std::string_view text, const std::vector<xbase::dbf::Field>& fields,
                                            const rt::Runtime* runtime = nullptr);
  ~RecordKey();
  RecordKey(const RecordKey&) = delete;
  RecordKey& operator=(const RecordKey&) = delete;

  // Prepares the text forms again against the runtime's current settings and variables (K4).
  void prepare();

  // The key bytes of `record` for an index key of `size` bytes with `decimals` (K1). The
  // view stays valid until the next call.
  std::string_view bytes(std::span<const std::byte> record, std::size_t size, std::size_t decimals);

  struct Node;

 private:
  explicit RecordKey(std::unique_ptr<Node> root);
  std::unique_ptr<Node> root_;
  std::vector<Node*> mapped_;  // the nodes with a text form, in root_
  std::string out_;
};

}  // namespace db
