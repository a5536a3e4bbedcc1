#include "engine/model/field_cache.h"

#include <algorithm>

#include "engine/core/text.h"

namespace vl {

std::vector<TvlFieldCache::Entry>::iterator TvlFieldCache::LowerBound(std::string_view name) {
  return std::lower_bound(entries_.begin(), entries_.end(), name,
                          [](const Entry& e, std::string_view n) { return vlCompareText(e.Name, n) < 0; });
}

TvlCacheItem* TvlFieldCache::Find(std::string_view name) {
  auto it = LowerBound(name);
  if (it == entries_.end() || vlCompareText(it->Name, name) != 0) return nullptr;
  return &it->Item;
}

void TvlFieldCache::Add(std::string_view name, TvlCacheItem item) {
  auto it = LowerBound(name);
  if (it != entries_.end() && vlCompareText(it->Name, name) == 0)
    it->Item = std::move(item);
  else
    entries_.insert(it, Entry{std::string(name), std::move(item)});
}

void TvlFieldCache::Remove(std::string_view name) {
  auto it = LowerBound(name);
  if (it != entries_.end() && vlCompareText(it->Name, name) == 0) entries_.erase(it);
}

void TvlFieldCache::Forget(const TvlDataSource* dataSet) {
  std::erase_if(entries_, [dataSet](const Entry& e) { return e.Item.Field.DataSet == dataSet; });
}

}  // namespace vl
