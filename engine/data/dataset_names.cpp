#include "engine/data/dataset_names.h"

#include "engine/data/db_dataset.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/model/band_kinds.h"
#include "engine/model/codes.h"

namespace vl {
namespace {

[[noreturn]] void Missing(std::string_view path) {
  throw TvlError(vlLoadStr(str::kMissing) + std::string(path));
}

TvlComponent* FindPath(const std::vector<std::string>& parts, std::size_t count,
                       const TvlComponent* reportOwner) {
  if (count == 0 || count > 3) return nullptr;
  if (count == 1) return reportOwner ? reportOwner->FindComponent(parts[0]) : nullptr;
  TvlComponent* c = vlForms().Find(parts[0]);
  for (std::size_t k = 1; c && k < count; ++k) c = c->FindComponent(parts[k]);
  return c;
}

// A count: digits only, the first 1 to 9, within 32 bits; -1 otherwise.
std::int64_t ParseCount(std::string_view text) {
  if (text.empty() || text[0] < '1' || text[0] > '9' || text.size() > 10) return -1;
  std::int64_t n = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') return -1;
    n = n * 10 + (ch - '0');
  }
  return n <= INT32_MAX ? n : -1;
}

}  // namespace

TvlComponent& vlFindComponentPath(std::string_view path, const TvlComponent* reportOwner) {
  const std::vector<std::string> parts = vlSplit(path, '.');
  TvlComponent* c = FindPath(parts, parts.size(), reportOwner);
  if (!c) Missing(path);
  return *c;
}

TvlDatasetRef vlResolveDataset(std::string_view text, const TvlComponent* reportOwner) {
  TvlDatasetRef ref;
  const std::string name = vlTrim(text);
  if (name.empty()) return ref;
  if (name[0] >= '1' && name[0] <= '9') {
    // A number prints the band that many times; "12x" names nothing.
    const std::int64_t count = ParseCount(name);
    if (count < 0) Missing(name);
    auto ds = std::make_unique<TvlUserDataset>();
    ds->RangeEnd = reCount;
    ds->RangeEndCount = static_cast<std::int32_t>(count);
    ref.Dataset = ds.get();
    ref.Owned = std::move(ds);
  } else {
    TvlComponent& c = vlFindComponentPath(name, reportOwner);
    ref.Dataset = dynamic_cast<TvlDataset*>(&c);
    if (!ref.Dataset) throw TvlError(vlLoadStr(str::kNotADataset) + name);
  }
  ref.Dataset->Init();
  return ref;
}

std::vector<std::string> vlSplitFieldReference(std::string_view text) {
  std::vector<std::string> parts;
  std::size_t i = 0;
  while (i <= text.size()) {
    if (i < text.size() && text[i] == '"') {
      parts.emplace_back(text.substr(i));
      break;
    }
    const std::size_t dot = text.find('.', i);
    if (dot == std::string_view::npos) {
      parts.emplace_back(text.substr(i));
      break;
    }
    parts.emplace_back(text.substr(i, dot - i));
    i = dot + 1;
  }
  std::string& last = parts.back();
  if (last.size() > 2 && last.front() == '"' && last.back() == '"') last = last.substr(1, last.size() - 2);
  return parts;
}

TvlDataSource* vlDataSourceOf(TvlComponent* component) {
  if (auto* s = dynamic_cast<TvlDataSource*>(component)) return s;
  if (auto* l = dynamic_cast<TvlDataLink*>(component)) return l->DataSet();
  if (auto* d = dynamic_cast<TvlDBDataSet*>(component)) return d->GetDataSet();
  return nullptr;
}

TvlFieldRef vlGetDatasetAndField(std::string_view text, TvlDataSource* defaultDataSet,
                                 const TvlComponent* reportOwner) {
  TvlFieldRef ref;
  if (text.empty()) return ref;
  const std::vector<std::string> parts = vlSplitFieldReference(text);
  const std::size_t n = parts.size();
  if (n > 4) return ref;
  TvlDataSource* source =
      n == 1 ? defaultDataSet : vlDataSourceOf(FindPath(parts, n - 1, reportOwner));
  const std::string& field = parts.back();
  if (!source || field.empty()) return ref;
  if (!source->Active()) source->Open();
  const int index = source->FieldIndex(field);
  if (index < 0) return ref;
  ref.DataSet = source;
  ref.FieldIndex = index;
  ref.Field = source->FieldDefs()[static_cast<std::size_t>(index)].Name;
  return ref;
}

TvlDataset* vlDefaultDataset(std::uint8_t bandType, const TvlBandDatasets& d) {
  switch (vlBandKind(bandType).DefaultData) {
    case TvlDefaultData::Master: return d.MasterData;
    case TvlDefaultData::Detail: return d.DetailData;
    case TvlDefaultData::SubDetail: return d.SubDetailData;
    case TvlDefaultData::Cross: return d.CrossData;
    case TvlDefaultData::Report: break;
  }
  return d.Report;
}

TvlDataSource* vlDefaultDataSource(std::uint8_t bandType, const TvlBandDatasets& datasets) {
  auto* db = dynamic_cast<TvlDBDataSet*>(vlDefaultDataset(bandType, datasets));
  return db ? db->GetDataSet() : nullptr;
}

}  // namespace vl
