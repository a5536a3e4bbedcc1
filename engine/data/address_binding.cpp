#include "engine/data/address_binding.h"

#include "engine/data/dataset.h"
#include "engine/data/db_dataset.h"
#include "engine/data/envelope_fit.h"
#include "engine/data/joined_fields_source.h"
#include "engine/model/data_dictionary.h"

namespace vl {

TvlAddressBinding::TvlAddressBinding(TvlReport& report, TvlDataset& dataset, const TvlAddressMapping& mapping,
                                     bool loop)
    : report_(report), dataset_(report.Dataset), reportType_(report.ReportType), boundDataset_(dataset), mapping_(mapping) {
  TvlVariables& vars = report.Dictionary.Variables;
  std::vector<TvlJoinedField> joins;
  for (int f = 0; f < kEnvelopeFieldCount; ++f)
    if (!mapping.More[static_cast<std::size_t>(f)].empty()) joins.push_back({JoinedFieldName(f), mapping.ColumnsOf(f)});
  auto* db = dynamic_cast<TvlDBDataSet*>(&dataset);
  if (!joins.empty() && db && db->GetDataSet()) {
    joinedOn_ = db;
    joined_ = std::make_unique<TvlJoinedFieldsSource>(db->GetDataSet()->Name(), *db->GetDataSet(), std::move(joins));
    db->SetDataSet(joined_.get());
  }
  for (int f = 0; f < kEnvelopeFieldCount; ++f) {
    const std::string& column = joined_ && !mapping.More[static_cast<std::size_t>(f)].empty()
                                    ? JoinedFieldName(f)
                                    : mapping.Columns[static_cast<std::size_t>(f)];
    TvlValue* value = vars.Find(vlEnvelopeVariable(f));
    if (column.empty() || !value) continue;
    saved_.emplace_back(vlEnvelopeVariable(f), *value);
    *value = TvlValue(vlFieldAliasKey(dataset.Name(), column));
    bound_.push_back(vlEnvelopeVariable(f));
  }
  fit_ = std::make_unique<TvlEnvelopeFit>(report);
  if (!loop) return;
  report.Dataset = &dataset;
  report.ReportType = rtMultiple;
}

TvlDataSource* TvlAddressBinding::Source() const {
  auto* db = dynamic_cast<TvlDBDataSet*>(&boundDataset_);
  return db ? db->GetDataSet() : nullptr;
}

std::string TvlAddressBinding::Text(int field) const {
  TvlDataSource* source = Source();
  const auto f = static_cast<std::size_t>(field);
  if (!source || !source->Active() || source->Eof() || mapping_.Columns[f].empty()) return {};
  const std::string column = joined_ && !mapping_.More[f].empty() ? JoinedFieldName(field) : mapping_.Columns[f];
  const int k = source->FieldIndex(column);
  return k < 0 ? std::string() : std::string(source->DisplayText(k));
}

std::string TvlAddressBinding::JoinedFieldName(int field) {
  return std::string("Joined ") + vlEnvelopeVariable(field);
}

TvlAddressBinding::~TvlAddressBinding() {
  if (joinedOn_ && joined_ && joinedOn_->GetDataSet() == joined_.get()) joinedOn_->SetDataSet(joined_->Inner());
  for (auto& [name, value] : saved_)
    if (TvlValue* v = report_.Dictionary.Variables.Find(name)) *v = std::move(value);
  report_.Dataset = dataset_;
  report_.ReportType = reportType_;
}

}  // namespace vl
