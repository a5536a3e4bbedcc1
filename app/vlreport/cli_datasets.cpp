#include "app/vlreport/cli_datasets.h"

#include <QString>
#include <cstdio>

#include "app/vlreport/json_output.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/data/db_dataset.h"
#include "engine/data/named_list.h"
#include "engine/data/envelope_record.h"
#include "engine/data/open_data_source.h"
#include "platform/qt/qt_text.h"

namespace vl::cli {
namespace {

std::string FromArgument(const std::string& utf8) { return vlFromQt(QString::fromUtf8(utf8.c_str())); }

bool UsesEnvelopeFields(TvlReport& report) {
  for (int f = 0; f < kEnvelopeFieldCount; ++f)
    if (report.Dictionary.Variables.Find(vlEnvelopeVariable(f))) return true;
  return false;
}

}  // namespace

void AddDataset(TvlForm& form, const std::string& given) {
  const std::size_t eq = given.find('=');
  if (eq == std::string::npos || eq == 0) throw UsageError{"--dataset needs NAME=SOURCE, not '" + given + "'"};
  const std::string name = FromArgument(given.substr(0, eq));
  if (form.FindComponent(name)) throw UsageError{"--dataset " + given.substr(0, eq) + " is given twice"};
  // The file name stays as the system gave it; the table or query is engine text.
  TvlSourceSpec spec = vlParseSourceSpec(given.substr(eq + 1));
  spec.Table = FromArgument(spec.Table);
  spec.SQL = FromArgument(spec.SQL);
  auto& source = static_cast<TvlDataSource&>(form.InsertComponent(vlMakeDataSource(spec, vlListSourceName(name))));
  form.Add<TvlDBDataSet>(name).SetDataSet(&source);
}

std::unique_ptr<TvlAddressBinding> BindAddressList(TvlForm& form, TvlReport& report, const TvlVariables& maps) {
  auto* dataset = dynamic_cast<TvlDBDataSet*>(form.FindComponent(kAddressDataset));
  if (!dataset || !dataset->GetDataSet()) {
    if (maps.Count() > 0) throw UsageError{"--map needs an address list: --dataset Addresses=SOURCE"};
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
    if (field < 0) throw UsageError{"--map " + Utf8(entry.Name) + ": not an envelope field"};
    const std::string column = vlValueToText(entry.Value);
    if (!column.empty() && source.FieldIndex(column) < 0)
      throw UsageError{"--map " + Utf8(entry.Name) + ": the address list has no column " + Utf8(column)};
    // The column's own spelling, which field references compare exactly.
    mapping.Columns[static_cast<std::size_t>(field)] =
        column.empty() ? column : columns[static_cast<std::size_t>(source.FieldIndex(column))];
  }
  for (int f = 0; f < kEnvelopeFieldCount; ++f)
    if (vlIsRecipientField(f) && mapping.Columns[static_cast<std::size_t>(f)].empty())
      std::fprintf(stderr, "vlreport: no column of the address list gives %s (--map %s=COLUMN)\n",
                   vlEnvelopeVariable(f), vlEnvelopeVariable(f));
  return std::make_unique<TvlAddressBinding>(report, *dataset, mapping);
}

}  // namespace vl::cli
