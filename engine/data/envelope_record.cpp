#include "engine/data/envelope_record.h"

#include <algorithm>

#include "engine/core/error.h"
#include "engine/core/text.h"
#include "engine/data/address_binding.h"
#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"

namespace vl {
namespace {

// One CSV field, always quoted: the reader takes separators, line breaks and
// doubled quotes inside quotes.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

}  // namespace

TvlEnvelopeRecord::TvlEnvelopeRecord(TvlForm& form, TvlReport& report, const TvlEnvelopeValues& values,
                                     int copies)
    : form_(form) {
  // Two components of one name would leave the variables reading whichever
  // is found first.
  if (form.FindComponent(kDataset))
    throw TvlError(form.Name() + " already has a component named " + kDataset + ": the envelope cannot be addressed");
  // A header naming the envelope variables and one record of their values.
  std::string header, record;
  TvlAddressMapping mapping;
  for (int f = 0; f < kEnvelopeFieldCount; ++f) {
    const std::optional<std::string>& value = values[static_cast<std::size_t>(f)];
    header += (f ? "," : "") + Quoted(vlEnvelopeVariable(f));
    record += (f ? "," : "") + Quoted(value.value_or(std::string()));
    if (value) mapping.Columns[static_cast<std::size_t>(f)] = vlEnvelopeVariable(f);
  }
  auto source = std::make_unique<TvlCsvDataSource>(std::string(kDataset) + "_Source");
  std::string text = header + "\r\n";
  for (int k = 0; k < std::max(1, copies); ++k) text += record + "\r\n";
  source->OpenText(std::move(text), kDataset);
  source_ = &static_cast<TvlCsvDataSource&>(form_.InsertComponent(std::move(source)));
  dataset_ = &form_.Add<TvlDBDataSet>(kDataset);
  dataset_->SetDataSet(source_);
  // The record is read where it stands: the report's own loop (an address
  // list's, say) is left alone.
  binding_ = std::make_unique<TvlAddressBinding>(report, *dataset_, mapping, false);
}

TvlEnvelopeRecord::~TvlEnvelopeRecord() {
  binding_.reset();
  form_.DestroyComponent(dataset_);
  form_.DestroyComponent(source_);
}

int vlEnvelopeFieldOf(const std::string& name) {
  for (int f = 0; f < kEnvelopeFieldCount; ++f)
    if (vlSameText(name, vlEnvelopeVariable(f))) return f;
  return -1;
}

}  // namespace vl
