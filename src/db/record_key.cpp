// src/db/record_key.cpp — key expressions compiled to a reader of record bytes (K1..K3 in
// record_key.hpp): a small parser for the accepted forms and the evaluation over a record.
#include "db/record_key.hpp"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "rt/arguments.hpp"
#include "rt/codepage.hpp"
#include "rt/number_text.hpp"
#include "rt/runtime.hpp"
#include "rt/text.hpp"
#include "xbase/field_codec.hpp"
#include "xbase/ntx_key.hpp"

namespace db {

struct RecordKey::Node {
  enum class Kind { Field, Literal, Upper, Substr, Left, Dtos, Str, Concat, Mapped };
  Kind kind = Kind::Literal;
  char type = 'C';  // of the value: C N D L
  xbase::dbf::Field field{};  // a copy: the table's field list is replaced when the file is reopened (ZAP, PACK)
  std::string scratch;  // a literal's text, or the value built for the last record
  long long args[2] = {0, 0};
  int argCount = 0;  // constant number arguments after the first
  std::vector<std::unique_ptr<Node>> kids;
  std::shared_ptr<const rt::TextForm> form;  // Mapped: the function's text form,
  rt::TextMap map;                           // prepared against `runtime`
  const rt::Runtime* runtime = nullptr;
};

namespace {

using Node = RecordKey::Node;
using Kind = Node::Kind;
using xbase::dbf::FieldType;

std::string_view fieldBytes(const xbase::dbf::Field& f, std::span<const std::byte> record) {
  return {reinterpret_cast<const char*>(record.data()) + f.offset, f.length};
}

// True when the stored bytes of a date field are a date the runtime reads back unchanged:
// eight digits, a year from 0001, a month 01..12 and a day of that month. DTOS of such a
// field gives the bytes themselves; anything else is decoded and formatted again (an
// impossible date such as 20230229 becomes the empty date).
bool isReadableDate(std::string_view s) {
  if (s.size() != 8) return false;
  int v[3] = {0, 0, 0};
  const int widths[3] = {4, 2, 2};
  std::size_t at = 0;
  for (int part = 0; part < 3; ++part)
    for (int i = 0; i < widths[part]; ++i, ++at) {
      const char c = s[at];
      if (c < '0' || c > '9') return false;
      v[part] = v[part] * 10 + (c - '0');
    }
  return v[0] >= 1 && v[2] >= 1 && v[2] <= rt::daysInMonth(v[0], v[1]);  // 0 days outside 1..12
}

// ---- parsing ------------------------------------------------------------------------------

class Parser {
 public:
  Parser(std::string_view text, const std::vector<xbase::dbf::Field>& fields, const rt::Runtime* runtime)
      : s_(text), fields_(fields), runtime_(runtime) {}

  std::unique_ptr<Node> parse() {
    auto n = expression();
    skipBlanks();
    return n && at_ == s_.size() ? std::move(n) : nullptr;
  }

 private:
  void skipBlanks() {
    while (at_ < s_.size() && (s_[at_] == ' ' || s_[at_] == '\t')) ++at_;
  }
  bool eat(std::string_view token) {
    skipBlanks();
    if (s_.substr(at_, token.size()) != token) return false;
    at_ += token.size();
    return true;
  }
  std::string name() {
    skipBlanks();
    std::size_t end = at_;
    const auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    if (end < s_.size() && (std::isalpha(static_cast<unsigned char>(s_[end])) || s_[end] == '_'))
      while (end < s_.size() && word(s_[end])) ++end;
    std::string n = rt::asciiUpper(s_.substr(at_, end - at_));
    at_ = end;
    return n;
  }
  bool number(long long& out) {
    skipBlanks();
    std::size_t end = at_;
    while (end < s_.size() && std::isdigit(static_cast<unsigned char>(s_[end]))) ++end;
    if (end == at_ || end - at_ > 9) return false;
    if (end < s_.size() && (s_[end] == '.' || std::isalpha(static_cast<unsigned char>(s_[end])))) return false;
    out = std::stoll(std::string(s_.substr(at_, end - at_)));
    at_ = end;
    return true;
  }

