#include "app/vlreport/cli_datasets.h"

#include <QString>
#include <algorithm>
#include <cstdio>

#include "app/vlreport/json_output.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/data/db_dataset.h"
#include "engine/data/named_list.h"
#include "engine/data/envelope_record.h"
#include "engine/data/nothing_to_print.h"
#include "engine/core/error.h"
#include "engine/data/open_data_source.h"
#include "platform/qt/qt_text.h"
#include "engine/core/project_texts.h"

namespace vl::cli {
namespace {

std::string FromArgument(const std::string& utf8) { return vlFromQt(QString::fromUtf8(utf8.c_str())); }

// The records of an open source, counted by walking it (the cursor ends on
// the first record again).
long AddressCount(TvlDataSource& source) {
  long n = 0;
  for (source.First(); !source.Eof() && n == 0; source.Next()) ++n;
  source.First();
  return n;
}

bool UsesEnvelopeFields(TvlReport& report) {
  for (int f = 0; f < kEnvelopeFieldCount; ++f)
    if (report.Dictionary.Variables.Find(vlEnvelopeVariable(f))) return true;
  return false;
}

}  // namespace

void AddDataset(TvlForm& form, const std::string& given) {
  const std::size_t eq = given.find('=');
  if (eq == std::string::npos || eq == 0) throw UsageError{vlTr("--dataset needs NAME=SOURCE, not '%1'", {given})};
  const std::string name = FromArgument(given.substr(0, eq));
  if (form.FindComponent(name)) throw UsageError{vlTr("--dataset %1 is given twice", {given.substr(0, eq)})};
  // The file name stays as the system gave it; the table or query is engine text.
  TvlSourceSpec spec = vlParseSourceSpec(given.substr(eq + 1));
  spec.Table = FromArgument(spec.Table);
  spec.SQL = FromArgument(spec.SQL);
  auto& source = static_cast<TvlDataSource&>(form.InsertComponent(vlMakeDataSource(spec, vlListSourceName(name))));
  form.Add<TvlDBDataSet>(name).SetDataSet(&source);
}

std::unique_ptr<TvlAddressBinding> BindAddressList(TvlForm& form, TvlReport& report, const TvlVariables& maps,
                                                   bool loop) {
  auto* dataset = dynamic_cast<TvlDBDataSet*>(form.FindComponent(kAddressDataset));
  if (!dataset || !dataset->GetDataSet()) {
    if (maps.Count() > 0) throw UsageError{vlTr("--map needs an address list: --dataset Addresses=SOURCE")};
    return nullptr;
  }
  // A report that prints none of the envelope's fields (a list over the
  // addresses) runs over the dataset as it is designed: no envelope per address.
  if (!UsesEnvelopeFields(report)) return nullptr;
  TvlDataSource& source = *dataset->GetDataSet();
  source.Open();
  const std::vector<std::string> columns = source.FieldNames();
  TvlAddressMapping mapping = vlMatchAddressColumns(columns);
  for (const auto& entry : maps.Entries()) {
    const int field = vlEnvelopeFieldOf(entry.Name);
    if (field < 0) throw UsageError{vlTr("--map %1: not an envelope field", {Utf8(entry.Name)})};
    // COLUMN+COLUMN+... joins the columns in order; an empty text maps none.
    const std::string given = vlValueToText(entry.Value);
    std::vector<std::string> chosen;
    // A column whose own name holds "+" is taken whole.
    const int whole = source.FieldIndex(given);
    if (whole >= 0) chosen.push_back(columns[static_cast<std::size_t>(whole)]);
    for (std::size_t start = 0; whole < 0 && !given.empty() && start <= given.size();) {
      const std::size_t end = std::min(given.find('+', start), given.size());
      const std::string column = given.substr(start, end - start);
      const int k = source.FieldIndex(column);
      if (k < 0) throw UsageError{vlTr("--map %1: the address list has no column %2", {Utf8(entry.Name), Utf8(column)})};
      // The column's own spelling, which field references compare exactly.
      chosen.push_back(columns[static_cast<std::size_t>(k)]);
      start = end + 1;
    }
    mapping.SetColumns(field, chosen);
  }
  if (AddressCount(source) == 0) throw TvlError(vlTr(kNoAddresses));
  if (vlMappingGivesNoRecipient(mapping))
    throw TvlError(vlTr(kNoRecipientColumn) + "--map RecipientName=COLUMN --map RecipientAddress=COLUMN");
  for (int f = 0; f < kEnvelopeFieldCount; ++f)
    if (vlIsRecipientField(f) && mapping.Columns[static_cast<std::size_t>(f)].empty())
      std::fprintf(stderr, "vlreport: %s\n",
                   vlTr("no column of the address list gives %1 (--map %1=COLUMN)", {vlEnvelopeVariable(f)}).c_str());
  return std::make_unique<TvlAddressBinding>(report, *dataset, mapping, loop);
}

}  // namespace vl::cli
