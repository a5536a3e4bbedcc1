#pragma once
// One envelope's values given by hand (the launcher's recipient form,
// vlreport's --var RecipientName=...) fed to the envelope variables the same
// way an address list feeds them: the values become a one-record source on
// the report's form (the dataset "Recipient") and each variable given reads
// its field, so that what prints (postcode boxes of one character each
// included) is exactly what a list of one address prints.
//
// The binding lasts as long as the object; afterwards the variables, the
// report and the form are as they were.

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "engine/data/address_fields.h"
#include "engine/data/components.h"

namespace vl {

class TvlAddressBinding;
class TvlCsvDataSource;
class TvlDBDataSet;
class TvlReport;

// By envelope field (efRecipientName ...), texts in the system code page;
// a field without a value is left as it is.
using TvlEnvelopeValues = std::array<std::optional<std::string>, kEnvelopeFieldCount>;

class TvlEnvelopeRecord {
 public:
  static constexpr const char* kDataset = "Recipient";

  // form owns the record's source and dataset while the object lives; it
  // must be the form the report's names are resolved from (report.Owner).
  // A form that has a component named "Recipient" already raises TvlError.
  // copies > 1 repeats the record (a sheet of return-address labels walks them).
  TvlEnvelopeRecord(TvlForm& form, TvlReport& report, const TvlEnvelopeValues& values, int copies = 1);
  ~TvlEnvelopeRecord();
  TvlEnvelopeRecord(const TvlEnvelopeRecord&) = delete;
  TvlEnvelopeRecord& operator=(const TvlEnvelopeRecord&) = delete;

 private:
  TvlForm& form_;
  TvlCsvDataSource* source_ = nullptr;
  TvlDBDataSet* dataset_ = nullptr;
  std::unique_ptr<TvlAddressBinding> binding_;
};

// The envelope field a variable name stands for (ignoring case); -1 for none.
int vlEnvelopeFieldOf(const std::string& name);

}  // namespace vl
