#pragma once
// An ordered list of name and value pairs, names compared without regard to
// case. In sorted mode entries stay in name order and are found by binary
// search; a name added by Set waits in a side tree (logarithmic insertion,
// so a script filling an array element by element stays fast) and joins the
// list in one merge when a position is next asked for. A write never moves
// the other values: pointers from Find stay valid until a positional call.
// Reads outside the list give defaults and writes there are ignored.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/value.h"

namespace vl {

class TvlVariables {
 public:
  struct Entry {
    std::string Name;
    TvlValue Value;
  };

  int Count() const noexcept { return static_cast<int>(entries_.size() + added_.size()); }
  int IndexOf(std::string_view name) const;

  // Items[name]: null when absent.
  TvlValue Get(std::string_view name) const;
  // Items[name] := value: replaces an existing entry's value or adds an entry.
  void Set(std::string_view name, TvlValue value);
  // Direct access for hot paths; nullptr when absent.
  TvlValue* Find(std::string_view name);
  const TvlValue* Find(std::string_view name) const;

  // Value at a position: the integer 0 outside the list.
  TvlValue ValueAt(int index) const;
  void SetValueAt(int index, TvlValue value);
  // Name at a position: empty outside the list. Renaming keeps the position.
  std::string NameAt(int index) const;
  void SetNameAt(int index, std::string_view name);

  // Gives the name the integer 0 (adding it when absent) and moves it to index.
  void Insert(int index, std::string_view name);
  void Delete(int index);
  void Clear();
  void Assign(const TvlVariables& other);

  bool Sorted() const noexcept { return sorted_; }
  void SetSorted(bool sorted);

  const std::vector<Entry>& Entries() const {
    Merge();
    return entries_;
  }

 private:
  struct Less {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const;
  };
  // Sorted mode: position of the first entry not less than name.
  int LowerBound(std::string_view name) const;
  // Sorted mode: the list's own entry of that name, nullptr when absent.
  TvlValue* FindListed(std::string_view name) const;
  // Moves the names waiting in the side tree into the list, in order.
  void Merge() const;

  // Logically const: merging keeps every name and value, only positions settle.
  mutable std::vector<Entry> entries_;
  mutable std::map<std::string, TvlValue, Less> added_;
  bool sorted_ = false;
};

}  // namespace vl
