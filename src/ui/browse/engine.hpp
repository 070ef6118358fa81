// src/ui/browse/engine.hpp — the table browser and editor: one engine object per list
// screen, built by CLASSEDIT from the screen's column descriptions and run by DOEDIT.
// The members are defined by concern: the table view (table_view.cpp), the card view
// (card_view.cpp), key handling (keys.cpp), cell editing, appending and deleting
// (cell_edit.cpp), marks and the running total (marks.cpp), searches (search.cpp).
//
// Rules kept between keys:
//   E1  the work area stands on the record of the current row (rows_[rowPos_]) or, when
//       the view shows no record, on its phantom end record.
//   E2  rows_ holds the record numbers of the rows shown, top first; it is filled by
//       walking from the current record only as far as the view is tall, so no key
//       costs more than the rows it shows.
//   E3  0 <= column_ < columns().size() while the view has columns; frozen columns
//       (freeze_) always show at the left, the others from firstScrolled_.
//   E4  the marks are the public _ZAZNACZONE (record numbers, at most 1001); the running
//       total is the sum of the current column's values over the rows marked here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "db/work_area.hpp"
#include "ui/browse/column.hpp"
#include "ui/context.hpp"

namespace ui::browse {

// One search order offered by F5: its name (shown on the frame) and its index number
// in the work area (0 = natural order).
struct OrderChoice {
  std::string name;
  int order = 0;
};

// A key added by the caller: an action for each view (NIL: the key does nothing there).
struct CallerKey {
  int key = 0;
  rt::Value tableAction;
  rt::Value cardAction;
};

enum class ViewKind { Table, Card };

// The CLASSEDIT arguments, defaults filled in. Callbacks are code blocks (or expression
// texts); permissions are logical values or blocks evaluated when the key is pressed.
struct Options {
  con::Rect table{1, -1, 24, -1};       // -1: computed from the columns
  std::string screenKey;
  bool starTitle = false;               // the key started with "i"
  std::string tableLayout = "V0";
  rt::Value comment;                    // text, list of lines or block
  std::string frame;
  std::string colour;                   // empty: _EDIT_BLO
  con::Rect card{1, -1, -1, -1};
  bool startInTable = true;
  std::optional<std::string> cardLayout;
  rt::Value cardComment;
  rt::Value editAllowed = rt::Value::logical(false);
  rt::Value appendAllowed = rt::Value::logical(false);
  rt::Value deleteAllowed = rt::Value::logical(false);
  rt::Value keyFilter;
  bool restoreScreen = true;
  std::vector<OrderChoice> orders;
  std::optional<int> selectColumn;      // the argument as given (0, negative, >1000)
  rt::Value rowFilter;
  rt::Value goTop, goBottom;
  rt::Value colours;
  rt::Value appendConfirm;
  rt::Value appendAction;
  int lockMode = 0;
  int keep = -1;
  int commentLines = 2;
};

enum class Outcome { Left = 0, Selected = 1 };

class Engine {
 public:
  Engine(Context& c, db::WorkArea& area, Options options, std::vector<Column> tableColumns,
         std::vector<Column> cardColumns);

  Outcome run(int commentLines);  // DOEDIT
  // Handles one key as the running engine does (0: none) and redraws; for the tool and
  // the benchmarks, which drive the engine without its key loop.
  void press(int key);
  void addKey(CallerKey key) { keys_.push_back(std::move(key)); }

  // --- inspection (tests, the tool) ---
  const Options& options() const { return options_; }
  ViewKind view() const { return view_; }
  int column() const { return column_; }
  int rowPos() const { return rowPos_; }
  const std::vector<std::uint32_t>& rows() const { return rows_; }
  const std::vector<Column>& tableColumns() const { return tableCols_; }
  double total() const { return total_; }
  bool readOnly() const { return readOnly_; }
  db::WorkArea& area() { return area_; }
  // What a selection of table column `n` (1-based, clamped) types on the current record:
  // the value as text without surrounding blanks.
  std::string columnText(int n);
  // The record of the latest selection (0: none yet).
  std::uint32_t selectedRecno() const { return selectedRecno_; }

