// src/ui/form/edit_buffer.hpp — the edit buffer of one form field while it has focus: the
// value's text under its picture, which positions may be edited, the cursor, and every
// editing key's effect on the text. Nothing here draws or reads keys (field_edit.cpp does).
//
// Rules kept after every public call:
//   B1  text().size() == the mask's size; a literal position (one the mask does not mark
//       editable) holds the character it was given at focus and is never typed over.
//   B2  pos() is always an editable position when the buffer has one.
//   B3  value() converts the text back: character text keeps the variable's characters beyond
//       the picture's reach, and drops the literals only under @R; numbers take the digits,
//       the sign and the decimal point by the template's places; dates read in the date
//       layout; logicals are true for "T" or "Y".
// The buffer starts as TRANSFORM() of the value with @Z and @B switched off. Numeric fields,
// and character fields under @K, clear themselves when the first key typed is a character
// typed at the first editable position (no cursor key pressed before).
#pragma once

#include <string>
#include <string_view>

#include "rt/settings.hpp"
#include "rt/transform.hpp"
#include "rt/value.hpp"

namespace ui {

enum class FieldKind { Character, Numeric, Date, Logical };

enum class TypeMode { Overwrite, Insert };

class EditBuffer {
 public:
  // REQUIRES: v is character, memo, numeric, date or logical.
  EditBuffer(const rt::Value& v, std::string_view picture, const rt::Settings& s);

  FieldKind kind() const { return kind_; }
  const rt::Picture& picture() const { return pic_; }
  const std::string& text() const { return text_; }
  int pos() const { return pos_; }
  int size() const { return static_cast<int>(text_.size()); }
  bool changed() const { return changed_; }
  // True after a character went into the last editable position: the field is full.
  bool typedOut() const { return typedOut_; }
  bool isEditable(int i) const;
  bool hasDecimalPoint() const { return pointAt_ >= 0; }

  // --- cursor keys ---
  void home();
  void end();
  void left();
  void right();
  void wordLeft();
  void wordRight();

  // --- editing keys ---
  // One typed character; false when the position does not accept it.
  bool type(unsigned char ch, TypeMode mode);
  void del();
  void backspace();
  void deleteWordRight();
  void deleteWordLeft();
  void deleteToEnd();
  void undo();             // back to the text the field had at focus
  void decimalPoint();     // numeric fields: integer part re-formatted, cursor on the first decimal
  void clear();            // every editable position blank, cursor on the first
  // Numeric fields: every comma outside the digit places and the decimal point becomes a
  // blank. The value read back is the same, so the buffer does not count as changed.
  void blankCommas();

  // --- conversion ---
  rt::Value value() const;  // B3
  // False for a date buffer that holds digits but no possible date (leaving is refused).
  bool dateValid() const;
  // The buffer re-made from `v` (after a validation or a hot key changed the variable);
  // the cursor stays where it was, as far as the new text allows.
  void reload(const rt::Value& v);
  // Replaces the text outright (the field reader's own rules); literals are the caller's concern.
  void setText(std::string text);

 private:
  void build(const rt::Value& v);
  int firstEditable() const;
  int lastEditable() const;
  int nextEditable(int from) const;   // -1 when none after `from`
  int prevEditable(int from) const;   // -1 when none before `from`
  int segmentEnd(int from) const;     // the first literal at or after `from`, or size()
  bool accepts(int i, unsigned char& ch) const;
  void touch() { clearPending_ = false; typedOut_ = false; }
  rt::Value numericValue() const;

  rt::Value original_;
  rt::Picture pic_;
  const rt::Settings& settings_;
  FieldKind kind_ = FieldKind::Character;
  std::string mask_;        // one character per position: the template letter, or a literal
  std::string text_;
  std::string atFocus_;
  int pos_ = 0;
  int pointAt_ = -1;        // numeric: the decimal point's position
  bool changed_ = false;
  bool clearPending_ = false;
  bool typedOut_ = false;
};

}  // namespace ui
