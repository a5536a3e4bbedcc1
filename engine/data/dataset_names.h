#pragma once
// How the names written in templates find datasets and fields: a band's data
// source text, a dataset-and-field reference such as Customers."Zip.Code",
// and the default dataset of the band being printed.
//
// The band tree lives above this layer, so the functions take what they need
// of it as arguments: the component that owns the report (where plain names
// are looked up) and, for the default dataset, the datasets of the page's
// data bands.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/data/data_source.h"
#include "engine/data/dataset.h"

namespace vl {

// The component at a path of one to three parts: a plain name among the
// components of reportOwner; "Form.Name" in a top-level form or data module;
// "Form.Container.Name" one level deeper. Raises "Missing " + path.
TvlComponent& vlFindComponentPath(std::string_view path, const TvlComponent* reportOwner);

// A band's dataset. Owned is set when the text was a count ("3": a user
// dataset yielding three records); the band keeps it and destroys it with
// itself. Dataset is nullptr for an empty text.
struct TvlDatasetRef {
  TvlDataset* Dataset = nullptr;
  std::unique_ptr<TvlDataset> Owned;
};
// Resolves and initialises the dataset. Raises "Missing " + path for a path
// that finds nothing and "Not a dataset: " + path for a component of another
// kind; errors of the source's opening pass through.
TvlDatasetRef vlResolveDataset(std::string_view text, const TvlComponent* reportOwner);

// Splits a dataset-and-field reference at its periods; a part that starts
// with a double quote runs to the end, and a last part in double quotes
// (longer than two characters) loses them.
std::vector<std::string> vlSplitFieldReference(std::string_view text);

// The external source a component stands for: the source itself, a link's
// source, or a TvlDBDataSet's source; nullptr for any other component.
TvlDataSource* vlDataSourceOf(TvlComponent* component);

struct TvlFieldRef {
  TvlDataSource* DataSet = nullptr;
  std::string Field;  // the source's own spelling; empty: no binding
  int FieldIndex = -1;
  bool Bound() const noexcept { return DataSet && !Field.empty(); }
};
// Resolves a dataset-and-field reference: one part is a field of
// defaultDataSet; two parts a component path and a field; three parts form,
// component, field; four parts form, container, component, field. The source
// is opened when closed (its fields are known only then). A path that finds
// nothing or a field the source does not list gives an empty binding; errors
// of opening the source pass through.
TvlFieldRef vlGetDatasetAndField(std::string_view text, TvlDataSource* defaultDataSet,
                                 const TvlComponent* reportOwner);

// The datasets a page's band tree offers for the default dataset.
struct TvlBandDatasets {
  TvlDataset* MasterData = nullptr;
  TvlDataset* DetailData = nullptr;
  TvlDataset* SubDetailData = nullptr;
  TvlDataset* CrossData = nullptr;
  TvlDataset* Report = nullptr;  // the report's Dataset property
};
// The dataset whose fields a band of that type names without a dataset.
TvlDataset* vlDefaultDataset(std::uint8_t bandType, const TvlBandDatasets& datasets);
// Its external source: only a TvlDBDataSet gives one; nullptr otherwise.
TvlDataSource* vlDefaultDataSource(std::uint8_t bandType, const TvlBandDatasets& datasets);

}  // namespace vl
