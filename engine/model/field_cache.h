#pragma once
// The dictionary's field cache: names already bound to a dataset field, kept
// sorted (without regard to case) so that a name written in a report text is
// found by binary search on every record.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/model/field_resolver.h"

namespace vl {

struct TvlCacheItem {
  TvlFieldBinding Field;
  // For a dictionary variable: the reference text it was bound from. When a
  // script later gives the variable another value the binding no longer holds.
  std::optional<std::string> VariableText;
};

class TvlFieldCache {
 public:
  struct Entry {
    std::string Name;
    TvlCacheItem Item;
  };

  int Count() const noexcept { return static_cast<int>(entries_.size()); }
  TvlCacheItem* Find(std::string_view name);
  // Adds the name or replaces its binding.
  void Add(std::string_view name, TvlCacheItem item);
  void Remove(std::string_view name);
  // Drops every binding to the source.
  void Forget(const TvlDataSource* dataSet);
  void Clear() noexcept { entries_.clear(); }
  const std::vector<Entry>& Entries() const noexcept { return entries_; }

 private:
  std::vector<Entry>::iterator LowerBound(std::string_view name);

  std::vector<Entry> entries_;
};

}  // namespace vl