  // --- operations that other routines call by name ---
  bool EDITAPPEND();
  void DELHOR();
  void EDITSEEK();
  void EDITFIND();
  void EDITLOCATE();
  void DRAWBOX();
  void DRAWINDEX();
  void DRAWTRACE();
  void DRAWCOMMENT();

 private:
  // table_view.cpp
  con::Rect tableBox() const;
  int headingRows() const;
  int footingRows() const;
  int dataTop() const;
  int dataHeight() const;
  std::vector<int> visibleColumns() const;
  void fitColumn();
  void refill();                          // E2 around the current record
  void redraw();
  void drawRows();
  void drawRow(int i);
  void drawHeadings();
  void drawFooting();
  std::string cellText(const Column& col);
  std::pair<int, int> rowColours();       // colour numbers of a row and of its current cell
  con::Attr colourAttr(int slot) const;
  void moveRows(long n);
  void toTop();
  void toBottom();
  bool atPhantom() const { return rows_.empty(); }

  // card_view.cpp
  con::Rect cardBox() const;
  void drawCard();
  bool cardKey(int key);

  // keys.cpp
  bool handle(int key);                   // false: leave
  bool tableKey(int key);
  bool commonKey(int key);
  bool callerKey(int key);
  int readKey();
  void switchView();
  void cycleOrder();
  void freezeMore(int delta);
  void removeColumn();
  void moveColumnLeft();
  void downOrAppend();
  void clickAt(int row, int col);
  void select();
  void leave();

  // cell_edit.cpp
  void editCell();
  bool readCell(const Column& col, int idx, db::WorkArea& t, const std::string& field, bool& changed);
  bool appendStep();
  bool lockForEdit(db::WorkArea& target);
  bool writeField(db::WorkArea& target, const std::string& field, const rt::Value& v);
  void afterEdit(std::uint32_t recno, bool changed);
  bool powrotStep(const Column& col);

  // marks.cpp
  void toggleMark();
  void clearMarks();
  void drawTotal();
  bool marked(std::uint32_t recno) const;

  // search.cpp
  bool incremental(int key);
  bool keyIsText();
  std::string rowText();
  void showAtTop();

  // helpers
  bool permitted(const rt::Value& permission);
  rt::Value callback(const rt::Value& cb, std::vector<rt::Value> args = {});
  rt::Value evalColumn(const Column& col);
  bool passesRowFilter();
  std::vector<Column>& currentColumns() { return view_ == ViewKind::Table ? tableCols_ : cardCols_; }

  Context& c_;
  db::WorkArea& area_;
  Options options_;
  std::vector<Column> tableCols_;
  std::vector<Column> cardCols_;
  std::vector<CallerKey> keys_;
  std::vector<con::Attr> palette_;        // the colour's slots, the four added ones included
  ViewKind view_ = ViewKind::Table;
  bool readOnly_ = false;
  bool naturalAllowed_ = true;
  int commentLines_ = 2;
  std::vector<std::uint32_t> rows_;
  int rowPos_ = 0;
  int column_ = 0;
  int cardField_ = 0;
  int freeze_ = 0;
  int firstScrolled_ = 0;
  std::string prefix_;                    // incremental search
  double total_ = 0;
  int totalDecimals_ = 2;
  bool leaveRequested_ = false;
  Outcome outcome_ = Outcome::Left;
  std::string savedScreen_;              // the screen as DOEDIT found it
  int removedWidth_ = -1;                 // after F10: the width of the remaining columns
  std::uint32_t entryRecno_ = 0;
  std::uint32_t selectedRecno_ = 0;
  int entryOrder_ = 0;
};

}  // namespace ui::browse