  std::unique_ptr<Node> expression() {
    auto first = term();
    if (!first) return nullptr;
    std::vector<std::unique_ptr<Node>> parts;
    parts.push_back(std::move(first));
    while (eat("+")) {
      auto next = term();
      if (!next) return nullptr;
      parts.push_back(std::move(next));
    }
    if (parts.size() == 1) return std::move(parts[0]);
    auto n = std::make_unique<Node>();
    n->kind = Kind::Concat;
    for (auto& p : parts)
      if (p->type != 'C') return nullptr;  // K2: `+` over numbers or dates is arithmetic
    n->kids = std::move(parts);
    return n;
  }

  std::unique_ptr<Node> term() {
    skipBlanks();
    if (at_ >= s_.size()) return nullptr;
    const char c = s_[at_];
    if (c == '\'' || c == '"') return literal(c);
    if (c == '(') {
      ++at_;
      auto n = expression();
      return n && eat(")") ? std::move(n) : nullptr;
    }
    const std::string word = name();
    if (word.empty()) return nullptr;
    if (eat("->")) return word == "FIELD" ? fieldNamed(name()) : nullptr;
    if (eat("(")) return call(word);
    return fieldNamed(word);
  }

  std::unique_ptr<Node> literal(char quote) {
    const std::size_t end = s_.find(quote, at_ + 1);
    if (end == std::string_view::npos) return nullptr;
    auto n = std::make_unique<Node>();
    n->scratch = std::string(s_.substr(at_ + 1, end - at_ - 1));
    if (n->scratch.find('&') != std::string::npos) return nullptr;  // a macro inside the text
    at_ = end + 1;
    return n;
  }

  std::unique_ptr<Node> fieldNamed(const std::string& n) {
    for (const auto& f : fields_) {
      if (f.name != n) continue;
      if (f.type == FieldType::Memo) return nullptr;
      auto node = std::make_unique<Node>();
      node->kind = Kind::Field;
      node->field = f;
      node->type = static_cast<char>(f.type);
      return node;
    }
    return nullptr;  // K2: a memory variable, or a name the runtime reports
  }

  // Built-ins that the runtime also knows by their first four letters.
  static bool abbreviates(const std::string& word, std::string_view full) {
    return word.size() >= 4 && word.size() <= full.size() && full.substr(0, word.size()) == word;
  }

  std::unique_ptr<Node> call(const std::string& word) {
    auto n = std::make_unique<Node>();
    if (abbreviates(word, "UPPER")) n->kind = Kind::Upper;
    else if (abbreviates(word, "SUBSTR")) n->kind = Kind::Substr;
    else if (word == "LEFT") n->kind = Kind::Left;
    else if (word == "DTOS") n->kind = Kind::Dtos;
    else if (word == "STR") n->kind = Kind::Str;
    else if (runtime_ != nullptr && (n->form = runtime_->functions().textForm(word))) n->kind = Kind::Mapped;
    else return nullptr;
    n->runtime = runtime_;
    auto arg = expression();
    if (!arg) return nullptr;
    while (eat(",")) {
      if (n->argCount == 2 || !number(n->args[n->argCount])) return nullptr;
      ++n->argCount;
    }
    if (!eat(")")) return nullptr;
    const char t = arg->type;
    n->kids.push_back(std::move(arg));
    switch (n->kind) {
      case Kind::Upper: return t == 'C' && n->argCount == 0 ? std::move(n) : nullptr;
      case Kind::Substr: return t == 'C' && n->argCount >= 1 ? std::move(n) : nullptr;
      case Kind::Left: return t == 'C' && n->argCount == 1 ? std::move(n) : nullptr;
      case Kind::Dtos: return t == 'D' && n->argCount == 0 ? std::move(n) : nullptr;
      case Kind::Str: return t == 'N' && n->kids[0]->kind == Kind::Field ? std::move(n) : nullptr;
      case Kind::Mapped: return t == 'C' && n->argCount == 0 ? std::move(n) : nullptr;
      default: return nullptr;
    }
  }

