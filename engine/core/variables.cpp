#include "engine/core/variables.h"

#include <algorithm>

#include "engine/core/text.h"

namespace vl {

int TvlVariables::LowerBound(std::string_view name) const {
  int lo = 0, hi = static_cast<int>(entries_.size());
  while (lo < hi) {
    const int mid = (lo + hi) / 2;
    if (vlCompareText(entries_[static_cast<std::size_t>(mid)].Name, name) < 0) lo = mid + 1;
    else hi = mid;
  }
  return lo;
}

bool TvlVariables::Less::operator()(std::string_view a, std::string_view b) const {
  return vlCompareText(a, b) < 0;
}

TvlValue* TvlVariables::FindListed(std::string_view name) const {
  const int k = LowerBound(name);
  if (k < static_cast<int>(entries_.size()) && vlSameText(entries_[static_cast<std::size_t>(k)].Name, name))
    return &entries_[static_cast<std::size_t>(k)].Value;
  return nullptr;
}

void TvlVariables::Merge() const {
  if (added_.empty()) return;
  std::vector<Entry> merged;
  merged.reserve(entries_.size() + added_.size());
  auto listed = entries_.begin();
  for (auto& [name, value] : added_) {
    while (listed != entries_.end() && vlCompareText(listed->Name, name) < 0) merged.push_back(std::move(*listed++));
    merged.push_back(Entry{name, std::move(value)});
  }
  while (listed != entries_.end()) merged.push_back(std::move(*listed++));
  entries_ = std::move(merged);
  added_.clear();
}

int TvlVariables::IndexOf(std::string_view name) const {
  if (sorted_) {
    Merge();
    const int k = LowerBound(name);
    return (k < Count() && vlSameText(entries_[static_cast<std::size_t>(k)].Name, name)) ? k : -1;
  }
  for (int k = 0; k < Count(); ++k)
    if (vlSameText(entries_[static_cast<std::size_t>(k)].Name, name)) return k;
  return -1;
}

TvlValue* TvlVariables::Find(std::string_view name) {
  return const_cast<TvlValue*>(static_cast<const TvlVariables*>(this)->Find(name));
}

const TvlValue* TvlVariables::Find(std::string_view name) const {
  if (sorted_) {
    if (TvlValue* v = FindListed(name)) return v;
    const auto added = added_.find(name);
    return added == added_.end() ? nullptr : &added->second;
  }
  const int k = IndexOf(name);
  return k < 0 ? nullptr : &entries_[static_cast<std::size_t>(k)].Value;
}

TvlValue TvlVariables::Get(std::string_view name) const {
  const TvlValue* v = Find(name);
  return v ? *v : TvlValue::Null();
}

void TvlVariables::Set(std::string_view name, TvlValue value) {
  if (sorted_) {
    if (TvlValue* v = FindListed(name)) *v = std::move(value);
    else added_.insert_or_assign(std::string(name), std::move(value));
    return;
  }
  if (TvlValue* v = Find(name)) {
    *v = std::move(value);
  } else {
    entries_.push_back(Entry{std::string(name), std::move(value)});
  }
}

TvlValue TvlVariables::ValueAt(int index) const {
  Merge();
  if (index < 0 || index >= Count()) return TvlValue(0);
  return entries_[static_cast<std::size_t>(index)].Value;
}

void TvlVariables::SetValueAt(int index, TvlValue value) {
  Merge();
  if (index < 0 || index >= Count()) return;
  entries_[static_cast<std::size_t>(index)].Value = std::move(value);
}

std::string TvlVariables::NameAt(int index) const {
  Merge();
  if (index < 0 || index >= Count()) return {};
  return entries_[static_cast<std::size_t>(index)].Name;
}

void TvlVariables::SetNameAt(int index, std::string_view name) {
  Merge();
  if (index < 0 || index >= Count()) return;
  entries_[static_cast<std::size_t>(index)].Name = std::string(name);
  if (sorted_) SetSorted(true);  // keep the order
}

void TvlVariables::Insert(int index, std::string_view name) {
  Set(name, TvlValue(0));
  if (sorted_) return;  // a sorted list decides positions itself
  const int from = IndexOf(name);
  const int to = std::clamp(index, 0, Count() - 1);
  if (from == to || from < 0) return;
  Entry e = std::move(entries_[static_cast<std::size_t>(from)]);
  entries_.erase(entries_.begin() + from);
  entries_.insert(entries_.begin() + to, std::move(e));
}

void TvlVariables::Delete(int index) {
  Merge();
  if (index < 0 || index >= Count()) return;
  entries_.erase(entries_.begin() + index);
}

void TvlVariables::Clear() {
  entries_.clear();
  added_.clear();
}

void TvlVariables::Assign(const TvlVariables& other) {
  if (&other == this) return;
  Clear();
  for (const Entry& e : other.Entries()) Set(e.Name, e.Value);
}

void TvlVariables::SetSorted(bool sorted) {
  Merge();
  sorted_ = sorted;
  if (!sorted_) return;
  std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
    return vlCompareText(a.Name, b.Name) < 0;
  });
  // Duplicate names are never kept in sorted mode: the first one stays.
  entries_.erase(std::unique(entries_.begin(), entries_.end(),
                             [](const Entry& a, const Entry& b) { return vlSameText(a.Name, b.Name); }),
                 entries_.end());
}

}  // namespace vl
