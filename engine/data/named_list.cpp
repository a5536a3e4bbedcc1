#include "engine/data/named_list.h"

#include "engine/core/text.h"
#include "engine/data/db_dataset.h"

namespace vl {

std::string vlListSourceName(const std::string& datasetName) { return datasetName + "_Source"; }

bool vlIsNamedListSource(const TvlDataSource& source, const TvlDBDataSet& dataset) {
  return dataset.GetDataSet() == &source && vlSameText(source.Name(), vlListSourceName(dataset.Name()));
}

TvlDataSource* vlSourceOf(TvlComponent& component) {
  if (auto* dataset = dynamic_cast<TvlDBDataSet*>(&component)) return dataset->GetDataSet();
  return dynamic_cast<TvlDataSource*>(&component);
}

}  // namespace vl
