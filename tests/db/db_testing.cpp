// tests/db/db_testing.cpp — see db_testing.hpp.
#include "db_testing.hpp"

#include <cctype>
#include <cstdio>

#include "rt/error.hpp"

namespace dbtest {

namespace {

std::string trim(std::string s) {
  while (!s.empty() && s.back() == ' ') s.pop_back();
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  return s;
}

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

using Fn = std::function<rt::Value(rt::Runtime&)>;

// Splits at `sep` outside quotes and brackets.
std::vector<std::string> splitTop(const std::string& s, char sep) {
  std::vector<std::string> parts;
  int depth = 0;
  char quote = 0;
  std::string cur;
  for (char c : s) {
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      --depth;
    } else if (c == sep && depth == 0) {
      parts.push_back(cur);
      cur.clear();
      continue;
    }
    cur += c;
  }
  parts.push_back(cur);
  return parts;
}

Fn term(db::Workspace*& ws, std::string t);

Fn sum(db::Workspace*& ws, const std::string& s) {
  auto parts = splitTop(s, '+');
  if (parts.size() == 1) return term(ws, parts[0]);
  std::vector<Fn> fs;
  for (auto& p : parts) fs.push_back(term(ws, p));
  return [fs](rt::Runtime& r) {
    rt::Value acc = fs[0](r);
    for (std::size_t i = 1; i < fs.size(); ++i) {
      rt::Value v = fs[i](r);
      if (acc.isNumber()) acc = rt::Value::number(acc.num() + v.num(), acc.numberParts().width, acc.numberParts().decimals);
      else acc = rt::Value::character(acc.text() + v.text());
    }
    return acc;
  };
}

Fn term(db::Workspace*& ws, std::string t) {
  t = trim(t);
  if (t.size() >= 2 && (t[0] == '\'' || t[0] == '"')) {
    std::string lit = t.substr(1, t.size() - 2);
    return [lit](rt::Runtime&) { return rt::Value::character(lit); };
  }
  if (!t.empty() && (std::isdigit(static_cast<unsigned char>(t[0])) || t[0] == '-')) {
    double d = std::stod(t);
    return [d](rt::Runtime&) { return rt::Value::number(d); };
  }
  const auto open = t.find('(');
  if (open != std::string::npos) {
    const std::string fn = upper(t.substr(0, open));
    Fn arg = sum(ws, t.substr(open + 1, t.size() - open - 2));
    if (fn == "DTOS") return [arg](rt::Runtime& r) { return rt::Value::character(arg(r).date().dtos()); };
    if (fn == "UPPER") return [arg](rt::Runtime& r) { return rt::Value::character(upper(arg(r).text())); };
    if (fn == "RECNO") return [&ws](rt::Runtime&) { return rt::Value::number(ws->current()->recno(), 7, 0); };
    throw rt::RuntimeError(rt::Error{});
  }
  std::string alias;
  if (const auto arrow = t.find("->"); arrow != std::string::npos) {
    alias = t.substr(0, arrow);
    t = t.substr(arrow + 2);
  }
  return [&ws, alias, name = t](rt::Runtime& r) {
    rt::FieldRef f = ws->findField(alias, name);
    if (f.status != rt::FieldLookup::Found) throw rt::RuntimeError(rt::Error{});
    return ws->read(r, f.handle);
  };
}

}  // namespace

db::ExprCompiler smallCompiler(db::Workspace*& ws) {
  return [&ws](rt::Runtime&, const std::string& text) {
    for (const char* op : {"#", "="}) {
      auto parts = splitTop(text, op[0]);
      if (parts.size() == 2) {
        Fn a = sum(ws, parts[0]), b = sum(ws, parts[1]);
        const bool equal = op[0] == '=';
        return db::Expr{text, [a, b, equal](rt::Runtime& r) {
                          const rt::Value x = a(r), y = b(r);
                          // = between texts as with SET EXACT off: the left side starts with the right one
                          bool same = x.isText() ? x.text().compare(0, y.text().size(), y.text()) == 0 : x.num() == y.num();
                          return rt::Value::logical(same == equal);
                        }};
    }
    }
    return db::Expr{text, sum(ws, text)};
  };
}

Station::Station() : clock(sys::CivilTime{2026, 3, 14, 12, 0, 0, 0}) {
  ws = std::make_unique<db::Workspace>(env, clock, rt, smallCompiler(wsPtr));
  wsPtr = ws.get();
}

std::string Station::copyFixture(const std::string& name) const {
  std::filesystem::copy_file(testkit::fixture(name), dir / name);
  return path(name);
}

db::WorkArea& Station::use(const std::string& p, xbase::Share share, const std::string& alias) {
  auto a = ws->use(p, {alias, share, true});
  if (!a) throw std::runtime_error("use " + p + ": " + a.error().toString());
  return **a;
}

std::string Station::makeTable(const std::string& name, const std::vector<xbase::dbf::FieldSpec>& fields,
                               const std::vector<std::vector<std::string>>& rows) {
  const std::string p = path(name);
  {
    auto t = xbase::DbfFile::create(env, clock, p, fields);
    if (!t) throw std::runtime_error("create " + p + ": " + t.error().toString());
    for (const auto& row : rows) {
      auto rec = (*t)->blankRecord();
      for (std::size_t i = 0; i < row.size(); ++i) {
        if (i >= fields.size()) {  // a trailing "*" marks the record deleted
          xbase::setDeleted(rec, row[i] == "*");
          continue;
        }
        rt::Value v;
        switch (fields[i].type) {
          case 'N': v = rt::Value::number(std::stod(row[i])); break;
          case 'D': v = rt::Value::date(rt::Date::fromDtos(row[i])); break;
          case 'L': v = rt::Value::logical(row[i] == "T"); break;
          default: v = rt::Value::character(row[i]);
        }
        if (base::Status s = (*t)->setValue(rec, i, v); !s) throw std::runtime_error(s.toString());
      }
      if (!(*t)->appendRecord(rec)) throw std::runtime_error("append");
    }
    (*t)->close();
  }
  return p;
}

std::string text(const rt::Value& v) {
  switch (v.type()) {
    case rt::Type::Character:
    case rt::Type::Memo: return trim(v.text());
    case rt::Type::Numeric: {
      char b[64];
      std::snprintf(b, sizeof b, "%g", v.num());
      return b;
    }
    case rt::Type::Date: return v.date().dtos();
    case rt::Type::Logical: return v.logical() ? "T" : "F";
    default: return "NIL";
  }
}

std::vector<std::string> column(db::WorkArea& a, const std::string& field) {
  std::vector<std::string> out;
  const std::size_t i = *a.fieldIndex(field);
  for (a.goTop(); !a.eof(); a.skip()) out.push_back(text(a.value(i)));
  return out;
}

}  // namespace dbtest
