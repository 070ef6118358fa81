// src/db/workspace.hpp — the numbered work areas of one station, their aliases and the
// current area; and the way expressions see fields (rt::DataSource).
// Not here: one open table and its movement (work_area.hpp), bulk operations (bulk_*.hpp),
// the database functions of expressions (db_functions.hpp).
//
// Rules:
//   W1  areas are numbered 1..kMaxAreas; selecting 0 selects the lowest area with no table.
//   W2  an alias names one open area; aliases compare without case. A single letter A..K
//       names area 1..11 and M names memory variables, so no table may take one as alias.
//   W3  opening a table in an area closes what was open there first.
//   W4  epoch() changes whenever a name could come to mean another field: a table opened or
//       closed, or another area selected.
//   W5  every expression of an area (keys, conditions, filters, relations) is evaluated with
//       that area selected; the previous area is selected again afterwards, also on a throw.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.hpp"
#include "db/expr.hpp"
#include "rt/data_source.hpp"
#include "rt/runtime.hpp"
#include "sys/clock.hpp"
#include "sys/env.hpp"
#include "xbase/dbf_file.hpp"

namespace db {

class WorkArea;

inline constexpr int kMaxAreas = 250;

struct UseOptions {
  std::string alias;                        // empty: the file name without folder and extension
  xbase::Share share = xbase::Share::Shared;
  bool newArea = false;                     // select the lowest free area first
};

class Workspace final : public rt::DataSource {
 public:
  // Becomes the runtime's data source until destroyed.
  Workspace(sys::Env& env, const sys::Clock& clock, rt::Runtime& rt, ExprCompiler compiler = runtimeCompiler());
  ~Workspace() override;
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  sys::Env& env() { return env_; }
  const sys::Clock& clock() const { return clock_; }
  rt::Runtime& runtime() { return rt_; }
  bool hideDeleted() const { return rt_.settings().deleted; }

  // Opens `path` in the current area (W3). Errc::NotFound, Errc::Locked (another station),
  // Errc::Exists (alias in use), Errc::Invalid (alias not usable). Throws Corrupt.
  base::Result<WorkArea*> use(const std::string& path, const UseOptions& options = {});
  void close(int area);  // nothing happens for an area without a table
  void closeAll();
  // Every table opened gets the next number of the workspace's openings: a mark taken
  // before some work tells the tables that work opened from those open before it, also
  // where the work reopened an area.
  std::uint64_t openings() const { return openings_; }
  void closeOpenedAfter(std::uint64_t mark);

  int selected() const { return current_; }
  void select(int area);                                // W1; REQUIRES: 0 <= area <= kMaxAreas
  base::Status select(std::string_view alias);          // Errc::NotFound: no such alias
  int lowestFree() const;                               // 0 when every area is in use
  WorkArea* current() { return areas_[current_ - 1].get(); }
  WorkArea* area(int n) { return n >= 1 && n <= kMaxAreas ? areas_[n - 1].get() : nullptr; }
  // The area an alias names: an open table's alias or a letter A..K. 0 when none.
  int areaOf(std::string_view alias) const;
  WorkArea* find(std::string_view alias) { return area(areaOf(alias)); }

  Expr compile(const std::string& text) { return compiler_(rt_, text); }
  rt::Value evalIn(WorkArea& area, const Expr& e);  // W5
  bool testIn(WorkArea& area, const Expr& e);       // a condition: .T. passes, anything else fails

  // rt::DataSource
  std::uint64_t epoch() const override { return epoch_; }
  rt::FieldRef findField(std::string_view alias, std::string_view name) override;
  rt::Value read(rt::Runtime& rt, rt::FieldHandle h) override;
  void write(rt::Runtime& rt, rt::FieldHandle h, const rt::Value& v) override;
  rt::Value inArea(rt::Runtime& rt, const rt::Value& area, const std::function<rt::Value()>& body) override;

  // Selects an area for the life of the object (W5).
  class Selection {
   public:
    Selection(Workspace& ws, int area) : ws_(ws), previous_(ws.current_) { ws.setCurrent(area); }
    ~Selection() { ws_.setCurrent(previous_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

   private:
    Workspace& ws_;
    int previous_;
  };

 private:
  void setCurrent(int area) {
    if (area != current_) {
      current_ = area;
      ++epoch_;
    }
  }
  base::Status checkAlias(const std::string& alias, int replacing) const;

  sys::Env& env_;
  const sys::Clock& clock_;
  rt::Runtime& rt_;
  ExprCompiler compiler_;
  std::array<std::unique_ptr<WorkArea>, kMaxAreas> areas_;
  std::array<std::uint64_t, kMaxAreas> openedAs_{};  // the opening number of each area's table
  std::uint64_t openings_ = 0;
  int current_ = 1;
  std::uint64_t epoch_ = 1;
};

// "ORDERS" for "dane/orders.dbf": the default alias of a table.
std::string defaultAlias(std::string_view path);

}  // namespace db
