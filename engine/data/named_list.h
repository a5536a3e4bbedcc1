#pragma once
// A named list (the launcher's address list, vlreport --dataset NAME=, a
// report's own data source) stands on its form as a source "NAME_Source"
// and the dataset NAME over it; the pair goes by NAME, the one name bands
// store, field references use and --dataset binds.

#include <string>

namespace vl {

class TvlComponent;
class TvlDataSource;
class TvlDBDataSet;

// "NAME_Source".
std::string vlListSourceName(const std::string& datasetName);
// True when source is the dataset's own named-list source.
bool vlIsNamedListSource(const TvlDataSource& source, const TvlDBDataSet& dataset);
// The source a component stands for: itself, or the source a dataset walks;
// nullptr for anything else.
TvlDataSource* vlSourceOf(TvlComponent& component);

}  // namespace vl
