#pragma once
// One run of an envelope template over an address list, built on the
// report's own machinery: the envelope variables (address_fields.h) get the
// field references of their mapped columns (Addresses."姓名"), and the report
// becomes a multiple report over the list's dataset, so that the whole
// template is built once per address, in list order, one envelope each.
//
// A field fed by several columns reads a field the binding adds to the
// dataset's source for the run (joined_fields_source.h), the join of those
// columns as one address.
//
// While the binding lasts the recipient's name and address shrink to fit
// their boxes (envelope_fit.h).
//
// The binding lasts as long as the object: the variables' values, the
// report's Dataset and its ReportType come back when it ends, so nothing of
// the list stays in the template (a designer that saves it later saves the
// template as it was).

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/core/value.h"
#include "engine/data/address_fields.h"
#include "engine/model/report.h"

namespace vl {

class TvlDataset;
class TvlDataSource;
class TvlDBDataSet;
class TvlEnvelopeFit;
class TvlJoinedFieldsSource;

class TvlAddressBinding {
 public:
  // dataset must be reachable by its name from the report's owner (a
  // component of that form), which is how field references find it. A
  // variable the template does not have is left alone; a field without a
  // column keeps its value. Without loop the report is not made a multiple
  // report: the variables read the dataset's current record (a record of
  // one envelope, beside the report's own loop).
  TvlAddressBinding(TvlReport& report, TvlDataset& dataset, const TvlAddressMapping& mapping, bool loop = true);
  ~TvlAddressBinding();
  TvlAddressBinding(const TvlAddressBinding&) = delete;
  TvlAddressBinding& operator=(const TvlAddressBinding&) = delete;

  // The variables now reading a column.
  const std::vector<std::string>& Bound() const noexcept { return bound_; }

  // The text of a field for the dataset's current record ("" for a field
  // without a column), joined as it prints.
  std::string Text(int field) const;
  // The dataset's source while the binding lasts (the joining one when a
  // field has several columns); null for a dataset without one.
  TvlDataSource* Source() const;

  // The name of the field that joins a field's columns, when it has several.
  static std::string JoinedFieldName(int field);

 private:
  TvlReport& report_;
  TvlDataset* dataset_;
  TvlReportType reportType_;
  std::vector<std::pair<std::string, TvlValue>> saved_;
  std::vector<std::string> bound_;
  TvlDataset& boundDataset_;
  TvlAddressMapping mapping_;
  TvlDBDataSet* joinedOn_ = nullptr;
  std::unique_ptr<TvlJoinedFieldsSource> joined_;
  std::unique_ptr<TvlEnvelopeFit> fit_;
};

}  // namespace vl
