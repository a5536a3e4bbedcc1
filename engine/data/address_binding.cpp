#include "engine/data/address_binding.h"

#include "engine/data/dataset.h"
#include "engine/model/data_dictionary.h"

namespace vl {

TvlAddressBinding::TvlAddressBinding(TvlReport& report, TvlDataset& dataset, const TvlAddressMapping& mapping,
                                     bool loop)
    : report_(report), dataset_(report.Dataset), reportType_(report.ReportType) {
  TvlVariables& vars = report.Dictionary.Variables;
  for (int f = 0; f < kEnvelopeFieldCount; ++f) {
    const std::string& column = mapping.Columns[static_cast<std::size_t>(f)];
    TvlValue* value = vars.Find(vlEnvelopeVariable(f));
    if (column.empty() || !value) continue;
    saved_.emplace_back(vlEnvelopeVariable(f), *value);
    *value = TvlValue(vlFieldAliasKey(dataset.Name(), column));
    bound_.push_back(vlEnvelopeVariable(f));
  }
  if (!loop) return;
  report.Dataset = &dataset;
  report.ReportType = rtMultiple;
}

TvlAddressBinding::~TvlAddressBinding() {
  for (auto& [name, value] : saved_)
    if (TvlValue* v = report_.Dictionary.Variables.Find(name)) *v = std::move(value);
  report_.Dataset = dataset_;
  report_.ReportType = reportType_;
}

}  // namespace vl
