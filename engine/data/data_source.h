#pragma once
// The external table-like data source behind a TvlDBDataSet, and the link
// component through which a dataset may reach one.
//
// Cursor rules every source keeps: after Open the first record is current.
// Next on the last record sets the end flag and leaves that record current,
// so the values of the last record stay readable at the end (group footers
// print them). Prior clears the end flag and moves back one record unless
// the first is current. An empty source is at its end right after Open and
// First.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/data/components.h"
#include "engine/core/value.h"

namespace vl {

// Field kinds, as far as they decide how a field becomes a value. The large
// kinds (binary and the ones after it) hold content that picture and text
// views copy through SaveBlobToStream.
enum class TvlFieldKind : std::uint8_t {
  fkString,
  fkInteger,    // fits 32 bits
  fkLargeInt,   // 64 bits: read as its display text
  fkFloat,
  fkBoolean,
  fkDateTime,
  fkBinary,
  fkMemo,
  fkGraphic,
  fkFmtMemo,
  fkParadoxOle,
  fkDBaseOle,
  fkTypedBinary,
};

inline bool vlIsLargeField(TvlFieldKind k) noexcept { return k >= TvlFieldKind::fkBinary; }
// Kinds whose null reads as an empty text.
inline bool vlIsTextField(TvlFieldKind k) noexcept {
  return k == TvlFieldKind::fkString || k == TvlFieldKind::fkMemo || k == TvlFieldKind::fkFmtMemo;
}

struct TvlFieldDef {
  std::string Name;
  TvlFieldKind Kind = TvlFieldKind::fkString;
  bool HasTextHandler = false;  // the value is read as the display text
};

// A remembered position; 0 is "none". Valid until released or until the
// source closes.
using TvlBookmark = std::uint64_t;

class TvlDataSource : public TvlComponent {
 public:
  using TvlComponent::TvlComponent;

  // Errors (missing file, unknown table, bad query, malformed content) are
  // raised as TvlError naming the file. Opening an open source does nothing,
  // so its current record (which rbCurrent ranges start from) stays.
  virtual void Open() = 0;
  virtual void Close() = 0;
  virtual bool Active() const = 0;

  virtual void First() = 0;
  virtual void Next() = 0;
  virtual void Prior() = 0;
  virtual bool Eof() const = 0;

  virtual TvlBookmark GetBookmark() = 0;
  virtual void GotoBookmark(TvlBookmark b) = 0;
  virtual void FreeBookmark(TvlBookmark b) = 0;
  // <0, 0, >0 by position.
  virtual int CompareBookmarks(TvlBookmark a, TvlBookmark b) const = 0;

  // Fields of an open source, in column order.
  virtual const std::vector<TvlFieldDef>& FieldDefs() const = 0;
  // Index of the field of that name ignoring case; -1 when there is none.
  int FieldIndex(std::string_view name) const;
  std::vector<std::string> FieldNames() const;
  // How a field shows when laid out: its width in characters (0: not known)
  // and its caption (its name unless a source knows better).
  virtual int DisplayWidth(int field) const {
    (void)field;
    return 0;
  }
  virtual std::string DisplayName(int field) const { return FieldDefs()[static_cast<std::size_t>(field)].Name; }

  // Values of the current record, by field index (0 <= field < FieldDefs().size()).
  virtual bool IsNull(int field) const = 0;
  // The field's own value (null for a null field); writes into out so that a
  // text reuses out's storage.
  virtual void ReadValue(int field, TvlValue& out) const = 0;
  // The field's display text; valid until the next move or read of that field.
  virtual std::string_view DisplayText(int field) const = 0;
  // Copies a field's content (the bytes of a large field, the display text
  // of any other) into out; a null field writes nothing.
  virtual void SaveBlobToStream(int field, std::ostream& out) const = 0;

  // By-name forms; an unknown name reads as a null field.
  bool IsNull(std::string_view name) const;
  void ReadValue(std::string_view name, TvlValue& out) const;
};

// Puts text into out, reusing out's storage when it already holds a text.
void vlAssignText(TvlValue& out, std::string_view text);

// A field's value as report texts see it: the display text for fields with a
// text handler and for large integers, the field value otherwise; a null
// field gives an empty text for text fields, false for boolean fields and 0
// for all others.
void vlFieldValue(const TvlDataSource& source, int field, TvlValue& out);
TvlValue vlFieldValue(const TvlDataSource& source, int field);
// The same by field name, opening the source first when it is closed; a
// field the source does not list reads as null.
TvlValue vlReadField(TvlDataSource& source, std::string_view field);

// A data-source link: a component that points at an external source, so that
// several datasets can share one source and a form can swap it in one place.
class TvlDataLink : public TvlComponent {
 public:
  using TvlComponent::TvlComponent;
  ~TvlDataLink() override;
  TvlDataSource* DataSet() const noexcept { return dataSet_; }
  void SetDataSet(TvlDataSource* source);

 protected:
  void Notification(TvlComponent* other) override;

 private:
  TvlDataSource* dataSet_ = nullptr;
};

}  // namespace vl