  std::string_view s_;
  const std::vector<xbase::dbf::Field>& fields_;
  const rt::Runtime* runtime_;
  std::size_t at_ = 0;
};

// ---- evaluation ---------------------------------------------------------------------------

// The character value of `n` for `record` (REQUIRES: n.type == 'C'), as the runtime's
// functions of the same name compute it.
std::string_view text(Node& n, std::span<const std::byte> record) {
  switch (n.kind) {
    case Kind::Field: return fieldBytes(n.field, record);
    case Kind::Literal: return n.scratch;
    case Kind::Upper: {
      const std::string_view v = text(*n.kids[0], record);
      n.scratch.resize(v.size());
      for (std::size_t i = 0; i < v.size(); ++i)
        n.scratch[i] = static_cast<char>(rt::upperCp852(static_cast<unsigned char>(v[i])));
      return n.scratch;
    }
    case Kind::Substr: {
      const std::string_view v = text(*n.kids[0], record);
      const auto len = static_cast<long long>(v.size());
      long long start = n.args[0];
      if (start == 0) start = 1;
      if (start > len) return {};
      const long long count = std::min(n.argCount > 1 ? n.args[1] : len, len - start + 1);
      return count <= 0 ? std::string_view{} : v.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
    }
    case Kind::Left: {
      const std::string_view v = text(*n.kids[0], record);
      return v.substr(0, static_cast<std::size_t>(std::clamp(n.args[0], 0LL, static_cast<long long>(v.size()))));
    }
    case Kind::Dtos: {
      const xbase::dbf::Field& f = n.kids[0]->field;
      if (const std::string_view stored = fieldBytes(f, record); isReadableDate(stored)) return stored;
      n.scratch = xbase::decodeDate(record.subspan(f.offset, f.length)).dtos();
      return n.scratch;
    }
    case Kind::Str: {
      const xbase::dbf::Field& f = n.kids[0]->field;
      const double v = xbase::decodeNumber(record.subspan(f.offset, f.length));
      if (n.argCount == 0) {
        const int dec = f.decimals;
        n.scratch = rt::str(rt::Number{v, static_cast<std::int16_t>(f.length - (dec > 0 ? dec + 1 : 0)),
                                       static_cast<std::int16_t>(dec)});
      } else {
        n.scratch = rt::str(v, static_cast<int>(n.args[0]), n.argCount > 1 ? static_cast<int>(n.args[1]) : 0);
      }
      return n.scratch;
    }
    case Kind::Mapped: {
      const std::string_view v = text(*n.kids[0], record);
      n.map(v, n.scratch);
      return n.scratch;
    }
    case Kind::Concat: {
      n.scratch.clear();
      for (auto& k : n.kids) n.scratch.append(text(*k, record));
      return n.scratch;
    }
  }
  return {};
}

void collectMapped(Node& n, std::vector<Node*>& out) {
  if (n.kind == Kind::Mapped) out.push_back(&n);
  for (auto& k : n.kids) collectMapped(*k, out);
}

}  // namespace

RecordKey::RecordKey(std::unique_ptr<Node> root) : root_(std::move(root)) {
  collectMapped(*root_, mapped_);
  prepare();
}
RecordKey::~RecordKey() = default;

void RecordKey::prepare() {
  for (Node* n : mapped_) n->map = (*n->form)(*n->runtime);
}

std::unique_ptr<RecordKey> RecordKey::compile(std::string_view text, const std::vector<xbase::dbf::Field>& fields,
                                              const rt::Runtime* runtime) {
  auto root = Parser(text, fields, runtime).parse();
  if (!root) return nullptr;
  return std::unique_ptr<RecordKey>(new RecordKey(std::move(root)));
}

std::string_view RecordKey::bytes(std::span<const std::byte> record, std::size_t size, std::size_t decimals) {
  Node& n = *root_;
  switch (n.type) {
    case 'C': {
      const std::string_view v = text(n, record);
      out_.resize(size);
      const std::size_t take = std::min(size, v.size());
      std::memcpy(out_.data(), v.data(), take);
      std::memset(out_.data() + take, ' ', size - take);
      return out_;
    }
    case 'N': {
      const auto raw = record.subspan(n.field.offset, n.field.length);
      out_ = xbase::numericKey(xbase::decodeNumber(raw), static_cast<int>(size), static_cast<int>(decimals));
      return out_;
    }
    case 'D': out_ = xbase::dateKey(xbase::decodeDate(record.subspan(n.field.offset, n.field.length))); return out_;
    default: out_ = xbase::logicalKey(xbase::decodeLogical(record.subspan(n.field.offset, n.field.length))); return out_;
  }
}

}  // namespace db
