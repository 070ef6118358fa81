// src/db/workspace.cpp — work areas, aliases, selection and field access for expressions.
#include "db/workspace.hpp"

#include <algorithm>
#include <cctype>

#include "db/work_area.hpp"

namespace db {

using base::Errc;
using base::Status;

namespace {

std::string upper(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return r;
}

rt::Error dbError(rt::GenCode code, std::string description, std::string operation) {
  rt::Error e;
  e.genCode = code;
  e.subsystem = "DBCMD";
  e.description = std::move(description);
  e.operation = std::move(operation);
  return e;
}

}  // namespace

std::string defaultAlias(std::string_view path) {
  const auto slash = path.find_last_of("/\\:");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  if (const auto dot = name.rfind('.'); dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  return upper(name);
}

Workspace::Workspace(sys::Env& env, const sys::Clock& clock, rt::Runtime& rt, ExprCompiler compiler)
    : env_(env), clock_(clock), rt_(rt), compiler_(std::move(compiler)) {
  rt_.setDataSource(this);
}

Workspace::~Workspace() {
  if (rt_.dataSource() == this) rt_.setDataSource(nullptr);
  try {
    closeAll();
  } catch (...) {  // NOLINT: nothing can be reported from here; callers close first to see faults
  }
}

int Workspace::lowestFree() const {
  for (int i = 0; i < kMaxAreas; ++i)
    if (!areas_[i]) return i + 1;
  return 0;
}

void Workspace::select(int area) {
  ZEL_CHECK(area >= 0 && area <= kMaxAreas);
  if (area == 0) area = lowestFree();
  if (area == 0) area = kMaxAreas;
  setCurrent(area);
}

Status Workspace::select(std::string_view alias) {
  const int n = areaOf(alias);
  if (n == 0) return Status(Errc::NotFound, "no alias " + std::string(alias));
  setCurrent(n);
  return Status::ok();
}

int Workspace::areaOf(std::string_view alias) const {
  const std::string a = upper(alias);
  for (int i = 0; i < kMaxAreas; ++i)
    if (areas_[i] && areas_[i]->alias() == a) return i + 1;
  if (a.size() == 1 && a[0] >= 'A' && a[0] <= 'K') return a[0] - 'A' + 1;
  return 0;
}

Status Workspace::checkAlias(const std::string& alias, int replacing) const {
  if (alias.empty()) return Status(Errc::Invalid, "empty alias");
  if (alias.size() == 1 && ((alias[0] >= 'A' && alias[0] <= 'K') || alias[0] == 'M'))
    return Status(Errc::Invalid, "alias " + alias + " names a work area or memory variables");
  for (int i = 0; i < kMaxAreas; ++i)
    if (i + 1 != replacing && areas_[i] && areas_[i]->alias() == alias)
      return Status(Errc::Exists, "alias " + alias + " already in use");
  return Status::ok();
}

base::Result<WorkArea*> Workspace::use(const std::string& path, const UseOptions& options) {
  if (options.newArea) select(0);
  const std::string alias = upper(options.alias.empty() ? defaultAlias(path) : options.alias);
  if (Status s = checkAlias(alias, current_); !s) return s;
  close(current_);
  auto table = xbase::DbfFile::open(env_, clock_, path, options.share);
  if (!table) return table.error();
  areas_[current_ - 1] = std::make_unique<WorkArea>(*this, current_, alias, std::move(*table));
  openedAs_[current_ - 1] = ++openings_;
  ++epoch_;
  return areas_[current_ - 1].get();
}

void Workspace::close(int n) {
  WorkArea* a = area(n);
  if (a == nullptr) return;
  for (auto& other : areas_)
    if (other) other->forgetChild(*a);
  a->close();
  areas_[n - 1].reset();
  ++epoch_;
}

void Workspace::closeAll() {
  for (int i = 1; i <= kMaxAreas; ++i) close(i);
}

void Workspace::closeOpenedAfter(std::uint64_t mark) {
  for (int i = 1; i <= kMaxAreas; ++i)
    if (areas_[i - 1] && openedAs_[i - 1] > mark) close(i);
}

rt::Value Workspace::evalIn(WorkArea& area, const Expr& e) {
  Selection sel(*this, area.number());
  return e.fn(rt_);
}

bool Workspace::testIn(WorkArea& area, const Expr& e) {
  const rt::Value v = evalIn(area, e);
  return v.isLogical() && v.logical();
}

// ---- rt::DataSource -----------------------------------------------------------------------

rt::FieldRef Workspace::findField(std::string_view alias, std::string_view name) {
  const int n = alias.empty() ? current_ : areaOf(alias);
  WorkArea* a = area(n);
  if (a == nullptr) return {rt::FieldLookup::NoAlias, {}};
  const auto i = a->fieldIndex(name);
  if (!i) return {rt::FieldLookup::NoField, {}};
  return {rt::FieldLookup::Found, {n, static_cast<std::int32_t>(*i)}};
}

rt::Value Workspace::read(rt::Runtime&, rt::FieldHandle h) {
  WorkArea* a = area(h.area);
  ZEL_CHECK(a != nullptr);
  return a->value(static_cast<std::size_t>(h.column));
}

void Workspace::write(rt::Runtime& rt, rt::FieldHandle h, const rt::Value& v) {
  WorkArea* a = area(h.area);
  ZEL_CHECK(a != nullptr);
  const auto column = static_cast<std::size_t>(h.column);
  Status s = a->replace(column, v);
  if (s) return;
  const std::string field = a->field(column).name;
  if (s.is(Errc::Refused) && a->table().share() == xbase::Share::SharedReadOnly) {
    (void)rt.raise(dbError(rt::GenCode::ReadOnly, "Write not allowed", field));
  } else if (s.is(Errc::Refused)) {
    (void)rt.raise(dbError(rt::GenCode::Unlocked, "Record not locked", field));
  } else if (v.type() == rt::Type::Numeric && a->field(column).type == xbase::dbf::FieldType::Numeric) {
    (void)rt.raise(dbError(rt::GenCode::DataWidth, "Data width error", field));
  } else {
    (void)rt.raise(dbError(rt::GenCode::DataType, "Data type error", field));
  }
}

rt::Value Workspace::inArea(rt::Runtime& rt, const rt::Value& which, const std::function<rt::Value()>& body) {
  int n = 0;
  if (which.isNumber()) {
    const double d = which.num();
    n = d >= 1 && d <= kMaxAreas ? static_cast<int>(d) : 0;
  } else if (which.isText()) {
    n = areaOf(which.text());
  }
  if (n == 0) {
    std::string name = which.isText() ? which.text() : "";
    return rt.raise(dbError(rt::GenCode::NoAlias, "Alias does not exist", name));
  }
  Selection sel(*this, n);
  return body();
}

}  // namespace db
