// tools/zelmoran-tool/dump_command.cpp — zelmoran-tool dump [--utf8] TABLE: every record of a
// table as tab-separated text, for comparing tables and for people.
//   line 1   #RECNO TAB DEL TAB NAME:TYPE:LEN:DEC ... (one per field, in table order)
//   then     RECNO TAB DEL TAB value ... per physical record, in record-number order;
//            DEL is '*' for a deleted record, '-' otherwise; C, N, D and L values are the
//            field's bytes as stored, untrimmed; a memo value is the memo's text.
// Every value is escaped: backslash \\, TAB \t, CR \r, LF \n, any other byte below 0x20 and
// 0x7F as \xHH (upper-case hex). Bytes 0x80-0xFF stay as they are (CP852 text), or become
// UTF-8 with --utf8.
#include <cstdio>
#include <cstring>
#include <string>

#include "base/fault.hpp"
#include "commands.hpp"
#include "rt/codepage.hpp"
#include "sys/clock.hpp"
#include "sys/posix_env.hpp"
#include "xbase/dbf_file.hpp"

namespace tool {

namespace {

void appendEscaped(std::string& out, std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      default:
        if (c < 0x20 || c == 0x7F) {
          out += "\\x";
          out += kHex[c >> 4];
          out += kHex[c & 0xF];
        } else {
          out += ch;
        }
    }
  }
}

std::string columnLine(const xbase::DbfFile& t) {
  std::string line = "#RECNO\tDEL";
  for (const auto& f : t.fields())
    line += "\t" + f.name + ":" + static_cast<char>(f.type) + ":" + std::to_string(f.length) + ":" +
            std::to_string(f.decimals);
  return line + "\n";
}

std::string recordLine(xbase::DbfFile& t, std::uint32_t recno, std::span<const std::byte> rec) {
  std::string line = std::to_string(recno) + (xbase::isDeleted(rec) ? "\t*" : "\t-");
  for (std::size_t i = 0; i < t.fields().size(); ++i) {
    line += '\t';
    if (t.fields()[i].type == xbase::dbf::FieldType::Memo) {
      appendEscaped(line, t.memoText(rec, i));
    } else {
      const auto raw = t.raw(rec, i);
      appendEscaped(line, std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()));
    }
  }
  return line + "\n";
}

void emit(const std::string& text, bool utf8) {
  const std::string out = utf8 ? rt::utf8FromCp852(text) : text;
  std::fwrite(out.data(), 1, out.size(), stdout);
}

}  // namespace

int dumpCommand(Args args) {
  bool utf8 = false;
  const char* table = nullptr;
  for (const char* a : args) {
    if (std::strcmp(a, "--utf8") == 0) utf8 = true;
    else if (table == nullptr && a[0] != '-') table = a;
    else table = nullptr, args = {};
  }
  if (table == nullptr) {
    std::fprintf(stderr, "usage: zelmoran-tool dump [--utf8] TABLE\n");
    return 2;
  }
  sys::PosixEnv env;
  sys::SystemClock clock;
  try {
    auto t = xbase::DbfFile::open(env, clock, table, xbase::Share::SharedReadOnly);
    if (!t) {
      std::fprintf(stderr, "zelmoran-tool dump: %s\n", t.error().toString().c_str());
      return 2;
    }
    emit(columnLine(**t), utf8);
    std::vector<std::byte> rec((*t)->recordLength());
    std::string chunk;
    const std::uint32_t count = (*t)->recordCount();
    for (std::uint32_t r = 1; r <= count && (*t)->readRecord(r, rec); ++r) {
      chunk += recordLine(**t, r, rec);
      if (chunk.size() > (1u << 16)) emit(chunk, utf8), chunk.clear();
    }
    emit(chunk, utf8);
    (*t)->close();
  } catch (const base::Fault& f) {
    std::fprintf(stderr, "zelmoran-tool dump: %s\n", f.what());
    return 2;
  }
  return 0;
}

}  // namespace tool
