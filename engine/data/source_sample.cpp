#include "engine/data/source_sample.h"

#include "engine/data/open_data_source.h"

namespace vl {

TvlSourceSample vlSampleSource(const TvlReportDataSource& source, int rows) {
  std::unique_ptr<TvlDataSource> opened = vlOpenDataSource(source.Spec(), source.Name);
  TvlSourceSample sample;
  sample.Columns = opened->FieldNames();
  opened->First();
  for (int row = 0; row < rows && !opened->Eof(); ++row) {
    std::vector<std::string> texts;
    for (std::size_t k = 0; k < sample.Columns.size(); ++k) texts.emplace_back(opened->DisplayText(static_cast<int>(k)));
    sample.Rows.push_back(std::move(texts));
    opened->Next();
  }
  return sample;
}

}  // namespace vl
